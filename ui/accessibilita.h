#pragma once

// What assistive technologies hear about Form8: the window builds its
// controls from the table in controlli.h and then hands itself to
// descriviAccessibilita, which gives the fields, the button, the result and
// the pictures their accessible names and descriptions, and the window a
// description of the chart drawn on it.

class QLabel;
class QWidget;

namespace form8 {

// Finds the controls by object name; a control that is missing is reported
// and skipped.
void descriviAccessibilita(QWidget& finestra);

// The result field is named after its caption, so its description carries
// the distance it shows; the window calls this whenever the result changes.
void descriviRisultato(QLabel& risultato);

} // namespace form8
