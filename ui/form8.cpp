// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form8.h"

#include "ui/accessibilita.h"
#include "ui/annuncio.h"
#include "ui/controlli.h"
#include "ui/diagramma.h"
#include "ui/fabbricacontrolli.h"
#include "ui/filtrotasti.h"
#include "ui/interfacceaccessibili.h"
#include "ui/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace {

using form8::Carattere;
using form8::riga;

const char* const titolo =
    "Misura della distanza di un bersaglio attivo mediante la riflessione dal fondo";

// The restored window's client area.
constexpr int larghezzaTwips = 4680;
constexpr int altezzaTwips = 3195;

} // namespace

Form8::Form8(QWidget* parent)
    : QWidget(parent), diagramma_(new form8::Diagramma(this)), annuncio_(new form8::Annuncio(this))
{
    form8::installaInterfacceAccessibili();
    setWindowTitle(QString::fromUtf8(titolo));
    setFont(form8::carattere(Carattere::finestra));
    resize(form8::rettangoloDaTwips(0, 0, larghezzaTwips, altezzaTwips).size());
    creaControlli();
    connect(Command1, &QPushButton::clicked, this, &Form8::Command1_Click);
    // Each data field hands what is typed into it to its keystroke procedure.
    Text1->installEventFilter(
        new form8::FiltroTasti([this](std::int16_t& KeyAscii) { text1_KeyPress(KeyAscii); }, this));
    Text2->installEventFilter(
        new form8::FiltroTasti([this](std::int16_t& KeyAscii) { text2_KeyPress(KeyAscii); }, this));
}

void Form8::creaControlli()
{
    creati_ = form8::creaControlli(this);
    Text1 = form8::controllo<riga("Text1")>(creati_);
    Text2 = form8::controllo<riga("Text2")>(creati_);
    Command1 = form8::controllo<riga("Command1")>(creati_);
    Label3 = form8::controllo<riga("Label3")>(creati_);
    form8::descriviAccessibilita(*this, creati_);

    std::vector<std::pair<int, QWidget*>> focalizzabili;
    for (std::size_t i = 0; i < creati_.size(); ++i)
        if (creati_[i]->focusPolicy() != Qt::NoFocus)
            focalizzabili.emplace_back(form8::controlli[i].ordineTab, creati_[i]);

    // The focus moves by tab position; the first control holds it at start.
    std::sort(focalizzabili.begin(), focalizzabili.end());
    for (std::size_t i = 1; i < focalizzabili.size(); ++i)
        setTabOrder(focalizzabili[i - 1].second, focalizzabili[i].second);
    focalizzabili.front().second->setFocus();
}

void Form8::Command1_Click()
{
    preparaTela();
    ultimoRun_ = Testi{Text1->text().toStdString(), Text2->text().toStdString()};
    QString risultato;
    QString errore;
    try {
        risultato = QString::fromStdString(
            calc::calcolodist(tela_, ultimoRun_->profondita, ultimoRun_->angolo));
        diagramma_->curvaPer(ultimoRun_->profondita);
    } catch (const calc::ErroreCalcolo& guasto) {
        // The run stopped where it failed and what it drew stays; the old
        // result beside the new inputs would be wrong, so it goes.
        errore = QString::fromUtf8(guasto.what());
        diagramma_->curvaInterrotta();
    }
    Label3->setText(risultato);
    // Heard at once, while the focus stays on the button.
    form8::annunciaRisultato(*annuncio_, *Label3);
    update(tela_.zona());
    if (!errore.isEmpty())
        QMessageBox::critical(this, windowTitle(), errore);
}

void Form8::paintEvent(QPaintEvent* event)
{
    Form_Paint(event->rect());
}

void Form8::Form_Paint(const QRect& zona)
{
    // The canvas already holds the frame and, on top of it, the last curve:
    // drawing the frame again would hide a curve that runs along an axis.
    preparaTela();
    QPainter pittore(this);
    tela_.copia(pittore, zona);
}

void Form8::changeEvent(QEvent* event)
{
    // A new colour scheme: the labels' own colours are chosen again against
    // the new window colour; the canvas follows at the next paint.
    if (event->type() == QEvent::PaletteChange)
        coloraEtichette();
    QWidget::changeEvent(event);
}

void Form8::preparaTela()
{
    // Moved to a screen of another scale, grown taller or given new colours,
    // the canvas starts again blank: the chart it kept is drawn again, from
    // the texts of the last run. A run that failed stops again where it did;
    // its message was shown then.
    const QPalette& tavolozza = palette();
    if (!tela_.adatta(size(), devicePixelRatioF(), tavolozza.color(QPalette::Window).rgb(),
                      tavolozza.color(QPalette::WindowText).rgb()))
        return;
    if (!ultimoRun_) {
        calc::disegnagriglia(tela_);
        return;
    }
    try {
        static_cast<void>(calc::calcolodist(tela_, ultimoRun_->profondita, ultimoRun_->angolo));
    } catch (const calc::ErroreCalcolo&) {
    }
}

void Form8::coloraEtichette()
{
    const QColor fondo = palette().color(QPalette::Window);
    for (std::size_t i = 0; i < creati_.size(); ++i) {
        const form8::Controllo& c = form8::controlli[i];
        // The rows with a text colour of their own are labels.
        if (c.coloreTesto)
            form8::coloraTesto(*static_cast<QLabel*>(creati_[i]), *c.coloreTesto, fondo);
    }
}

void Form8::text1_KeyPress(short& KeyAscii)
{
    form8::filtranumerico(KeyAscii);
}

void Form8::text2_KeyPress(short& KeyAscii)
{
    form8::filtranumerico(KeyAscii);
}
