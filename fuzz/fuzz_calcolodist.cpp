// SPDX-License-Identifier: GPL-3.0-or-later
// A libFuzzer target for the whole "Calcolo" run: the input is split into the
// depth text and the angle text, calc::calcolodist draws on an area that
// checks every call against the shape of a run, and its result or failure is
// compared with the distance computed from the two texts directly.

#include "calc/calcolo.h"
#include "difetto.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace {

// A run draws one clear, the frame's points and its two axes, then the curve.
constexpr std::size_t puntiCornice = 6615;
constexpr std::size_t lineeCornice = 2;
constexpr std::size_t puntiCurva = 4901;
constexpr std::size_t inizioLinee = 1 + puntiCornice;
constexpr std::size_t inizioCurva = inizioLinee + lineeCornice;
constexpr std::size_t totale = inizioCurva + puntiCurva;

enum class Tipo
{
    pulisci,
    punto,
    linea,
    puntoblu
};

const char* nome(Tipo tipo)
{
    switch (tipo) {
    case Tipo::pulisci:
        return "clear";
    case Tipo::punto:
        return "frame point";
    case Tipo::linea:
        return "line";
    case Tipo::puntoblu:
        return "curve point";
    }
    return "?";
}

Tipo attesa(std::size_t indice)
{
    if (indice == 0)
        return Tipo::pulisci;
    if (indice < inizioLinee)
        return Tipo::punto;
    if (indice < inizioCurva)
        return Tipo::linea;
    return Tipo::puntoblu;
}

// A drawing area that keeps no record, only how far the calls so far follow
// a run's shape and the first call that does not.
class Sagoma : public calc::AreaDisegno
{
public:
    std::size_t chiamate = 0;
    std::string fuoriforma;

    bool completa() const { return fuoriforma.empty() && chiamate == totale; }

    void pulisci() override { registra(Tipo::pulisci, {}); }
    void punto(float x, float y) override { registra(Tipo::punto, {x, y}); }
    void punto(float x, float y, calc::Colore colore) override
    {
        if (colore != calc::blu && fuoriforma.empty())
            fuoriforma = "a coloured point not blue at call " + std::to_string(chiamate);
        registra(Tipo::puntoblu, {x, y});
    }
    void linea(float x1, float y1, float x2, float y2) override
    {
        registra(Tipo::linea, {x1, y1, x2, y2});
    }

private:
    void registra(Tipo tipo, std::initializer_list<float> coordinate)
    {
        const std::size_t indice = chiamate++;
        if (!fuoriforma.empty())
            return;
        if (indice >= totale) {
            fuoriforma = std::string("a ") + nome(tipo) + " after the last curve point";
            return;
        }
        if (tipo != attesa(indice)) {
            fuoriforma = std::string("a ") + nome(tipo) + " where a " + nome(attesa(indice)) +
                         " belongs, at call " + std::to_string(indice);
            return;
        }
        for (const float c : coordinate)
            if (!std::isfinite(c)) {
                fuoriforma = std::string("a ") + nome(tipo) +
                             " with a coordinate not finite at call " + std::to_string(indice);
                return;
            }
    }
};

// What a run ends with: the result text, or the message of its failure.
struct Esito
{
    std::string testo;
    std::string errore;
};

// The distance straight from the two texts, as the run is to return it.
Esito diretto(std::string_view profondita, std::string_view angolo)
{
    try {
        return {calc::testorisultato(
                    calc::distfondo(calc::valoretesto(profondita), calc::valoretesto(angolo))),
                {}};
    } catch (const calc::ErroreCalcolo& errore) {
        return {{}, errore.what()};
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione)
{
    const std::string_view ingresso(reinterpret_cast<const char*>(dati), dimensione);
    // A NUL byte never stands in a field, so it parts the two texts and lets
    // either of them hold line feeds; without one the angle text is empty.
    const std::size_t nul = ingresso.find('\0');
    const std::string_view profondita = ingresso.substr(0, nul);
    const std::string_view angolo =
        nul == std::string_view::npos ? std::string_view{} : ingresso.substr(nul + 1);

    Sagoma area;
    Esito run;
    try {
        run.testo = calc::calcolodist(area, profondita, angolo);
    } catch (const calc::ErroreCalcolo& errore) {
        run.errore = errore.what();
    }

    if (!area.fuoriforma.empty())
        fuzz::difetto("the drawing leaves the shape of a run: " + area.fuoriforma, ingresso);

    const Esito atteso = diretto(profondita, angolo);
    if (run.errore.empty()) {
        if (!area.completa())
            fuzz::difetto("the run returned after " + std::to_string(area.chiamate) +
                              " drawing calls, not " + std::to_string(totale),
                          ingresso);
        if (!atteso.errore.empty())
            fuzz::difetto("the run returned \"" + run.testo + "\" where the distance fails with " +
                              atteso.errore,
                          ingresso);
        if (run.testo != atteso.testo)
            fuzz::difetto("the run returned \"" + run.testo + "\", the distance is \"" +
                              atteso.testo + "\"",
                          ingresso);
        return 0;
    }

    if (run.errore != "Divisione per zero" && run.errore != "Overflow")
        fuzz::difetto("the run failed with an unknown error \"" + run.errore + "\"", ingresso);
    // With the whole chart drawn only the distance itself is left to fail.
    if (area.completa() && run.errore != atteso.errore)
        fuzz::difetto("the run failed with \"" + run.errore + "\" after the whole chart, " +
                          "the distance gives \"" +
                          (atteso.errore.empty() ? atteso.testo : atteso.errore) + "\"",
                      ingresso);
    return 0;
}
