// A monkey test of the whole window: thousands of random keys, pastes,
// clicks, resizes and repaints on the real Form8, replayable from the seed
// it prints (MISURA_SEME=n picks another). After each action the data fields may hold only what
// typing lets in plus what was pasted into them, and every run must show what the calculation gives
// for the fields' texts, or its error in a message box.

#include "finestradiprova.h"
#include "principale.h"
#include "sorvegliante.h"

#include "calc/calcolo.h"
#include "ui/form8.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QtTest>

#include <array>
#include <cstdint>
#include <deque>
#include <random>
#include <string>
#include <string_view>

namespace {

constexpr std::uint32_t semeFisso = 20240917;
constexpr int numeroAzioni = 20000;

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

QString qstring(std::u16string_view testo)
{
    return QString::fromUtf16(testo.data(), static_cast<qsizetype>(testo.size()));
}

std::uint32_t semeDellaProva()
{
    const QByteArray scelto = qgetenv("MISURA_SEME");
    if (scelto.isEmpty())
        return semeFisso;
    bool valido = false;
    const uint seme = scelto.toUInt(&valido);
    if (!valido)
        qFatal("MISURA_SEME is not a whole number: %s", scelto.constData());
    return seme;
}

// The expected outcome of a run needs calc's answer only, not its drawing.
class NessunDisegno final : public calc::AreaDisegno
{
public:
    void pulisci() override {}
    void punto(float, float) override {}
    void punto(float, float, calc::Colore) override {}
    void linea(float, float, float, float) override {}
};

// What a run shows: a result, or the message of the error that stopped it.
struct Esito
{
    QString risultato;
    QString errore;

    bool operator==(const Esito&) const = default;
};

template <class Calcolo> Esito esito(Calcolo calcolo)
{
    try {
        return {QString::fromStdString(calcolo()), {}};
    } catch (const calc::ErroreCalcolo& errore) {
        return {{}, QString::fromUtf8(errore.what())};
    }
}

// The whole run, as the button does it: the chart can fail before the result.
Esito esitoDelRun(const QString& profondita, const QString& angolo)
{
    const std::string h = profondita.toStdString();
    const std::string b = angolo.toStdString();
    NessunDisegno area;
    return esito([&] { return calc::calcolodist(area, h, b); });
}

// The result straight from the formula, to cross-check a run that succeeds.
Esito esitoDellaFormula(const QString& profondita, const QString& angolo)
{
    const std::string h = profondita.toStdString();
    const std::string b = angolo.toStdString();
    return esito([&] {
        return calc::testorisultato(calc::distfondo(calc::valoretesto(h), calc::valoretesto(b)));
    });
}

// A text as a failure message can show it: quoted, the invisible and the
// non-ASCII characters as code points, a long one cut in the middle.
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

QString nomeDi(const QWidget* w)
{
    return w->objectName().isEmpty() ? QStringLiteral("the window") : w->objectName();
}

// The kinds of action, in the proportions the monkey picks them.
enum class Azione
{
    digitabile,
    stampabile,
    oltreAscii,
    controllo,
    ctrlLettera,
    piuCaratteri,
    composizione,
    incolla,
    svuota,
    clic,
    clicCalcolo,
    menu,
    ridimensiona,
    stato,
    ridisegna,
};

constexpr std::array<double, 15> pesi{22, 12, 6, 18, 5, 2, 2, 6, 2, 14, 3, 1, 2, 1.5, 3};

class Scimmia
{
public:
    Scimmia(Form8& finestra, prova::Sorvegliante& sorvegliante, std::uint32_t seme);
    ~Scimmia() { QObject::disconnect(connessione_); }
    Scimmia(const Scimmia&) = delete;
    Scimmia& operator=(const Scimmia&) = delete;

    void agisci();
    // Empty when the window is as it must be after the last action.
    QString controlla();

    int risultati() const { return risultati_; }
    int errori() const { return errori_; }

private:
    int numero(int da, int a) { return std::uniform_int_distribution<int>(da, a)(caso_); }
    bool probabile(double p) { return std::bernoulli_distribution(p)(caso_); }
    template <class Insieme> const auto& scegli(const Insieme& insieme)
    {
        return insieme[static_cast<std::size_t>(numero(0, static_cast<int>(insieme.size()) - 1))];
    }

    // Keys go where the focus is, the window itself when no control has it.
    QWidget* fuoco() const
    {
        QWidget* const w = finestra_.focusWidget();
        return w != nullptr ? w : &finestra_;
    }
    int campo(const QWidget* w) const { return w == text1_ ? 0 : w == text2_ ? 1 : -1; }
    QPoint puntoDentro(const QWidget& w, int margine);
    Qt::KeyboardModifiers modificatori();
    QString testoCasuale();

    void premi(QWidget* dove, Qt::Key tasto, const QString& testo, Qt::KeyboardModifiers mod);
    void incollatoIn(const QWidget* dove);
    void runAtteso();
    void clicSu(QWidget* dove, Qt::MouseButton tasto, bool doppio, Qt::KeyboardModifiers mod);
    void usaMenu(QWidget* dove);
    void tasto(Azione azione);
    void incolla();
    void svuota();
    void clic();
    void cambiaStato();
    void ridisegna();
    void dopoUnRun();
    void guasto(const QString& perche) { guasti_ << perche; }

    Form8& finestra_;
    prova::Sorvegliante& sorvegliante_;
    std::mt19937 caso_;
    std::discrete_distribution<int> azioni_{pesi.begin(), pesi.end()};

    QLineEdit* const text1_;
    QLineEdit* const text2_;
    QPushButton* const command1_;
    QLabel* const label3_;
    QList<QWidget*> bersagli_; // every control and the window's own background
    QMetaObject::Connection connessione_;

    // The characters each field may hold: what typing lets in and whatever
    // was pasted into it so far.
    std::array<QSet<QChar>, 2> possibili_;

    QString azione_;
    std::deque<QString> ultime_;
    QStringList guasti_;
    int runAttesi_ = 0;
    int runVisti_ = 0;
    int risultati_ = 0;
    int errori_ = 0;
    std::size_t messaggiVisti_ = 0;
};

Scimmia::Scimmia(Form8& finestra, prova::Sorvegliante& sorvegliante, std::uint32_t seme)
    : finestra_(finestra), sorvegliante_(sorvegliante), caso_(seme),
      text1_(finestra.findChild<QLineEdit*>(QStringLiteral("Text1"))),
      text2_(finestra.findChild<QLineEdit*>(QStringLiteral("Text2"))),
      command1_(finestra.findChild<QPushButton*>(QStringLiteral("Command1"))),
      label3_(finestra.findChild<QLabel*>(QStringLiteral("Label3")))
{
    if (!text1_ || !text2_ || !command1_ || !label3_)
        qFatal("a control of Form8 is missing");
    bersagli_ = finestra.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    bersagli_ << &finestra;
    for (auto& insieme : possibili_)
        for (const char16_t c : digitabili)
            insieme.insert(QChar(c));
    for (const QLineEdit* iniziale : {text1_, text2_})
        for (const QChar c : iniziale->text())
            possibili_[static_cast<std::size_t>(campo(iniziale))].insert(c);
    // Connected after the window's own slot, so this runs once the run is
    // over and its message box, if any, has been closed.
    connessione_ =
        QObject::connect(command1_, &QPushButton::clicked, command1_, [this] { dopoUnRun(); });
    // Every message box is let through and closed: the check of the run
    // that showed it tells whether it was the right one.
    for (int i = 0; i < 2 * numeroAzioni + 2; ++i)
        sorvegliante_.attendi();
}

QPoint Scimmia::puntoDentro(const QWidget& w, int margine)
{
    const QRect dentro = w.rect().adjusted(margine, margine, -margine, -margine);
    if (dentro.isEmpty())
        return w.rect().center();
    return {numero(dentro.left(), dentro.right()), numero(dentro.top(), dentro.bottom())};
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

void Scimmia::incollatoIn(const QWidget* dove)
{
    const int indice = campo(dove);
    if (indice < 0)
        return;
    for (const QChar c : QGuiApplication::clipboard()->text())
        possibili_[static_cast<std::size_t>(indice)].insert(c);
}

void Scimmia::premi(QWidget* dove, Qt::Key tasto, const QString& testo, Qt::KeyboardModifiers mod)
{
    // The button clicks on these whatever the modifiers.
    if (dove == command1_ && (tasto == Qt::Key_Space || tasto == Qt::Key_Return ||
                              tasto == Qt::Key_Enter || tasto == Qt::Key_Select))
        runAtteso();
    // Shift+Insert pastes, and nothing filters it.
    if (tasto == Qt::Key_Insert && (mod & ~Qt::KeypadModifier) == Qt::ShiftModifier)
        incollatoIn(dove);
    azione_ += QStringLiteral(" key 0x%1 %2 mod 0x%3 on %4;")
                   .arg(static_cast<int>(tasto), 0, 16)
                   .arg(mostra(testo))
                   .arg(mod.toInt(), 0, 16)
                   .arg(nomeDi(dove));
    QTest::sendKeyEvent(QTest::Click, dove, tasto, testo, mod);
}

void Scimmia::runAtteso()
{
    ++runAttesi_;
    // The offscreen platform warns that it cannot pass on size hints each
    // time a message box shows: its limit, not the program's.
    if (!esitoDelRun(text1_->text(), text2_->text()).errore.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, "This plugin does not support propagateSizeHints()");
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
        // What an input method commits counts as typed.
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
    const QPoint punto = puntoDentro(*dove, dove == command1_ ? 4 : 0);
    azione_ += QStringLiteral(" %1click button %2 mod 0x%3 at %4,%5 on %6;")
                   .arg(doppio ? QStringLiteral("double ") : QString())
                   .arg(static_cast<int>(tasto))
                   .arg(mod.toInt(), 0, 16)
                   .arg(punto.x())
                   .arg(punto.y())
                   .arg(nomeDi(dove));
    if (dove == command1_ && tasto == Qt::LeftButton)
        for (int i = doppio ? 2 : 1; i > 0; --i)
            runAtteso();
    QTest::mouseClick(dove, tasto, mod, punto);
    if (doppio) {
        // The second press of a double click arrives as the double click.
        QTest::mouseDClick(dove, tasto, mod, punto);
        QTest::mouseRelease(dove, tasto, mod, punto);
    }
    if (tasto == Qt::RightButton) {
        // A field's menu pops up, and the offscreen platform warns of what
        // it cannot do for a popup: its limits, not the program's.
        if (campo(dove) >= 0) {
            QTest::ignoreMessage(QtWarningMsg, "This plugin does not support raise()");
            QTest::ignoreMessage(QtWarningMsg,
                                 "This plugin does not support grabbing the keyboard");
        }
        // What the window system sends after a right press.
        QContextMenuEvent menu(QContextMenuEvent::Mouse, punto, dove->mapToGlobal(punto), mod);
        QApplication::sendEvent(dove, &menu);
        usaMenu(dove);
    }
}

void Scimmia::usaMenu(QWidget* dove)
{
    auto* const menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (campo(dove) < 0 || menu == nullptr)
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
    azione_ += QStringLiteral(" menu item %1;").arg(mostra(voce->text()));
    if (voce->text().startsWith(QLatin1String("&Paste")))
        incollatoIn(dove);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(voce).center());
}

void Scimmia::incolla()
{
    const QString testo = testoCasuale();
    QGuiApplication::clipboard()->setText(testo);
    QLineEdit* const dove = probabile(0.5) ? text1_ : text2_;
    azione_ += QStringLiteral(" clipboard %1;").arg(mostra(testo));
    clicSu(dove, Qt::LeftButton, false, Qt::NoModifier);
    premi(dove, Qt::Key_Insert, {}, Qt::ShiftModifier);
}

void Scimmia::svuota()
{
    QLineEdit* const dove = probabile(0.5) ? text1_ : text2_;
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
    runAttesi_ = 0;
    runVisti_ = 0;
    const auto azione = static_cast<Azione>(azioni_(caso_));
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
        clicSu(command1_, Qt::LeftButton, false, Qt::NoModifier);
        break;
    case Azione::menu:
        clicSu(probabile(0.5) ? text1_ : text2_, Qt::RightButton, false, Qt::NoModifier);
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

void Scimmia::dopoUnRun()
{
    ++runVisti_;
    const QString profondita = text1_->text();
    const QString angolo = text2_->text();
    const Esito atteso = esitoDelRun(profondita, angolo);
    const QString mostrato = label3_->text();
    const std::size_t nuovi = sorvegliante_.visti.size() - messaggiVisti_;
    messaggiVisti_ = sorvegliante_.visti.size();
    const QString dati =
        QStringLiteral("run on depth %1, angle %2: ").arg(mostra(profondita), mostra(angolo));

    if (atteso.errore.isEmpty()) {
        ++risultati_;
        if (mostrato != atteso.risultato)
            guasto(dati + QStringLiteral("Label3 shows %1, not %2")
                              .arg(mostra(mostrato), mostra(atteso.risultato)));
        const Esito formula = esitoDellaFormula(profondita, angolo);
        if (formula != atteso)
            guasto(dati +
                   QStringLiteral("the run gives %1 but the formula %2%3")
                       .arg(mostra(atteso.risultato), mostra(formula.risultato), formula.errore));
        if (nuovi != 0)
            guasto(dati + QStringLiteral("a message box after a run that succeeded"));
        return;
    }
    ++errori_;
    if (!mostrato.isEmpty())
        guasto(dati +
               QStringLiteral("Label3 shows %1 after %2").arg(mostra(mostrato), atteso.errore));
    if (nuovi != 1) {
        guasto(dati + QStringLiteral("%1 message boxes instead of one saying %2")
                          .arg(nuovi)
                          .arg(atteso.errore));
        return;
    }
    const prova::Dialogo& visto = sorvegliante_.visti.back();
    if (visto.titolo != finestra_.windowTitle() || visto.testo != atteso.errore)
        guasto(dati + QStringLiteral("message box %1: %2 instead of the caption and %3")
                          .arg(mostra(visto.titolo), mostra(visto.testo), atteso.errore));
}

QString Scimmia::controlla()
{
    QStringList problemi = guasti_;
    guasti_.clear();
    if (runVisti_ != runAttesi_)
        problemi << QStringLiteral("%1 runs instead of %2").arg(runVisti_).arg(runAttesi_);
    if (sorvegliante_.visti.size() != messaggiVisti_)
        problemi << QStringLiteral("a message box outside a run: %1")
                        .arg(mostra(sorvegliante_.visti.back().testo));
    if (!sorvegliante_.inattesi.empty())
        problemi << QStringLiteral("a dialog other than a message box: %1")
                        .arg(mostra(sorvegliante_.inattesi.back().titolo));
    if (!finestra_.isVisible())
        problemi << QStringLiteral("the window is gone");
    for (const QLineEdit* dati : {text1_, text2_}) {
        const auto& possibili = possibili_[static_cast<std::size_t>(campo(dati))];
        for (const QChar c : dati->text())
            if (!possibili.contains(c)) {
                problemi << QStringLiteral("%1 holds \\u%2, neither typeable nor pasted: %3")
                                .arg(dati->objectName())
                                .arg(c.unicode(), 4, 16, QLatin1Char('0'))
                                .arg(mostra(dati->text()));
                break;
            }
    }
    if (problemi.isEmpty())
        return {};
    QString storia;
    for (const QString& fatta : ultime_)
        storia += QStringLiteral("\n   ") + fatta;
    return problemi.join(QStringLiteral("; ")) + QStringLiteral("\n  the last actions:") + storia;
}

} // namespace

class TestScimmia : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void scimmia();

private:
    prova::FinestraDiProva banco_;
};

void TestScimmia::init()
{
    QVERIFY(banco_.apri(true));
}

void TestScimmia::cleanup()
{
    QVERIFY2(banco_.chiudi(), "a dialog appeared that the test did not expect");
}

void TestScimmia::scimmia()
{
    const std::uint32_t seme = semeDellaProva();
    qInfo("MISURA_SEME=%u replays this run", seme);

    Form8& finestra = banco_.finestra();
    prova::Sorvegliante& sorvegliante = banco_.sorvegliante();
    {
        Scimmia scimmia(finestra, sorvegliante, seme);
        for (int i = 1; i <= numeroAzioni; ++i) {
            scimmia.agisci();
            const QString guasto = scimmia.controlla();
            QVERIFY2(
                guasto.isEmpty(),
                qPrintable(
                    QStringLiteral("MISURA_SEME=%1, action %2: %3").arg(seme).arg(i).arg(guasto)));
        }
        qInfo("%d runs with a result, %d with a message", scimmia.risultati(), scimmia.errori());
        // Both ends of a run were reached, or the checks above proved little.
        QVERIFY(scimmia.risultati() > 0);
        QVERIFY(scimmia.errori() > 0);
    }

    // The program goes on as at the start.
    finestra.showNormal();
    finestra.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("1000"));
    finestra.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("7"));
    const std::size_t prima = sorvegliante.visti.size();
    QTest::mouseClick(finestra.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(finestra.findChild<QLabel*>(QStringLiteral("Label3"))->text(),
             QStringLiteral("16288"));
    QCOMPARE(sorvegliante.visti.size(), prima);
    QVERIFY(sorvegliante.inattesi.empty());
}

MISURA_TEST_MAIN(TestScimmia)
#include "test_scimmia.moc"
