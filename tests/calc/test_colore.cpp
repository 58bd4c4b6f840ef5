// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calcolo.h"

#include "caso.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// WCAG 2, written out here: sRGB channels to linear light, the relative
// luminance, and the contrast of the lighter colour over the darker.
double lineare(calc::Colore colore, int canale)
{
    const double c = static_cast<double>((colore >> (8 * canale)) & 0xFF) / 255;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminanza(calc::Colore colore)
{
    return 0.2126 * lineare(colore, 0) + 0.7152 * lineare(colore, 1) + 0.0722 * lineare(colore, 2);
}

double contrasto(calc::Colore a, calc::Colore b)
{
    const double la = luminanza(a) + 0.05;
    const double lb = luminanza(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

// The colours in 0x00BBGGRR.
constexpr calc::Colore blu = 0x00FF0000;
constexpr calc::Colore rosso = 0x000000FF;

struct Fondo : prova::Caso
{
    calc::Colore fondo;
    bool scuro;
};

// Window colours of common light and dark schemes.
const Fondo fondi[] = {
    {{"bianco"}, 0x00FFFFFF, false},     {{"fusion"}, 0x00EFEFEF, false},
    {{"classico"}, 0x00C8D0D4, false},   {{"grigiochiaro"}, 0x00A0A0A0, false},
    {{"fusionscuro"}, 0x00353535, true}, {{"adwaitascuro"}, 0x00303030, true},
    {{"breezescuro"}, 0x00312E2A, true}, {{"nero"}, 0x00000000, true},
    {{"bluscuro"}, 0x00400000, true},    {{"grigioscuro"}, 0x00505050, true},
};

struct Richiesta
{
    const char* nome;
    calc::Colore colore;
    double minimo;
    // Mixed with white, a pure colour keeps its full channel at 255 and
    // raises the other two together: this one is the full one.
    int pieno;
};

const Richiesta richieste[] = {
    {"curva", blu, 3, 2},
    {"Label15", blu, 4.5, 2},
    {"Label2", rosso, 4.5, 0},
};

class Leggibile : public testing::TestWithParam<Fondo>
{};

TEST_P(Leggibile, ColoriDelProgramma)
{
    const Fondo& caso = GetParam();
    for (const Richiesta& r : richieste) {
        SCOPED_TRACE(r.nome);
        const calc::Colore visto = calc::leggibile(r.colore, caso.fondo, r.minimo);
        if (!caso.scuro) {
            // On a light background the colours are exactly the program's own.
            EXPECT_EQ(visto, r.colore);
            continue;
        }
        EXPECT_GE(contrasto(visto, caso.fondo), r.minimo);
        EXPECT_GT(luminanza(visto), luminanza(caso.fondo));
        // The same hue: the full channel stays full, the other two alike.
        const int altri = (r.pieno + 1) % 3;
        const auto canale = [visto](int quale) {
            return (visto >> (8 * quale)) & 0xFF;
        };
        EXPECT_EQ(canale(r.pieno), 0xFFU);
        EXPECT_EQ(canale(altri), canale(3 - r.pieno - altri));
        // Just enough: one step less of white falls short (red on black
        // needs none).
        if (visto == r.colore)
            continue;
        const calc::Colore meno = visto - (0x010101U & ~(0xFFU << (8 * r.pieno)));
        EXPECT_LT(contrasto(meno, caso.fondo), r.minimo);
    }
}

INSTANTIATE_TEST_SUITE_P(Fondi, Leggibile, testing::ValuesIn(fondi), prova::NomeCaso{});

TEST(Leggibile, GiaLeggibileSulloScuroResta)
{
    // Yellow on black already stands out: nothing to lighten.
    EXPECT_EQ(calc::leggibile(0x0000FFFF, 0x00000000, 4.5), 0x0000FFFFU);
    // A mid grey that is still dark: a grey is lightened to another grey.
    const calc::Colore grigio = calc::leggibile(0x00202020, 0x00303030, 4.5);
    EXPECT_EQ(grigio & 0xFF, (grigio >> 8) & 0xFF);
    EXPECT_EQ(grigio & 0xFF, (grigio >> 16) & 0xFF);
    EXPECT_GE(contrasto(grigio, 0x00303030), 4.5);
}

} // namespace
