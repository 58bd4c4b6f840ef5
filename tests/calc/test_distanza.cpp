// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calcolo.h"

#include "caso.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct Distanza : prova::Caso
{
    double h;
    double b;
    std::string testo;
};

class Distanze : public testing::TestWithParam<Distanza>
{};

TEST_P(Distanze, TestoDelRisultato)
{
    const auto& caso = GetParam();
    EXPECT_EQ(calc::testorisultato(calc::distfondo(caso.h, caso.b)), caso.testo);
}

INSTANTIATE_TEST_SUITE_P(Formula, Distanze,
                         testing::Values(Distanza{{"esempio"}, 1000, 7, "16288"},
                                         Distanza{{"cinquegradi"}, 1000, 5, "22860"},
                                         Distanza{{"quarantacinque"}, 1000, 45, "2000"},
                                         Distanza{{"cinquanta"}, 1000, 50, "1678"},
                                         Distanza{{"oltrecentokm"}, 1000, 1, "114580"},
                                         Distanza{{"avvio"}, 1, 1, "114"},
                                         Distanza{{"profonditazero"}, 0, 7, "0"},
                                         Distanza{{"profonditanegativa"}, -1000, 7, "-16289"},
                                         // Pi taken as 3.14159 keeps the tangent at 90° finite and
                                         // makes it slightly negative at 180°.
                                         Distanza{{"novanta"}, 1000, 90, "0"},
                                         Distanza{{"centottanta"}, 1000, 180, "-753695996"}),
                         prova::NomeCaso{});

TEST(DistFondo, EsempioDiCalcolo)
{
    EXPECT_NEAR(calc::distfondo(1000, 7), 16288.7067, 1e-4);
}

struct Arrotondamento : prova::Caso
{
    double d;
    std::string testo;
};

class Arrotondamenti : public testing::TestWithParam<Arrotondamento>
{};

TEST_P(Arrotondamenti, VersoMenoInfinito)
{
    EXPECT_EQ(calc::testorisultato(GetParam().d), GetParam().testo);
}

INSTANTIATE_TEST_SUITE_P(
    TestoRisultato, Arrotondamenti,
    testing::Values(
        Arrotondamento{{"positivo"}, 16288.7067, "16288"},
        Arrotondamento{{"negativo"}, -16288.7067, "-16289"},
        Arrotondamento{{"piccolo"}, 0.0027, "0"}, Arrotondamento{{"quasiuno"}, 0.999, "0"},
        Arrotondamento{{"menozero"}, -0.0, "0"}, Arrotondamento{{"mezzonegativo"}, -0.5, "-1"},
        Arrotondamento{{"intero"}, 2000, "2000"},
        Arrotondamento{{"quindicicifre"}, 999999999999999.9, "999999999999999"},
        Arrotondamento{{"sedicicifre"}, 1e15, "1E+15"},
        Arrotondamento{{"esponente"}, 114591559026164.6e3, "1.14591559026165E+17"},
        Arrotondamento{{"esponentenegativo"}, -1.5e20, "-1.5E+20"},
        Arrotondamento{{"arrotondamantissa"}, 123456789012345678.0, "1.23456789012346E+17"},
        Arrotondamento{{"trecento"}, 1e300, "1E+300"}),
    prova::NomeCaso{});

struct Guasto : prova::Caso
{
    double h;
    double b;
    const char* errore;
};

class Guasti : public testing::TestWithParam<Guasto>
{};

TEST_P(Guasti, DistFondoFallisce)
{
    const auto& caso = GetParam();
    try {
        const double d = calc::distfondo(caso.h, caso.b);
        ADD_FAILURE() << "no failure, d = " << d;
    } catch (const calc::ErroreCalcolo& errore) {
        EXPECT_STREQ(errore.what(), caso.errore);
    }
}

INSTANTIATE_TEST_SUITE_P(Errori, Guasti,
                         testing::Values(Guasto{{"angolozero"}, 1000, 0, "Divisione per zero"},
                                         Guasto{{"tuttozero"}, 0, 0, "Divisione per zero"},
                                         Guasto{{"menozero"}, 1000, -0.0, "Divisione per zero"},
                                         Guasto{{"profonditaenorme"}, 1e308, 1, "Overflow"},
                                         Guasto{
                                             {"profonditaenormenegativa"}, -1e308, 1, "Overflow"},
                                         Guasto{{"angoloenorme"}, 1000, 1e308, "Overflow"},
                                         Guasto{{"angolominuscolo"}, 1e300, 1e-300, "Overflow"}),
                         prova::NomeCaso{});

TEST(TestoRisultato, NonFinitoEOverflow)
{
    for (const double d :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(d);
        EXPECT_THROW(calc::testorisultato(d), calc::ErroreCalcolo);
    }
}

} // namespace
