// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Turns one row of the control table into its Qt widget: a label, a field, the
// button or a picture box, with its name, text, font, colours, border and
// place. Form8 builds its controls with it and wires them; the benchmarks
// build their bare window from the same rows.

#include "ui/controlli.h"
#include "ui/riquadroimmagine.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>
#include <cstddef>

namespace form8 {

// One of the table's fonts, on the face closest to "MS Sans Serif" that the
// machine really has.
QFont carattere(Carattere quale);

// The control of a row, owned by parent, named and placed.
QWidget* creaControllo(const Controllo& riga, QWidget* parent);

// Gives a label the text colour colore, legible on the background fondo.
void coloraTesto(QLabel& etichetta, calc::Colore colore, const QColor& fondo);

// Gives a widget the name, font and place of a row.
void posiziona(QWidget& controllo, const Controllo& riga);

// The Qt class that each kind of control is made of.
template <Tipo> struct ClasseQt;
template <> struct ClasseQt<Tipo::immagine>
{
    using Classe = RiquadroImmagine;
};
template <> struct ClasseQt<Tipo::campo>
{
    using Classe = QLineEdit;
};
template <> struct ClasseQt<Tipo::pulsante>
{
    using Classe = QPushButton;
};
template <> struct ClasseQt<Tipo::etichetta>
{
    using Classe = QLabel;
};

// Every control of the table, row by row, owned by the window.
using Creati = std::array<QWidget*, controlli.size()>;

Creati creaControlli(QWidget* finestra);

// The control of a row as its own class: controllo<riga("Text1")>(creati).
template <std::size_t i> auto* controllo(const Creati& creati)
{
    // creaControllo makes each kind of control of exactly this class.
    return static_cast<typename ClasseQt<controlli[i].tipo>::Classe*>(creati[i]);
}

} // namespace form8
