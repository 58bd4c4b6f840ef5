// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The range calculation: how a field's text becomes a number, the
// bottom-reflection distance d = 2h / tan(b), the text the result field
// shows, and the chart that the "Calcolo" button draws. It knows nothing of
// any window system: the window hands it a drawing area and two texts and
// shows the text it returns.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace calc {

// A colour laid out as 0x00BBGGRR (red in the low byte).
using Colore = std::uint32_t;

// The colour of the chart's curve.
inline constexpr Colore blu = 0x00FF0000;

// The chart's frame in twips of the drawing area, y downwards. Every value is
// exact in single precision, in which the frame is computed. The curve runs
// from x = 564.4 (1°) to 3720 (50°) and from the top grid line down, below
// the horizontal axis where the depth is negative.
namespace cornice {
inline constexpr float origineX = 500;       // b = 0°: the vertical axis
inline constexpr float origineY = 8240;      // d = 0 m: the horizontal axis
inline constexpr float cimaY = 6000;         // d = 100 km: the top grid line
inline constexpr float larghezza = 3220;     // 50° at 64.4 twips per degree
inline constexpr float fineAsseX = 3880;     // the horizontal axis runs 160 twips past the grid
inline constexpr float passoVerticali = 161; // a grid line every 2.5°
inline constexpr float passoPuntiVerticali = 14;
inline constexpr float passoOrizzontali = 112; // a grid line every 5 km
inline constexpr float passoPuntiOrizzontali = 21;
} // namespace cornice

// The contrast (WCAG 2) that the program's own colours keep against the
// window's background: text, and the chart's points.
inline constexpr double contrastoTesto = 4.5;
inline constexpr double contrastoGrafico = 3;

// Every failure of the calculation; what() names the error for the user.
class ErroreCalcolo : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The surface the chart is drawn on. Coordinates are twips (1/1440 inch)
// from the top-left corner, y downwards, in single precision. Each call draws
// at once; the area need not remember anything.
class AreaDisegno
{
public:
    virtual ~AreaDisegno() = default;

    // Erases every point and line to the background colour.
    virtual void pulisci() = 0;
    // A point in the foreground colour.
    virtual void punto(float x, float y) = 0;
    virtual void punto(float x, float y, Colore colore) = 0;
    // A line in the foreground colour.
    virtual void linea(float x1, float y1, float x2, float y2) = 0;
};

// The number at the start of a field text (UTF-8). Blanks, tabs and line
// feeds are ignored; then an optional sign, digits, and optionally a point
// and more digits; the first byte that cannot continue the number ends it.
// No digits read as 0. Throws ErroreCalcolo("Overflow") beyond the double
// range; a value too small for a double reads as 0.
double valoretesto(std::string_view testo);

// The horizontal distance in metres for the depth h in metres and the
// depression angle b in degrees. Throws ErroreCalcolo("Divisione per zero")
// when tan(b) is 0 and ErroreCalcolo("Overflow") when the result is not finite.
double distfondo(double h, double b);

// The text of the result field: the greatest integer not above d, in plain
// digits, or with 15 significant digits in exponent form from 16 digits on.
std::string testorisultato(double d);

// The colour to draw colore in on the background fondo. On a light
// background, colore itself. On a dark one (where white stands out more than
// black), colore mixed with as little white as gives it the contrast minimo
// (WCAG 2) against fondo: the same hue, lightened just enough.
Colore leggibile(Colore colore, Colore fondo, double minimo);

// The chart's frame: a dotted grid and the two axes.
void disegnagriglia(AreaDisegno& area);

// Where the chart lies in the drawing area, in twips: the grid from 0° to 50°
// and from 0 to 100 km, with the horizontal axis running on past 50°.
struct Riquadro
{
    float sinistra = 0;
    float alto = 0;
    float destra = 0;
    float basso = 0;
};
inline constexpr Riquadro zonagrafico{.sinistra = cornice::origineX,
                                      .alto = cornice::cimaY,
                                      .destra = cornice::fineAsseX,
                                      .basso = cornice::origineY};

// The curve's ceiling: distances beyond it are plotted on the 100 km line.
inline constexpr double tettografico = 100000;

// One point of the chart's curve: the angle in degrees and the distance in
// metres as the curve plots it, held at the ceiling; oltre when the distance
// itself lies beyond the ceiling.
struct PuntoCurva
{
    double angolo = 0;
    double distanza = 0;
    bool oltre = false;
};

// What the curve for the depth h shows at 5°, 10°, ... 50°, for those who
// cannot see it. The curve's own counter passes within 10^-11 degrees of
// these angles, so these are its values there. Throws like distfondo.
std::array<PuntoCurva, 10> distanzegrafico(double h);

// The whole calculation run of the "Calcolo" button: clears the area, draws
// the frame and the curve for the depth, and returns the text of the distance
// for the depth and the angle. A failure stops the run where it happens; what
// was drawn until then stays drawn.
std::string calcolodist(AreaDisegno& area, std::string_view testoprofondita,
                        std::string_view testoangolo);

} // namespace calc
