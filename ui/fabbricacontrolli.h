#pragma once

// Turns one row of the control table into its Qt widget: a label, a field, the
// button or a picture box, with its name, text, font, colours, border and
// place. Form8 builds its controls with it and wires them; the benchmarks
// build their bare window from the same rows.

#include "ui/controlli.h"

#include <QFont>

class QLabel;
class QWidget;

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

} // namespace form8
