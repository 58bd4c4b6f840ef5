// SPDX-License-Identifier: GPL-3.0-or-later
#include "finestradiprova.h"

#include <QtTest>

namespace prova {

bool FinestraDiProva::apri(bool attiva)
{
    finestra_.reset();
    sorvegliante_ = std::make_unique<Sorvegliante>();
    finestra_ = std::make_unique<Form8>();
    finestra_->show();
    if (!QTest::qWaitForWindowExposed(finestra_.get()))
        return false;
    if (!attiva)
        return true;
    finestra_->activateWindow();
    return QTest::qWaitForWindowActive(finestra_.get());
}

bool FinestraDiProva::chiudi()
{
    finestra_.reset();
    if (sorvegliante_ == nullptr)
        return true;
    for (const Dialogo& d : sorvegliante_->inattesi)
        qWarning("unexpected dialog: %s: %s", qPrintable(d.titolo), qPrintable(d.testo));
    const bool nessunInatteso = sorvegliante_->inattesi.empty();
    sorvegliante_.reset();
    return nessunInatteso;
}

Form8& FinestraDiProva::finestra() const
{
    if (finestra_ == nullptr)
        qFatal("no window open: apri() first");
    return *finestra_;
}

Sorvegliante& FinestraDiProva::sorvegliante() const
{
    if (sorvegliante_ == nullptr)
        qFatal("no watchdog running: apri() first");
    return *sorvegliante_;
}

} // namespace prova
