// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calcolo.h"

#include "caso.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct Lettura : prova::Caso
{
    std::string testo;
    double valore;
};

class Letture : public testing::TestWithParam<Lettura>
{};

TEST_P(Letture, LeggeIlNumeroAllInizio)
{
    const auto& caso = GetParam();
    const double letto = calc::valoretesto(caso.testo);
    // Exact comparison: the reading must round exactly as a correct decimal
    // conversion does, and keep the sign of zero.
    EXPECT_EQ(letto, caso.valore);
    EXPECT_EQ(std::signbit(letto), std::signbit(caso.valore));
}

INSTANTIATE_TEST_SUITE_P(
    Esempi, Letture,
    testing::Values(Lettura{{"uno"}, "1", 1}, Lettura{{"decimale"}, "12.5", 12.5},
                    Lettura{{"senzainteri"}, ".5", 0.5}, Lettura{{"senzadecimali"}, "5.", 5},
                    Lettura{{"duepunti"}, "1.2.3", 1.2}, Lettura{{"menoinfondo"}, "7-", 7},
                    Lettura{{"negativo"}, "-7", -7}, Lettura{{"positivo"}, "+7", 7},
                    Lettura{{"spazio"}, "1 000", 1000}, Lettura{{"virgola"}, "12,5", 12},
                    Lettura{{"vuoto"}, "", 0}, Lettura{{"solopunto"}, ".", 0},
                    Lettura{{"solomeno"}, "-", 0}, Lettura{{"lettere"}, "abc", 0},
                    Lettura{{"meno_zero"}, "-0", -0.0}, Lettura{{"duesegni"}, "+-7", 0},
                    Lettura{{"tabulazioniacapo"}, "\t1\n2 .\t5", 12.5},
                    Lettura{{"spaziodoposegno"}, "- 7", -7},
                    Lettura{{"ritornocarrello"}, "1\r2", 1}, Lettura{{"nessunesponente"}, "1e5", 1},
                    Lettura{{"nessunesadecimale"}, "&H10", 0}, Lettura{{"utf8"}, "3\xC3\xA0", 3},
                    Lettura{{"gradi"}, "7\xC2\xB0", 7},
                    Lettura{{"zeriiniziali"}, "0007.250", 7.25}),
    prova::NomeCaso{});

// Long texts must round as one correct conversion, not digit by digit.
INSTANTIATE_TEST_SUITE_P(
    TestiLunghi, Letture,
    testing::Values(
        Lettura{{"trecentocifre"}, prova::conZeri("1", 300), 1e300},
        Lettura{{"decimalelungo"}, "0.1000000000000000055511151231257827", 0.1},
        Lettura{{"massimo"}, prova::conZeri("17976931348623157", 292), 1.7976931348623157e308},
        Lettura{{"subnormale"}, prova::conZeri("0.", 320, "1"), 1e-321},
        Lettura{{"troppopiccolo"}, prova::conZeri("0.", 400, "1"), 0},
        Lettura{{"troppopiccolonegativo"}, prova::conZeri("-0.", 400, "1"), -0.0}),
    prova::NomeCaso{});

TEST(ValoreTesto, OltreIlDoppioEOverflow)
{
    for (const std::string& testo : {prova::conZeri("1", 309), prova::conZeri("-1", 309),
                                     prova::conZeri("17976931348623159", 292, ".5")}) {
        SCOPED_TRACE(testo.size());
        try {
            calc::valoretesto(testo);
            ADD_FAILURE() << "no failure";
        } catch (const calc::ErroreCalcolo& errore) {
            EXPECT_STREQ(errore.what(), "Overflow");
        }
    }
}

} // namespace
