// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's colours are laid out as 0x00BBGGRR (red in the low byte);
// Qt's as 0xAARRGGBB.

#include "calc/calcolo.h"

#include <QColor>

namespace form8 {

inline QRgb rgbDaColore(calc::Colore colore)
{
    return qRgb(static_cast<int>(colore & 0xFF), static_cast<int>((colore >> 8) & 0xFF),
                static_cast<int>((colore >> 16) & 0xFF));
}

inline calc::Colore coloreDaRgb(QRgb rgb)
{
    return static_cast<calc::Colore>(qRed(rgb)) | static_cast<calc::Colore>(qGreen(rgb)) << 8 |
           static_cast<calc::Colore>(qBlue(rgb)) << 16;
}

// One of the program's fixed colours as it is drawn on the background fondo,
// legible with the contrast minimo.
inline QRgb rgbLeggibile(calc::Colore colore, QRgb fondo, double minimo)
{
    return rgbDaColore(calc::leggibile(colore, coloreDaRgb(fondo), minimo));
}

} // namespace form8
