// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a screen reader reads out by itself after a run: a notification of the
// window that nobody sees, so that the focus stays where it is and the window
// shows nothing more. Screen readers speak a notification when it is shown.

#include <QObject>
#include <QString>

class QWidget;

namespace form8 {

class Annuncio final : public QObject
{
    Q_OBJECT

public:
    explicit Annuncio(QWidget* finestra);

    [[nodiscard]] QWidget& finestra() const;
    // What it says while it is shown; empty while it is not.
    [[nodiscard]] const QString& testo() const { return testo_; }

    // Shows it with this text, even the same text again; empty, hides it.
    void annuncia(const QString& testo);

private:
    void notifica(bool mostrato);

    QString testo_;
};

} // namespace form8
