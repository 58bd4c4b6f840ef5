// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Watches for modal dialogs while a window test runs: the ones a test expects
// are closed and their texts kept; any other one is closed too and counted,
// so that a test fails on it instead of hanging the whole suite.

#include <QObject>
#include <QString>
#include <QTimer>

#include <vector>

namespace prova {

struct Dialogo
{
    QString titolo;
    QString testo;
};

class Sorvegliante : public QObject
{
    Q_OBJECT

public:
    explicit Sorvegliante(QObject* parent = nullptr);

    // The next dialog is expected: it is closed with OK and kept in visti.
    void attendi() { ++attesi_; }

    std::vector<Dialogo> visti;
    std::vector<Dialogo> inattesi;

private:
    void controlla();

    int attesi_ = 0;
    QTimer timer_;
};

} // namespace prova
