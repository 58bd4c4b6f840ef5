// SPDX-License-Identifier: GPL-3.0-or-later
#include "sorvegliante.h"

#include <QApplication>
#include <QMessageBox>

namespace prova {

Sorvegliante::Sorvegliante(QObject* parent) : QObject(parent)
{
    timer_.setInterval(20);
    connect(&timer_, &QTimer::timeout, this, &Sorvegliante::controlla);
    timer_.start();
}

void Sorvegliante::controlla()
{
    QWidget* const modale = QApplication::activeModalWidget();
    if (modale == nullptr)
        return;
    auto* const messaggio = qobject_cast<QMessageBox*>(modale);
    Dialogo dialogo{modale->windowTitle(), messaggio ? messaggio->text() : QString()};
    if (messaggio != nullptr && attesi_ > 0) {
        --attesi_;
        visti.push_back(std::move(dialogo));
        messaggio->done(QMessageBox::Ok);
    } else {
        inattesi.push_back(std::move(dialogo));
        modale->close();
    }
}

} // namespace prova
