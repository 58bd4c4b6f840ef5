// SPDX-License-Identifier: GPL-3.0-or-later
// The chart of distance (0 to 100 km, upwards) against depression angle
// (0° to 50°), drawn point by point at a fixed place in the lower left of the
// window, and the calculation run that draws it.

#include "calc/calcolo.h"
#include "calc/errori.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace calc {

namespace {

// The curve, in double precision until each point is drawn.
constexpr double twipsPerGrado = 64.4;
constexpr double twipsPerMetro = 0.0224;
constexpr double primoAngolo = 1;
constexpr double ultimoAngolo = 50;
constexpr double passoAngolo = 0.01;

// A distance as the curve plots it: beyond 100 km on the top grid line.
double sultetto(double d)
{
    return std::min(d, tettografico);
}

float singola(double valore)
{
    if (!(std::fabs(valore) <= std::numeric_limits<float>::max()))
        errori::overflow();
    return static_cast<float>(valore);
}

} // namespace

void disegnagriglia(AreaDisegno& area)
{
    using namespace cornice;
    // Each loop adds its step to its counter and includes the end value when
    // it is reached exactly: 21 × 161 + 21 × 154 = 6,615 points.
    for (float i = 0; i <= larghezza; i += passoVerticali)
        for (float y = cimaY; y <= origineY; y += passoPuntiVerticali)
            area.punto(i + origineX, y);
    for (float y = cimaY; y <= origineY; y += passoOrizzontali)
        for (float i = 0; i <= larghezza; i += passoPuntiOrizzontali)
            area.punto(i + origineX, y);
    area.linea(origineX, cimaY, origineX, origineY);
    area.linea(origineX, origineY, fineAsseX, origineY);
}

std::array<PuntoCurva, 10> distanzegrafico(double h)
{
    std::array<PuntoCurva, 10> punti{};
    for (std::size_t i = 0; i < punti.size(); ++i) {
        const double b = 5.0 * static_cast<double>(i + 1);
        const double d = distfondo(h, b);
        punti[i] = {.angolo = b, .distanza = sultetto(d), .oltre = d > tettografico};
    }
    return punti;
}

std::string calcolodist(AreaDisegno& area, std::string_view testoprofondita,
                        std::string_view testoangolo)
{
    using cornice::origineX;
    using cornice::origineY;
    area.pulisci();
    disegnagriglia(area);

    // The angle is read here as the run always has, though only the loop's
    // own counter shapes the curve; a text too large to read fails here.
    static_cast<void>(valoretesto(testoangolo));
    const double h = valoretesto(testoprofondita);

    // The counter accumulates 0.01 in double precision, so rounding adds up:
    // 4,901 points, the last at b = 49.99999999999862.
    for (double b = primoAngolo; b <= ultimoAngolo; b += passoAngolo) {
        const double d = sultetto(distfondo(h, b));
        const double x = b * twipsPerGrado + origineX;
        const double y = origineY - d * twipsPerMetro;
        area.punto(singola(x), singola(y), blu);
    }

    const double angolo = valoretesto(testoangolo);
    const double profondita = valoretesto(testoprofondita);
    return testorisultato(distfondo(profondita, angolo));
}

} // namespace calc
