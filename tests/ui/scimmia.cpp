// SPDX-License-Identifier: GPL-3.0-or-later
#include "scimmia.h"

#include "ui/form8.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include <array>
#include <string_view>

namespace prova {

namespace {

// What typing lets into a data field.
constexpr std::u16string_view digitabili = u"-+.0123456789";

// Characters beyond ASCII that keyboards type: accents, symbols, digits and
// signs of other scripts, one outside the BMP, and some with no glyph of
// their own (soft hyphen, zero-width ones, byte order mark, private use).
constexpr std::array<std::u16string_view, 30> oltreAscii{
    u"à",      u"è",      u"é",      u"ì",      u"ò",      u"ù",         u"°",      u"€",
    u"£",      u"§",      u"µ",      u"ß",      u"²",      u"½",         u"×",      u"÷",
    u"·",      u"„",      u"ω",      u"\u00A0", u"\u2212", u"\u0663",    u"\uFF15", u"\u2028",
    u"\u00AD", u"\u200B", u"\u200D", u"\uFEFF", u"\uE000", u"\U0001F600"};

// Keys that type no character, or a control code, with the text a real
// keyboard gives them.
struct TastoDiControllo
{
    Qt::Key tasto;
    std::u16string_view testo;
};

constexpr std::array<TastoDiControllo, 21> tastiDiControllo{{
    {Qt::Key_Return, u"\r"},   {Qt::Key_Enter, u"\r"},   {Qt::Key_Escape, u"\x1b"},
    {Qt::Key_Tab, u"\t"},      {Qt::Key_Backtab, u"\t"}, {Qt::Key_Backspace, u"\b"},
    {Qt::Key_Delete, u"\x7f"}, {Qt::Key_Insert, u""},    {Qt::Key_Left, u""},
    {Qt::Key_Right, u""},      {Qt::Key_Up, u""},        {Qt::Key_Down, u""},
    {Qt::Key_Home, u""},       {Qt::Key_End, u""},       {Qt::Key_PageUp, u""},
    {Qt::Key_PageDown, u""},   {Qt::Key_F1, u""},        {Qt::Key_F5, u""},
    {Qt::Key_Menu, u""},       {Qt::Key_Select, u""},    {Qt::Key_CapsLock, u""},
}};

constexpr std::array<double, 15> pesi{22, 12, 6, 18, 5, 2, 2, 6, 2, 14, 3, 1, 2, 1.5, 3};

QString qstring(std::u16string_view testo)
{
    return QString::fromUtf16(testo.data(), static_cast<qsizetype>(testo.size()));
}

QString nomeDi(const QWidget* w)
{
    return w->objectName().isEmpty() ? QStringLiteral("the window") : w->objectName();
}

} // namespace

QString mostra(const QString& testo)
{
    const auto codifica = [](const QString& parte) {
        QString scritto;
        for (const QChar c : parte)
            if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
                scritto += c;
            else
                scritto += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        return scritto;
    };
    constexpr qsizetype lungo = 48;
    if (testo.size() <= lungo)
        return u'"' + codifica(testo) + u'"';
    return QStringLiteral("\"%1...%2\" (%3 chars)")
        .arg(codifica(testo.left(24)), codifica(testo.right(12)))
        .arg(testo.size());
}

Scimmia::Scimmia(Form8& finestra, std::uint32_t seme) : finestra_(finestra), caso_(seme)
{
    bersagli_ = finestra.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    bersagli_ << &finestra;
}

QWidget* Scimmia::fuoco() const
{
    // Keys go where the focus is, the window itself when no control has it.
    QWidget* const w = finestra_.focusWidget();
    return w != nullptr ? w : &finestra_;
}

QWidget* Scimmia::campoACaso()
{
    return finestra_.findChild<QLineEdit*>(probabile(0.5) ? QStringLiteral("Text1")
                                                          : QStringLiteral("Text2"));
}

Qt::KeyboardModifiers Scimmia::modificatori()
{
    Qt::KeyboardModifiers mod;
    if (probabile(0.65))
        return mod;
    mod.setFlag(Qt::ShiftModifier, probabile(0.5));
    mod.setFlag(Qt::ControlModifier, probabile(0.4));
    mod.setFlag(Qt::AltModifier, probabile(0.3));
    mod.setFlag(Qt::MetaModifier, probabile(0.1));
    mod.setFlag(Qt::KeypadModifier, probabile(0.1));
    return mod;
}

QString Scimmia::testoCasuale()
{
    QString testo;
    const auto cifre = [&](int quante) {
        for (int i = 0; i < quante; ++i)
            testo += QChar(u'0' + numero(0, 9));
    };
    switch (numero(0, 9)) {
    case 0: // nothing to paste
        break;
    case 1:
    case 2: // a number as a user writes it
        if (probabile(0.3))
            testo += probabile(0.5) ? u'-' : u'+';
        cifre(numero(1, 8));
        if (probabile(0.4)) {
            testo += u'.';
            cifre(numero(0, 5));
        }
        break;
    case 3:
    case 4: // what typing would let in, in any order
        for (int i = numero(1, 6); i > 0; --i)
            testo += QChar(scegli(digitabili));
        break;
    case 5: // a very long run of digits: beyond the double range, or below it
        if (probabile(0.3))
            testo += u'-';
        if (probabile(0.3))
            testo += QStringLiteral("0.");
        testo += u'1';
        cifre(numero(290, 420));
        break;
    default: { // anything from the clipboard of a careless user
        constexpr std::u16string_view misto = u"0123456789-+.,  \t\nabcxyzeE";
        for (int i = numero(1, 16); i > 0; --i)
            testo += probabile(0.1) ? qstring(scegli(oltreAscii)) : QString(QChar(scegli(misto)));
        break;
    }
    }
    return testo;
}

void Scimmia::premi(QWidget* dove, Qt::Key tasto, const QString& testo, Qt::KeyboardModifiers mod)
{
    azione_ += QStringLiteral(" key 0x%1 %2 mod 0x%3 on %4;")
                   .arg(static_cast<int>(tasto), 0, 16)
                   .arg(mostra(testo))
                   .arg(mod.toInt(), 0, 16)
                   .arg(nomeDi(dove));
    QTest::sendKeyEvent(QTest::Click, dove, tasto, testo, mod);
}

void Scimmia::tasto(Azione azione)
{
    QWidget* const dove = fuoco();
    switch (azione) {
    case Azione::digitabile: {
        const QChar c = QChar(scegli(digitabili));
        premi(dove, Qt::Key(c.unicode()), c, probabile(0.2) ? Qt::KeypadModifier : modificatori());
        break;
    }
    case Azione::stampabile: {
        const QChar c(numero(0x20, 0x7E));
        // A letter's key is named by its capital.
        premi(dove, Qt::Key(c.toUpper().unicode()), c, modificatori());
        break;
    }
    case Azione::oltreAscii:
        premi(dove, Qt::Key_unknown, qstring(scegli(oltreAscii)), modificatori());
        break;
    case Azione::controllo: {
        const TastoDiControllo& t = scegli(tastiDiControllo);
        Qt::KeyboardModifiers mod = modificatori();
        if (t.tasto == Qt::Key_Backtab)
            mod |= Qt::ShiftModifier;
        premi(dove, t.tasto, qstring(t.testo), mod);
        break;
    }
    case Azione::ctrlLettera: {
        const int lettera = numero(0, 25);
        Qt::KeyboardModifiers mod = Qt::ControlModifier;
        mod.setFlag(Qt::ShiftModifier, probabile(0.3));
        // Offscreen the text is the letter; under X11 the control code.
        const QChar testo = probabile(0.5) ? QChar(u'a' + lettera) : QChar(lettera + 1);
        premi(dove, Qt::Key(Qt::Key_A + lettera), testo, mod);
        break;
    }
    case Azione::piuCaratteri: {
        // One key press that types a few characters at once.
        QString testo;
        for (int i = numero(2, 3); i > 0; --i)
            testo += probabile(0.7) ? QString(QChar(scegli(digitabili)))
                                    : QString(QChar(numero(0x20, 0x7E)));
        premi(dove, Qt::Key_unknown, testo, Qt::NoModifier);
        break;
    }
    case Azione::composizione: {
        // What an input method commits.
        const QString testo = testoCasuale().left(8);
        azione_ +=
            QStringLiteral(" input method commits %1 on %2;").arg(mostra(testo), nomeDi(dove));
        QInputMethodEvent evento;
        evento.setCommitString(testo);
        QApplication::sendEvent(dove, &evento);
        break;
    }
    default:
        break;
    }
}

void Scimmia::clicSu(QWidget* dove, Qt::MouseButton tasto, bool doppio, Qt::KeyboardModifiers mod)
{
    // Clear of the button's edge, where its bevel may not reach.
    const int margine = qobject_cast<QPushButton*>(dove) != nullptr ? 4 : 0;
    const QRect dentro = dove->rect().adjusted(margine, margine, -margine, -margine);
    const QPoint punto = dentro.isEmpty() ? dove->rect().center()
                                          : QPoint(numero(dentro.left(), dentro.right()),
                                                   numero(dentro.top(), dentro.bottom()));
    azione_ += QStringLiteral(" %1click button %2 mod 0x%3 at %4,%5 on %6;")
                   .arg(doppio ? QStringLiteral("double ") : QString())
                   .arg(static_cast<int>(tasto))
                   .arg(mod.toInt(), 0, 16)
                   .arg(punto.x())
                   .arg(punto.y())
                   .arg(nomeDi(dove));
    QTest::mouseClick(dove, tasto, mod, punto);
    if (doppio) {
        // The second press of a double click arrives as the double click.
        QTest::mouseDClick(dove, tasto, mod, punto);
        QTest::mouseRelease(dove, tasto, mod, punto);
    }
    if (tasto == Qt::RightButton) {
        const bool campo = qobject_cast<QLineEdit*>(dove) != nullptr;
        // A field's menu pops up, and the offscreen platform warns of what
        // it cannot do for a popup: its limits, not the program's.
        if (campo) {
            QTest::ignoreMessage(QtWarningMsg, "This plugin does not support raise()");
            QTest::ignoreMessage(QtWarningMsg,
                                 "This plugin does not support grabbing the keyboard");
        }
        // What the window system sends after a right press.
        QContextMenuEvent menu(QContextMenuEvent::Mouse, punto, dove->mapToGlobal(punto), mod);
        QApplication::sendEvent(dove, &menu);
        if (campo)
            usaMenu(dove);
    }
}

void Scimmia::usaMenu(QWidget* dove)
{
    // Any item of the field's own menu, whatever it does.
    auto* const menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr)
        return;
    QList<QAction*> voci;
    for (QAction* voce : menu->actions())
        if (voce->isEnabled() && !voce->isSeparator())
            voci << voce;
    if (voci.isEmpty() || probabile(0.2)) {
        azione_ += QStringLiteral(" menu closed;");
        QTest::keyClick(menu, Qt::Key_Escape);
        return;
    }
    QAction* const voce = scegli(voci);
    azione_ += QStringLiteral(" menu item %1 on %2;").arg(mostra(voce->text()), nomeDi(dove));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(voce).center());
}

void Scimmia::incolla()
{
    const QString testo = testoCasuale();
    QGuiApplication::clipboard()->setText(testo);
    QWidget* const dove = campoACaso();
    azione_ += QStringLiteral(" clipboard %1;").arg(mostra(testo));
    clicSu(dove, Qt::LeftButton, false, Qt::NoModifier);
    premi(dove, Qt::Key_Insert, {}, Qt::ShiftModifier);
}

void Scimmia::svuota()
{
    QWidget* const dove = campoACaso();
    clicSu(dove, Qt::LeftButton, false, Qt::NoModifier);
    premi(dove, Qt::Key_End, {}, Qt::NoModifier);
    premi(dove, Qt::Key_Home, {}, Qt::ShiftModifier);
    if (probabile(0.5))
        premi(dove, Qt::Key_Delete, QStringLiteral("\x7f"), Qt::NoModifier);
    else
        premi(dove, Qt::Key_Backspace, QStringLiteral("\b"), Qt::NoModifier);
}

void Scimmia::clic()
{
    QWidget* const dove = scegli(bersagli_);
    const int tipo = numero(0, 19);
    const Qt::MouseButton tasto = tipo < 15   ? Qt::LeftButton
                                  : tipo < 17 ? Qt::RightButton
                                  : tipo < 18 ? Qt::MiddleButton
                                              : Qt::LeftButton;
    const Qt::KeyboardModifiers mod = probabile(0.1) ? modificatori() : Qt::NoModifier;
    clicSu(dove, tasto, tipo >= 18, mod);
}

void Scimmia::cambiaStato()
{
    switch (numero(0, 3)) {
    case 0:
        azione_ += QStringLiteral(" minimise;");
        finestra_.showMinimized();
        break;
    case 1:
        azione_ += QStringLiteral(" maximise;");
        finestra_.showMaximized();
        break;
    case 2:
        azione_ += QStringLiteral(" restore;");
        finestra_.showNormal();
        break;
    default:
        azione_ += QStringLiteral(" restore and activate;");
        finestra_.showNormal();
        finestra_.activateWindow();
        break;
    }
}

void Scimmia::ridisegna()
{
    switch (numero(0, 9)) {
    case 0:
        azione_ += QStringLiteral(" grab;");
        static_cast<void>(finestra_.grab());
        break;
    case 1:
    case 2:
    case 3:
        azione_ += QStringLiteral(" update;");
        finestra_.update();
        break;
    case 4: {
        QWidget* const dove = scegli(bersagli_);
        azione_ += QStringLiteral(" repaint %1;").arg(nomeDi(dove));
        dove->repaint();
        break;
    }
    default:
        azione_ += QStringLiteral(" repaint;");
        finestra_.repaint();
        break;
    }
}

void Scimmia::agisci()
{
    azione_.clear();
    std::discrete_distribution<int> azioni(pesi.begin(), pesi.end());
    const auto azione = static_cast<Azione>(azioni(caso_));
    switch (azione) {
    case Azione::incolla:
        incolla();
        break;
    case Azione::svuota:
        svuota();
        break;
    case Azione::clic:
        clic();
        break;
    case Azione::clicCalcolo:
        clicSu(finestra_.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton, false,
               Qt::NoModifier);
        break;
    case Azione::menu:
        clicSu(campoACaso(), Qt::RightButton, false, Qt::NoModifier);
        break;
    case Azione::ridimensiona: {
        const QSize misura(numero(1, 1400), numero(1, 1000));
        azione_ += QStringLiteral(" resize %1x%2;").arg(misura.width()).arg(misura.height());
        finestra_.resize(misura);
        break;
    }
    case Azione::stato:
        cambiaStato();
        break;
    case Azione::ridisegna:
        ridisegna();
        break;
    default:
        tasto(azione);
        break;
    }
    QCoreApplication::processEvents();
    // A menu left open would take the next clicks; a user would close it.
    while (QWidget* const aperto = QApplication::activePopupWidget())
        aperto->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ultime_.push_back(azione_);
    if (ultime_.size() > 6)
        ultime_.pop_front();
}

QString Scimmia::storia() const
{
    QString testo;
    for (const QString& fatta : ultime_)
        testo += QStringLiteral("\n   ") + fatta;
    return testo;
}

} // namespace prova
