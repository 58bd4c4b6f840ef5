// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fabbricacontrolli.h"

#include "ui/colori.h"
#include "ui/riquadroimmagine.h"
#include "ui/twips.h"

#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace form8 {

namespace {

// "MS Sans Serif" where the machine has it; otherwise the closest face that
// really is there. Liberation Sans keeps its widths; DejaVu Sans is wider.
QString cercaFamiglia()
{
    const QStringList presenti = QFontDatabase::families();
    for (const char* famiglia : {"MS Sans Serif", "Liberation Sans", "DejaVu Sans"})
        if (presenti.contains(QLatin1String(famiglia), Qt::CaseInsensitive))
            return QString::fromLatin1(famiglia);
    return QStringLiteral("Sans Serif");
}

// Every control asks for a font: the machine's faces are looked through once.
const QString& famigliaCaratteri()
{
    static const QString famiglia = cercaFamiglia();
    return famiglia;
}

QLabel* creaEtichetta(const Controllo& c, QWidget* parent)
{
    auto* etichetta = new QLabel(QString::fromUtf8(c.testo), parent);
    etichetta->setTextFormat(Qt::PlainText);
    etichetta->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (c.coloreTesto)
        coloraTesto(*etichetta, *c.coloreTesto, parent->palette().color(QPalette::Window));
    // Opaque in the window's colour, but where the grid must show through.
    etichetta->setAutoFillBackground(!c.trasparente);
    if (c.bordo) {
        etichetta->setFrameStyle(QFrame::Box | QFrame::Plain);
        etichetta->setLineWidth(1);
    }
    etichetta->setWordWrap(!c.adattaAlTesto);
    return etichetta;
}

QLineEdit* creaCampo(const Controllo& c, QWidget* parent)
{
    auto* campo = new QLineEdit(QString::fromUtf8(c.testo), parent);
    campo->setMaxLength(std::numeric_limits<int>::max());
    return campo;
}

QPushButton* creaPulsante(const Controllo& c, QWidget* parent)
{
    auto* pulsante = new QPushButton(QString::fromUtf8(c.testo), parent);
    // Enter clicks the button while it has the focus; the window has no
    // default button, so Enter elsewhere does nothing.
    pulsante->setAutoDefault(true);
    return pulsante;
}

QWidget* crea(const Controllo& c, QWidget* parent)
{
    switch (c.tipo) {
    case Tipo::immagine:
        return new RiquadroImmagine(QPixmap(QString::fromUtf8(c.testo)), parent);
    case Tipo::campo:
        return creaCampo(c, parent);
    case Tipo::pulsante:
        return creaPulsante(c, parent);
    case Tipo::etichetta:
        break;
    }
    return creaEtichetta(c, parent);
}

} // namespace

QFont carattere(Carattere quale)
{
    struct Misura
    {
        double punti;
        bool grassetto;
    };
    const Misura misura = [quale] {
        switch (quale) {
        case Carattere::grassetto825:
            return Misura{8.25, true};
        case Carattere::grassetto975:
            return Misura{9.75, true};
        case Carattere::grassetto135:
            return Misura{13.5, true};
        case Carattere::finestra:
            break;
        }
        return Misura{8.25, false};
    }();
    QFont font(famigliaCaratteri());
    // In pixels, like the layout, so that text and boxes scale together.
    font.setPixelSize(pixelDaPunti(misura.punti));
    font.setWeight(misura.grassetto ? QFont::Bold : QFont::Normal);
    return font;
}

QWidget* creaControllo(const Controllo& riga, QWidget* parent)
{
    QWidget* const controllo = crea(riga, parent);
    posiziona(*controllo, riga);
    return controllo;
}

void coloraTesto(QLabel& etichetta, calc::Colore colore, const QColor& fondo)
{
    // Only the text colour is the label's own; the rest follows the window.
    QPalette tavolozza;
    tavolozza.setColor(QPalette::WindowText,
                       QColor::fromRgb(rgbLeggibile(colore, fondo.rgb(), calc::contrastoTesto)));
    etichetta.setPalette(tavolozza);
}

Creati creaControlli(QWidget* finestra)
{
    Creati creati{};
    for (std::size_t i = 0; i < controlli.size(); ++i)
        creati[i] = creaControllo(controlli[i], finestra);
    return creati;
}

void posiziona(QWidget& controllo, const Controllo& riga)
{
    controllo.setObjectName(QString::fromLatin1(riga.nome));
    controllo.setFont(carattere(riga.carattere));
    controllo.setGeometry(
        rettangoloDaTwips(riga.sinistra, riga.alto, riga.larghezza, riga.altezza));
    if (riga.adattaAlTesto)
        controllo.adjustSize();
}

} // namespace form8
