#include "ui/form8.h"

#include "ui/accessibilita.h"
#include "ui/colori.h"
#include "ui/controlli.h"
#include "ui/filtrotasti.h"
#include "ui/riquadroimmagine.h"
#include "ui/twips.h"

#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

using form8::Carattere;
using form8::Controllo;
using form8::Tipo;

const char* const titolo =
    "Misura della distanza di un bersaglio attivo mediante la riflessione dal fondo";

// The restored window's client area.
constexpr int larghezzaTwips = 4680;
constexpr int altezzaTwips = 3195;

// "MS Sans Serif" where the machine has it; otherwise the closest face that
// really is there. Liberation Sans keeps its widths; DejaVu Sans is wider.
QString famigliaCaratteri()
{
    const QStringList presenti = QFontDatabase::families();
    for (const char* famiglia : {"MS Sans Serif", "Liberation Sans", "DejaVu Sans"})
        if (presenti.contains(QLatin1String(famiglia), Qt::CaseInsensitive))
            return QString::fromLatin1(famiglia);
    return QStringLiteral("Sans Serif");
}

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
    font.setPixelSize(form8::pixelDaPunti(misura.punti));
    font.setWeight(misura.grassetto ? QFont::Bold : QFont::Normal);
    return font;
}

QLabel* creaEtichetta(const Controllo& c, QWidget* parent)
{
    auto* etichetta = new QLabel(QString::fromUtf8(c.testo), parent);
    etichetta->setTextFormat(Qt::PlainText);
    etichetta->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (c.coloreTesto) {
        QPalette tavolozza = etichetta->palette();
        tavolozza.setColor(QPalette::WindowText,
                           QColor::fromRgb(form8::rgbDaColore(*c.coloreTesto)));
        etichetta->setPalette(tavolozza);
    }
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
        return new form8::RiquadroImmagine(QPixmap(QString::fromUtf8(c.testo)), parent);
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

Form8::Form8(QWidget* parent)
    : QWidget(parent),
      tela_(palette().color(QPalette::Window), palette().color(QPalette::WindowText))
{
    setWindowTitle(QString::fromUtf8(titolo));
    setFont(carattere(Carattere::finestra));
    resize(form8::rettangoloDaTwips(0, 0, larghezzaTwips, altezzaTwips).size());
    creaControlli();
    tela_.adatta(size(), devicePixelRatioF());
    connect(Command1, &QPushButton::clicked, this, &Form8::Command1_Click);
    // Each data field hands what is typed into it to its keystroke procedure.
    Text1->installEventFilter(
        new form8::FiltroTasti([this](std::int16_t& KeyAscii) { text1_KeyPress(KeyAscii); }, this));
    Text2->installEventFilter(
        new form8::FiltroTasti([this](std::int16_t& KeyAscii) { text2_KeyPress(KeyAscii); }, this));
    form8::descriviAccessibilita(*this);
}

void Form8::creaControlli()
{
    std::vector<std::pair<int, QWidget*>> focalizzabili;
    for (const Controllo& c : form8::controlli) {
        QWidget* controllo = crea(c, this);
        controllo->setObjectName(QString::fromLatin1(c.nome));
        controllo->setFont(carattere(c.carattere));
        controllo->setGeometry(
            form8::rettangoloDaTwips(c.sinistra, c.alto, c.larghezza, c.altezza));
        if (c.adattaAlTesto)
            controllo->adjustSize();
        if (controllo->focusPolicy() != Qt::NoFocus)
            focalizzabili.emplace_back(c.ordineTab, controllo);
    }
    Text1 = findChild<QLineEdit*>(QStringLiteral("Text1"));
    Text2 = findChild<QLineEdit*>(QStringLiteral("Text2"));
    Command1 = findChild<QPushButton*>(QStringLiteral("Command1"));
    Label3 = findChild<QLabel*>(QStringLiteral("Label3"));

    // The focus moves by tab position; the first control holds it at start.
    std::sort(focalizzabili.begin(), focalizzabili.end());
    for (std::size_t i = 1; i < focalizzabili.size(); ++i)
        setTabOrder(focalizzabili[i - 1].second, focalizzabili[i].second);
    focalizzabili.front().second->setFocus();
}

void Form8::Command1_Click()
{
    try {
        const std::string risultato =
            calc::calcolodist(tela_, Text1->text().toStdString(), Text2->text().toStdString());
        Label3->setText(QString::fromStdString(risultato));
        update(tela_.zona());
    } catch (const calc::ErroreCalcolo& errore) {
        // The run stopped where it failed and what it drew stays; the old
        // result beside the new inputs would be wrong, so it goes.
        Label3->clear();
        update(tela_.zona());
        QMessageBox::critical(this, windowTitle(), QString::fromUtf8(errore.what()));
    }
}

void Form8::paintEvent(QPaintEvent* event)
{
    Form_Paint(event->rect());
}

void Form8::Form_Paint(const QRect& zona)
{
    // The canvas already holds the frame and, on top of it, the last curve:
    // drawing the frame again would hide a curve that runs along an axis.
    tela_.adatta(size(), devicePixelRatioF());
    QPainter pittore(this);
    tela_.copia(pittore, zona);
}

void Form8::resizeEvent(QResizeEvent* event)
{
    tela_.adatta(size(), devicePixelRatioF());
    QWidget::resizeEvent(event);
}

void Form8::text1_KeyPress(short& KeyAscii)
{
    form8::filtranumerico(KeyAscii);
}

void Form8::text2_KeyPress(short& KeyAscii)
{
    form8::filtranumerico(KeyAscii);
}
