// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A fresh window for each test function, with the watchdog running while it lives.

#include "sorvegliante.h"

#include "ui/form8.h"

#include <QString>
#include <QtGlobal>

#include <memory>

namespace prova {

// apri() in init(), chiudi() in cleanup(). Like a pointer, it lends out the
// window and the watchdog even when it is const itself.
class FinestraDiProva
{
public:
    // A new watchdog, then a new window shown and exposed; if attiva, also
    // activated. False when the window did not get that far.
    [[nodiscard]] bool apri(bool attiva = false);

    // Destroys the window, logs each dialog that came unexpected and stops
    // the watchdog. True when there was none.
    [[nodiscard]] bool chiudi();

    [[nodiscard]] Form8& finestra() const;
    [[nodiscard]] Sorvegliante& sorvegliante() const;

    // The window's child of that object name; a missing one ends the test.
    template <class T> T* controllo(const char* nome) const
    {
        auto* const trovato = finestra().findChild<T*>(QString::fromLatin1(nome));
        if (trovato == nullptr)
            qFatal("no control %s", nome);
        return trovato;
    }

private:
    std::unique_ptr<Sorvegliante> sorvegliante_;
    std::unique_ptr<Form8> finestra_;
};

} // namespace prova
