// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessibilita.h"

#include "ui/annuncio.h"

#include <QLabel>
#include <QWidget>

namespace form8 {

namespace {

const char* const descrizioneFinestra =
    "Calcolo della distanza orizzontale d di un bersaglio attivo dalla profondità h del fondo e "
    "dall'angolo di depressione b del segnale riflesso; sotto, il diagramma della distanza";

// A caption's runs of blanks lay it out on the form; read aloud they are one
// space.
QString parole(const char* utf8)
{
    return QString::fromUtf8(utf8).simplified();
}

QString nomeAccessibile(const Controllo& c)
{
    if (c.nomeAccessibile != nullptr)
        return QString::fromUtf8(c.nomeAccessibile);
    // A label reads its own text; a field, or the result while it is empty,
    // is named by its caption.
    if (c.didascalia != nullptr && (c.tipo != Tipo::etichetta || *c.testo == '\0'))
        return parole(controlli[riga(c.didascalia)].testo);
    return parole(c.testo);
}

constexpr const Controllo& rigaRisultato = controlli[riga("Label3")];

} // namespace

void descriviAccessibilita(QWidget& finestra, const Creati& creati)
{
    finestra.setAccessibleDescription(QString::fromUtf8(descrizioneFinestra));
    for (std::size_t i = 0; i < controlli.size(); ++i) {
        const Controllo& c = controlli[i];
        QWidget& controllo = *creati[i];
        controllo.setAccessibleName(nomeAccessibile(c));
        if (c.descrizione != nullptr)
            controllo.setAccessibleDescription(QString::fromUtf8(c.descrizione));
        // The caption's label is linked to its control; with no '&' in the
        // caption this adds no shortcut and leaves the tab order alone.
        if (c.didascalia != nullptr)
            static_cast<QLabel*>(creati[riga(c.didascalia)])->setBuddy(&controllo);
    }
}

void annunciaRisultato(Annuncio& annuncio, QLabel& risultato)
{
    const QString didascalia = parole(controlli[riga(rigaRisultato.didascalia)].testo);
    const QString testo = risultato.text();
    risultato.setAccessibleName(testo.isEmpty() ? didascalia : testo);
    annuncio.annuncia(testo.isEmpty() ? QString() : didascalia + QStringLiteral(": ") + testo);
}

} // namespace form8
