// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window is laid out in twips, as the program has always been; on screen
// they become device-independent pixels at 1440 twips per inch and 96 pixels
// per inch. Qt's high-DPI scaling then keeps the same layout on every screen.

#include <QRect>

#include <cmath>

namespace form8 {

inline constexpr double twipsPerPixel = 15;

// A font size in points, as the layout's 96-dpi pixels (8.25 pt is 11 px).
inline constexpr int pixelDaPunti(double punti)
{
    return static_cast<int>(punti * 96 / 72);
}

inline int pixelDaTwips(int twips)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

inline QRect rettangoloDaTwips(int sinistra, int alto, int larghezza, int altezza)
{
    return {pixelDaTwips(sinistra), pixelDaTwips(alto), pixelDaTwips(larghezza),
            pixelDaTwips(altezza)};
}

} // namespace form8
