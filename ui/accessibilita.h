// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What assistive technologies hear about Form8: each control's name,
// description and captioning label from the table in controlli.h, the
// window's own short description, and the result of each run, announced
// while the focus stays on the "Calcolo" button.

#include "ui/fabbricacontrolli.h"

class QLabel;
class QWidget;

namespace form8 {

class Annuncio;

void descriviAccessibilita(QWidget& finestra, const Creati& creati);

// After a run: the result field reads as the number it shows (as its caption
// while empty), and the announcement says the result, or nothing when there
// is none, so that a failed run's message is not followed by an old number.
void annunciaRisultato(Annuncio& annuncio, QLabel& risultato);

} // namespace form8
