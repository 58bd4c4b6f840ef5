// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A monkey for the whole window: random keys, pastes, clicks, menus, resizes
// and repaints on the real Form8, the same ones again for the same seed. It
// only acts; what must hold after each action is for the test to check.

#include <QList>
#include <QObject>
#include <QString>

#include <cstdint>
#include <deque>
#include <random>

class Form8;
class QWidget;

namespace prova {

// A text as a failure message can show it: quoted, the invisible and the
// non-ASCII characters as code points, a long one cut in the middle.
QString mostra(const QString& testo);

class Scimmia
{
public:
    Scimmia(Form8& finestra, std::uint32_t seme);

    // One random action, with the events it causes handled.
    void agisci();

    // The last few actions, to replay a failure by eye.
    [[nodiscard]] QString storia() const;

private:
    // The kinds of action, in the proportions of pesi in scimmia.cpp.
    enum class Azione
    {
        digitabile,
        stampabile,
        oltreAscii,
        controllo,
        ctrlLettera,
        piuCaratteri,
        composizione,
        incolla,
        svuota,
        clic,
        clicCalcolo,
        menu,
        ridimensiona,
        stato,
        ridisegna,
    };

    int numero(int da, int a) { return std::uniform_int_distribution<int>(da, a)(caso_); }
    bool probabile(double p) { return std::bernoulli_distribution(p)(caso_); }
    template <class Insieme> const auto& scegli(const Insieme& insieme)
    {
        return insieme[static_cast<std::size_t>(numero(0, static_cast<int>(insieme.size()) - 1))];
    }

    QWidget* fuoco() const;
    QWidget* campoACaso();
    Qt::KeyboardModifiers modificatori();
    QString testoCasuale();

    void premi(QWidget* dove, Qt::Key tasto, const QString& testo, Qt::KeyboardModifiers mod);
    void clicSu(QWidget* dove, Qt::MouseButton tasto, bool doppio, Qt::KeyboardModifiers mod);
    void usaMenu(QWidget* dove);
    void tasto(Azione azione);
    void incolla();
    void svuota();
    void clic();
    void cambiaStato();
    void ridisegna();

    Form8& finestra_;
    std::mt19937 caso_;
    QList<QWidget*> bersagli_; // every control and the window's own background
    QString azione_;
    std::deque<QString> ultime_;
};

} // namespace prova
