// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a number from a field text the way the fields have always been
// read: blanks ignored anywhere, the point as the only decimal separator
// whatever the locale, and the first other character ending the number.

#include "calc/calcolo.h"
#include "calc/errori.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace calc {

namespace {

bool ignorato(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

bool cifra(char c)
{
    return c >= '0' && c <= '9';
}

// The number at the start of a text, with the blanks removed and the sign
// split off, so that std::from_chars sees only digits and at most one point.
struct Numero
{
    std::string cifre;
    bool negativo = false;
    bool hacifre = false;
    bool interononzero = false; // a non-zero digit before the point: at least 1
};

Numero isola(std::string_view testo)
{
    enum class Fase
    {
        segno,
        interi,
        decimali
    };
    Numero numero;
    Fase fase = Fase::segno;
    for (const char c : testo) {
        if (ignorato(c))
            continue;
        if (fase == Fase::segno && (c == '+' || c == '-')) {
            numero.negativo = c == '-';
            fase = Fase::interi;
        } else if (cifra(c)) {
            numero.cifre += c;
            numero.hacifre = true;
            if (fase != Fase::decimali) {
                fase = Fase::interi;
                numero.interononzero = numero.interononzero || c != '0';
            }
        } else if (c == '.' && fase != Fase::decimali) {
            numero.cifre += c;
            fase = Fase::decimali;
        } else {
            break;
        }
    }
    return numero;
}

} // namespace

double valoretesto(std::string_view testo)
{
    const Numero numero = isola(testo);
    if (!numero.hacifre)
        return 0.0;

    double valore = 0.0;
    const char* const inizio = numero.cifre.data();
    const auto letto =
        std::from_chars(inizio, inizio + numero.cifre.size(), valore, std::chars_format::fixed);
    if (letto.ec == std::errc::result_out_of_range) {
        // Out of range with a digit before the point means too large;
        // otherwise the value is too small for a double and reads as 0.
        if (numero.interononzero)
            errori::overflow();
        valore = 0.0;
    }
    return numero.negativo ? -valore : valore;
}

} // namespace calc
