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

} // namespace form8
