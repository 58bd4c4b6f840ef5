// SPDX-License-Identifier: GPL-3.0-or-later
// The bottom-reflection formula and the text of its result.

#include "calc/calcolo.h"
#include "calc/errori.h"

#include <array>
#include <charconv>
#include <cmath>

namespace calc {

namespace {

// Pi as the program has always taken it. With this value an angle of 90°
// gives a small finite distance instead of an infinite tangent.
constexpr double pigreco = 3.14159;

// From 10^15 on an integer has 16 digits and is written in exponent form.
constexpr double limiteinteri = 1e15;

// Exponent form with 15 significant digits, as in 1.14591559026165E+17:
// no trailing zeros in the mantissa and the exponent's sign always written.
std::string esponenziale(double valore)
{
    std::array<char, 32> testo{};
    const auto scritto = std::to_chars(testo.data(), testo.data() + testo.size(), valore,
                                       std::chars_format::scientific, 14);
    const std::string_view tutto(testo.data(),
                                 static_cast<std::size_t>(scritto.ptr - testo.data()));
    const std::size_t e = tutto.find('e');
    std::string_view mantissa = tutto.substr(0, e);
    while (mantissa.ends_with('0'))
        mantissa.remove_suffix(1);
    if (mantissa.ends_with('.'))
        mantissa.remove_suffix(1);
    std::string risultato(mantissa);
    risultato += 'E';
    risultato += tutto.substr(e + 1);
    return risultato;
}

} // namespace

double distfondo(double h, double b)
{
    // The order of operations is the program's own: multiply before dividing.
    const double radianti = (pigreco * b) / 180;
    if (!std::isfinite(radianti))
        errori::overflow();
    const double tangente = std::tan(radianti);
    if (tangente == 0)
        errori::divisioneperzero();
    const double d = (h * 2) / tangente;
    if (!std::isfinite(d))
        errori::overflow();
    return d;
}

std::string testorisultato(double d)
{
    if (!std::isfinite(d))
        errori::overflow();
    const double intero = std::floor(d);
    if (std::fabs(intero) >= limiteinteri)
        return esponenziale(intero);
    // Below 10^15 the integer fits a long long exactly; this also writes -0 as "0".
    std::array<char, 24> testo{};
    const auto scritto =
        std::to_chars(testo.data(), testo.data() + testo.size(), static_cast<long long>(intero));
    return {testo.data(), scritto.ptr};
}

} // namespace calc
