// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A drawing area that records every call, so that tests can compare what a
// run drew with what it should have drawn, in order.

#include "calc/calcolo.h"

#include <ostream>
#include <vector>

namespace prova {

struct Operazione
{
    enum class Tipo
    {
        pulisci,
        punto,
        puntoColorato,
        linea
    };
    Tipo tipo = Tipo::pulisci;
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
    calc::Colore colore = 0;

    friend bool operator==(const Operazione&, const Operazione&) = default;
};

inline std::ostream& operator<<(std::ostream& os, const Operazione& op)
{
    return os << "{tipo " << static_cast<int>(op.tipo) << ", (" << op.x1 << ", " << op.y1 << ") ("
              << op.x2 << ", " << op.y2 << "), colore " << op.colore << '}';
}

inline Operazione punto(float x, float y)
{
    return {Operazione::Tipo::punto, x, y};
}

inline Operazione linea(float x1, float y1, float x2, float y2)
{
    return {Operazione::Tipo::linea, x1, y1, x2, y2};
}

class Registro : public calc::AreaDisegno
{
public:
    std::vector<Operazione> operazioni;

    void pulisci() override { operazioni.push_back({Operazione::Tipo::pulisci}); }
    void punto(float x, float y) override { operazioni.push_back(prova::punto(x, y)); }
    void punto(float x, float y, calc::Colore colore) override
    {
        operazioni.push_back({Operazione::Tipo::puntoColorato, x, y, 0, 0, colore});
    }
    void linea(float x1, float y1, float x2, float y2) override
    {
        operazioni.push_back(prova::linea(x1, y1, x2, y2));
    }
};

} // namespace prova
