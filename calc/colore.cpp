// SPDX-License-Identifier: GPL-3.0-or-later
// How the program's fixed colours stay legible on the window's background:
// the contrast of WCAG 2, from the relative luminance of each colour.

#include "calc/calcolo.h"

#include <cmath>

namespace calc {

namespace {

constexpr Colore bianco = 0x00FFFFFF;
constexpr Colore nero = 0x00000000;

int canale(Colore colore, int quale)
{
    return static_cast<int>((colore >> (8 * quale)) & 0xFF);
}

// The relative luminance of an sRGB colour, 0 for black to 1 for white.
double luminanza(Colore colore)
{
    const auto lineare = [colore](int quale) {
        const double c = canale(colore, quale) / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lineare(0) + 0.7152 * lineare(1) + 0.0722 * lineare(2);
}

double contrasto(Colore a, Colore b)
{
    const double la = luminanza(a);
    const double lb = luminanza(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

// colore mixed with white in the proportion passo / 255. Each channel moves
// towards 255 by the same fraction of its distance, so the hue stays.
Colore schiarito(Colore colore, int passo)
{
    Colore risultato = 0;
    for (int quale = 0; quale < 3; ++quale) {
        const int c = canale(colore, quale);
        const int mescolato = c + ((255 - c) * passo + 127) / 255;
        risultato |= static_cast<Colore>(mescolato) << (8 * quale);
    }
    return risultato;
}

} // namespace

Colore leggibile(Colore colore, Colore fondo, double minimo)
{
    if (contrasto(bianco, fondo) <= contrasto(nero, fondo))
        return colore;
    // Lightening only adds to the luminance: the first step that is lighter
    // than the background by the contrast asked for is the least change.
    for (int passo = 0; passo <= 255; ++passo) {
        const Colore provato = schiarito(colore, passo);
        if (luminanza(provato) > luminanza(fondo) && contrasto(provato, fondo) >= minimo)
            return provato;
    }
    return bianco;
}

} // namespace calc
