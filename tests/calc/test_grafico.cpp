// SPDX-License-Identifier: GPL-3.0-or-later
#include "registro.h"

#include "caso.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

using prova::Operazione;
using prova::Registro;

// The frame as it should be, from whole-number multiples rather than the
// accumulating counters of the drawing loops.
std::vector<Operazione> cornice()
{
    std::vector<Operazione> attese;
    for (int linea = 0; linea <= 20; ++linea)
        for (int dot = 0; dot <= 160; ++dot)
            attese.push_back(prova::punto(500.0F + 161.0F * linea, 6000.0F + 14.0F * dot));
    for (int linea = 0; linea <= 20; ++linea)
        for (int dot = 0; dot <= 153; ++dot)
            attese.push_back(prova::punto(500.0F + 21.0F * dot, 6000.0F + 112.0F * linea));
    attese.push_back(prova::linea(500, 6000, 500, 8240));
    attese.push_back(prova::linea(500, 8240, 3880, 8240));
    return attese;
}

// The curve's blue, laid out as 0x00BBGGRR.
constexpr calc::Colore blu = 0x00FF0000;

constexpr std::size_t puntiCornice = 6615;
constexpr std::size_t puntiCurva = 4901;
constexpr std::size_t operazioniCornice = puntiCornice + 2;
constexpr std::size_t operazioniRun = 1 + operazioniCornice + puntiCurva;

TEST(DisegnaGriglia, PuntiELineeInOrdine)
{
    Registro area;
    calc::disegnagriglia(area);
    const auto attese = cornice();
    ASSERT_EQ(attese.size(), operazioniCornice);
    EXPECT_EQ(area.operazioni, attese);
}

// Splits a run's record into its parts and checks the parts that never vary.
class Run : public testing::Test
{
protected:
    Registro area;

    std::vector<Operazione> curva() const
    {
        return {area.operazioni.begin() + 1 + static_cast<std::ptrdiff_t>(operazioniCornice),
                area.operazioni.end()};
    }

    void controllaPulisciECornice() const
    {
        ASSERT_GE(area.operazioni.size(), 1 + operazioniCornice);
        EXPECT_EQ(area.operazioni.front().tipo, Operazione::Tipo::pulisci);
        const std::vector<Operazione> disegnate(area.operazioni.begin() + 1,
                                                area.operazioni.begin() + 1 + operazioniCornice);
        EXPECT_EQ(disegnate, cornice());
    }
};

TEST_F(Run, EsempioDiCalcolo)
{
    EXPECT_EQ(calc::calcolodist(area, "1000", "7"), "16288");
    controllaPulisciECornice();
    const auto punti = curva();
    ASSERT_EQ(punti.size(), puntiCurva);
    float xprecedente = 0;
    for (const auto& p : punti) {
        ASSERT_EQ(p.tipo, Operazione::Tipo::puntoColorato);
        ASSERT_EQ(p.colore, blu);
        ASSERT_GT(p.x1, xprecedente);
        xprecedente = p.x1;
    }
    EXPECT_EQ(punti.front().x1, 564.4F);
    // The accumulated counter ends just short of 50°.
    EXPECT_EQ(punti.back().x1, static_cast<float>(49.99999999999862 * 64.4 + 500));
}

struct Curva : prova::Caso
{
    const char* profondita;
    float primaY;
    float ultimaY;
    std::size_t sultetto; // points held at 100 km
};

class Curve : public Run, public testing::WithParamInterface<Curva>
{};

TEST_P(Curve, PrimoUltimoETetto)
{
    const auto& caso = GetParam();
    calc::calcolodist(area, caso.profondita, "7");
    controllaPulisciECornice();
    const auto punti = curva();
    ASSERT_EQ(punti.size(), puntiCurva);
    EXPECT_NEAR(punti.front().y1, caso.primaY, 0.01);
    EXPECT_NEAR(punti.back().y1, caso.ultimaY, 0.01);
    const auto sultetto =
        std::count_if(punti.begin(), punti.end(), [](const auto& p) { return p.y1 == 6000.0F; });
    EXPECT_EQ(static_cast<std::size_t>(sultetto), caso.sultetto);
    // The 15 points beyond 100 km are the first ones, 1.00° to 1.14°.
    for (std::size_t i = 0; i < caso.sultetto; ++i)
        EXPECT_EQ(punti[i].y1, 6000.0F) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Profondita, Curve,
    testing::Values(Curva{{"uno"}, "1", 8237.43F, 8239.96F, 0},
                    Curva{{"cinquecento"}, "500", 6956.7F, 8221.2F, 0},
                    Curva{{"mille"}, "1000", 6000.0F, 8202.41F, 15},
                    Curva{{"zero"}, "0", 8240.0F, 8240.0F, 0},
                    Curva{{"menomille"}, "-1000", 10806.6F, 8277.59F, 0},
                    // Huge depths are held by the ceiling throughout.
                    Curva{{"enorme"}, "1000000000000000000000000000000", 6000.0F, 6000.0F, 4901}),
    prova::NomeCaso{});

TEST_F(Run, ProfonditaZeroSullAsse)
{
    calc::calcolodist(area, "0", "7");
    for (const auto& p : curva())
        ASSERT_EQ(p.y1, 8240.0F);
}

TEST_F(Run, LAngoloCambiaSoloIlRisultato)
{
    Registro altra;
    EXPECT_EQ(calc::calcolodist(area, "1000", "7"), "16288");
    EXPECT_EQ(calc::calcolodist(altra, "1000", "80"), "352");
    EXPECT_EQ(area.operazioni, altra.operazioni);
}

struct RunFallita : prova::Caso
{
    std::string profondita;
    std::string angolo;
    const char* errore;
    std::size_t disegnate; // operations that stay drawn
};

class RunFallite : public Run, public testing::WithParamInterface<RunFallita>
{};

TEST_P(RunFallite, SiFermaDoveFallisce)
{
    const auto& caso = GetParam();
    try {
        const auto testo = calc::calcolodist(area, caso.profondita, caso.angolo);
        ADD_FAILURE() << "no failure, result " << testo;
    } catch (const calc::ErroreCalcolo& errore) {
        EXPECT_STREQ(errore.what(), caso.errore);
    }
    EXPECT_EQ(area.operazioni.size(), caso.disegnate);
    controllaPulisciECornice();
}

INSTANTIATE_TEST_SUITE_P(
    Errori, RunFallite,
    testing::Values(
        // The curve uses its own angles, so a zero angle fails only after the
        // whole chart is drawn.
        RunFallita{{"angolozero"}, "1000", "0", "Divisione per zero", operazioniRun},
        RunFallita{{"angolomenozero"}, "1000", "-0", "Divisione per zero", operazioniRun},
        RunFallita{{"angolovuoto"}, "1000", "", "Divisione per zero", operazioniRun},
        RunFallita{{"angololettere"}, "1000", "abc", "Divisione per zero", operazioniRun},
        // Below the axis there is no limit, until single precision runs out.
        RunFallita{{"fuoriscala"},
                   "-1000000000000000000000000000000000000000",
                   "7",
                   "Overflow",
                   1 + operazioniCornice},
        RunFallita{{"profonditaraddoppiainfinita"},
                   prova::conZeri("1", 308),
                   "7",
                   "Overflow",
                   1 + operazioniCornice},
        RunFallita{{"angoloillegibile"},
                   "1000",
                   prova::conZeri("1", 309),
                   "Overflow",
                   1 + operazioniCornice},
        RunFallita{{"profonditaillegibile"},
                   prova::conZeri("1", 309),
                   "7",
                   "Overflow",
                   1 + operazioniCornice}),
    prova::NomeCaso{});

// What the chart tells those who cannot see it: the curve's distances at
// 5°, 10°, ... 50°, held at 100 km as the curve holds them.
struct PuntiLetti : prova::Caso
{
    const char* profondita;
    double h;
    std::size_t oltre; // the first angles beyond 100 km
};

class PuntiDelGrafico : public Run, public testing::WithParamInterface<PuntiLetti>
{};

TEST_P(PuntiDelGrafico, ComeLaCurvaLiDisegna)
{
    const auto& caso = GetParam();
    const auto punti = calc::distanzegrafico(caso.h);
    calc::calcolodist(area, caso.profondita, "7");
    const auto curva = this->curva();
    for (std::size_t i = 0; i < punti.size(); ++i) {
        const double b = 5.0 * static_cast<double>(i + 1);
        // d = 2h / tan(b) with pi taken as 3.14159, no higher than 100 km.
        const double d = 2 * caso.h / std::tan(3.14159 * b / 180);
        EXPECT_EQ(punti[i].angolo, b);
        EXPECT_NEAR(punti[i].distanza, std::min(d, 100000.0), 1e-9 * std::fabs(d)) << b;
        EXPECT_EQ(punti[i].oltre, i < caso.oltre) << b;
        // The plotted point nearest that angle, read back through the
        // chart's scales: 64.4 twips per degree, 0.0224 twips per metre.
        const auto vicino = std::min_element(curva.begin(), curva.end(), [b](auto& p, auto& q) {
            return std::fabs(p.x1 - (b * 64.4 + 500)) < std::fabs(q.x1 - (b * 64.4 + 500));
        });
        EXPECT_NEAR((8240 - vicino->y1) / 0.0224, punti[i].distanza, 0.1) << b;
    }
}

INSTANTIATE_TEST_SUITE_P(Profondita, PuntiDelGrafico,
                         testing::Values(PuntiLetti{{"mille"}, "1000", 1000, 0},
                                         // 5° and 10° lie beyond 100 km.
                                         PuntiLetti{{"diecimila"}, "10000", 10000, 2},
                                         PuntiLetti{{"zero"}, "0", 0, 0},
                                         PuntiLetti{{"menomille"}, "-1000", -1000, 0}),
                         prova::NomeCaso{});

TEST(DistanzeGrafico, FallisconoComeLaFormula)
{
    EXPECT_THROW(calc::distanzegrafico(1e308), calc::ErroreCalcolo);
}

} // namespace
