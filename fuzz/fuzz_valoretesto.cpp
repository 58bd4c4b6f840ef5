// SPDX-License-Identifier: GPL-3.0-or-later
// A libFuzzer target for the reading of a field text: every input is read by
// calc::valoretesto and by a separate reading that cuts the number out by hand
// and gives it to strtod; the two must agree to the bit, or both overflow.

#include "calc/calcolo.h"
#include "difetto.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

struct Lettura
{
    bool overflow = false;
    double valore = 0.0;
};

bool cifra(char c)
{
    return c >= '0' && c <= '9';
}

// The reading as the fields define it, written without calc: the blanks go
// first, then "[sign]digits[.digits]" is cut out by position and strtod reads
// it. The program never calls setlocale, so strtod reads the point as the C
// locale does.
Lettura riferimento(std::string_view testo)
{
    std::string compatto;
    for (const char c : testo)
        if (c != ' ' && c != '\t' && c != '\n')
            compatto += c;

    std::size_t i = 0;
    bool negativo = false;
    if (i < compatto.size() && (compatto[i] == '+' || compatto[i] == '-')) {
        negativo = compatto[i] == '-';
        ++i;
    }
    const std::size_t iniziointeri = i;
    while (i < compatto.size() && cifra(compatto[i]))
        ++i;
    const std::string interi = compatto.substr(iniziointeri, i - iniziointeri);
    std::string decimali;
    if (i < compatto.size() && compatto[i] == '.') {
        const std::size_t iniziodecimali = ++i;
        while (i < compatto.size() && cifra(compatto[i]))
            ++i;
        decimali = compatto.substr(iniziodecimali, i - iniziodecimali);
    }
    if (interi.empty() && decimali.empty())
        return {};

    // strtod would take a leading point too, but "0." keeps the text plain.
    std::string numero = negativo ? "-" : "";
    numero += interi.empty() ? "0" : interi;
    if (!decimali.empty())
        numero += "." + decimali;

    errno = 0;
    char* fine = nullptr;
    const double valore = std::strtod(numero.c_str(), &fine);
    const int errore = errno;
    if (fine != numero.c_str() + numero.size())
        fuzz::difetto("strtod did not read the whole isolated number " + numero, testo);
    // ERANGE comes with ±HUGE_VAL for too large a value, and with 0 or a
    // subnormal for a tiny one: those are the reading, sign included.
    if (errore == ERANGE && std::fabs(valore) == HUGE_VAL)
        return {true, 0.0};
    return {false, valore};
}

std::string descrivi(const Lettura& lettura)
{
    if (lettura.overflow)
        return "Overflow";
    std::array<char, 64> testo{};
    std::snprintf(testo.data(), testo.size(), "%a (%.17g)", lettura.valore, lettura.valore);
    return testo.data();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione)
{
    const std::string_view testo(reinterpret_cast<const char*>(dati), dimensione);
    const Lettura attesa = riferimento(testo);

    Lettura letta;
    try {
        letta.valore = calc::valoretesto(testo);
    } catch (const calc::ErroreCalcolo& errore) {
        if (std::string_view(errore.what()) != "Overflow")
            fuzz::difetto(std::string("valoretesto threw ErroreCalcolo(\"") + errore.what() +
                              "\"), not Overflow",
                          testo);
        letta.overflow = true;
    }

    // The bits, not ==, so that -0 against 0 counts as a difference.
    const bool uguali =
        attesa.overflow == letta.overflow &&
        (attesa.overflow || std::memcmp(&attesa.valore, &letta.valore, sizeof(double)) == 0);
    if (!uguali)
        fuzz::difetto("valoretesto gives " + descrivi(letta) + ", the strtod reading gives " +
                          descrivi(attesa),
                      testo);
    return 0;
}
