// SPDX-License-Identifier: GPL-3.0-or-later
// The monkey test of the whole window: thousands of random actions from the
// seeded driver in scimmia.h, replayable from the seed it prints
// (MISURA_SEME=n picks another), and after each one the checks that hold
// whatever was done: the data fields hold only what typing lets in plus what
// was pasted into them, and every run of "Calcolo" leaves in Label3 the
// result for the fields' texts, or leaves it empty beside a message box that
// names the error.

#include "finestradiprova.h"
#include "principale.h"
#include "scimmia.h"
#include "sorvegliante.h"

#include "calc/calcolo.h"
#include "ui/form8.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QtTest>

#include <array>
#include <cstdint>
#include <string>

namespace {

constexpr std::uint32_t semeFisso = 20240917;
constexpr int numeroAzioni = 20000;

// What typing lets into a data field.
const QString digitabili = QStringLiteral("-+.0123456789");

const QString titolo = QStringLiteral(
    "Misura della distanza di un bersaglio attivo mediante la riflessione dal fondo");

// The offscreen platform warns so each time a message box shows: its limit,
// not the program's.
constexpr char senzaSuggerimenti[] = "This plugin does not support propagateSizeHints()";

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

QSet<QChar> caratteri(const QString& testo)
{
    return {testo.begin(), testo.end()};
}

// Watches the window through the monkey's actions. Every press of Command1,
// whatever caused it, is a run to check once the window's own handler has
// finished with it.
class Controllore
{
public:
    Controllore(Form8& finestra, prova::Sorvegliante& sorvegliante);
    ~Controllore();
    Controllore(const Controllore&) = delete;
    Controllore& operator=(const Controllore&) = delete;

    // Before an action.
    void prima();
    // After it: empty when the window is as it must be.
    QString controlla();

    int risultati = 0;
    int errori = 0;

private:
    void allaPressione();
    void dopoUnRun();

    Form8& finestra_;
    prova::Sorvegliante& sorvegliante_;
    std::array<QLineEdit*, 2> campi_;
    QPushButton* const command1_;
    QLabel* const label3_;
    QMetaObject::Connection pressione_;
    QMetaObject::Connection clic_;

    // What each field held after each action so far, all of it checked:
    // undo may bring any of it back.
    std::array<QSet<QChar>, 2> tenuti_;
    QString appuntiPrima_;
    QString mostratoDopoLUltimoRun_;
    int run_ = 0;
    std::size_t messaggiVisti_ = 0;
    QStringList guasti_;
};

Controllore::Controllore(Form8& finestra, prova::Sorvegliante& sorvegliante)
    : finestra_(finestra),
      sorvegliante_(sorvegliante), campi_{finestra.findChild<QLineEdit*>(QStringLiteral("Text1")),
                                          finestra.findChild<QLineEdit*>(QStringLiteral("Text2"))},
      command1_(finestra.findChild<QPushButton*>(QStringLiteral("Command1"))),
      label3_(finestra.findChild<QLabel*>(QStringLiteral("Label3")))
{
    if (!campi_[0] || !campi_[1] || !command1_ || !label3_)
        qFatal("a control of Form8 is missing");
    for (std::size_t i = 0; i < campi_.size(); ++i)
        tenuti_[i] = caratteri(campi_[i]->text());
    mostratoDopoLUltimoRun_ = label3_->text();
    pressione_ =
        QObject::connect(command1_, &QPushButton::pressed, command1_, [this] { allaPressione(); });
    // Connected after the window's own handler, so this runs once the run
    // is over and its message box, if any, has been closed.
    clic_ = QObject::connect(command1_, &QPushButton::clicked, command1_, [this] { dopoUnRun(); });
}

Controllore::~Controllore()
{
    QObject::disconnect(pressione_);
    QObject::disconnect(clic_);
}

void Controllore::prima()
{
    run_ = 0;
    appuntiPrima_ = QGuiApplication::clipboard()->text();
}

void Controllore::allaPressione()
{
    // A run that fails shows one message box: the watchdog closes it.
    if (!esitoDelRun(campi_[0]->text(), campi_[1]->text()).errore.isEmpty()) {
        sorvegliante_.attendi();
        QTest::ignoreMessage(QtWarningMsg, senzaSuggerimenti);
    }
}

void Controllore::dopoUnRun()
{
    using prova::mostra;
    ++run_;
    const QString profondita = campi_[0]->text();
    const QString angolo = campi_[1]->text();
    const Esito atteso = esitoDelRun(profondita, angolo);
    const QString mostrato = label3_->text();
    mostratoDopoLUltimoRun_ = mostrato;
    const std::size_t nuovi = sorvegliante_.visti.size() - messaggiVisti_;
    messaggiVisti_ = sorvegliante_.visti.size();
    const QString dati =
        QStringLiteral("run on depth %1, angle %2: ").arg(mostra(profondita), mostra(angolo));

    if (atteso.errore.isEmpty()) {
        ++risultati;
        if (mostrato != atteso.risultato)
            guasti_ << dati + QStringLiteral("Label3 shows %1, not %2")
                                  .arg(mostra(mostrato), mostra(atteso.risultato));
        const Esito formula = esitoDellaFormula(profondita, angolo);
        if (formula != atteso)
            guasti_ << dati + QStringLiteral("the run gives %1 but the formula %2%3")
                                  .arg(mostra(atteso.risultato), mostra(formula.risultato),
                                       formula.errore);
        if (nuovi != 0)
            guasti_ << dati + QStringLiteral("a message box after a run that succeeded");
        return;
    }
    ++errori;
    if (!mostrato.isEmpty())
        guasti_ << dati + QStringLiteral("Label3 shows %1 after %2")
                              .arg(mostra(mostrato), atteso.errore);
    if (nuovi != 1) {
        guasti_ << dati + QStringLiteral("%1 message boxes instead of one saying %2")
                              .arg(nuovi)
                              .arg(atteso.errore);
        return;
    }
    const prova::Dialogo& visto = sorvegliante_.visti.back();
    if (visto.titolo != titolo || visto.testo != atteso.errore)
        guasti_ << dati + QStringLiteral("message box %1: %2 instead of the caption and %3")
                              .arg(mostra(visto.titolo), mostra(visto.testo), atteso.errore);
}

QString Controllore::controlla()
{
    using prova::mostra;
    QStringList problemi = guasti_;
    guasti_.clear();
    if (sorvegliante_.visti.size() != messaggiVisti_)
        problemi << QStringLiteral("a message box outside a run: %1")
                        .arg(mostra(sorvegliante_.visti.back().testo));
    if (!sorvegliante_.inattesi.empty())
        problemi << QStringLiteral("a dialog nobody expected: %1: %2")
                        .arg(mostra(sorvegliante_.inattesi.back().titolo),
                             mostra(sorvegliante_.inattesi.back().testo));
    if (!finestra_.isVisible())
        problemi << QStringLiteral("the window is gone");
    if (run_ == 0 && label3_->text() != mostratoDopoLUltimoRun_)
        problemi
            << QStringLiteral("Label3 changed to %1 without a run").arg(mostra(label3_->text()));

    // A field may gain what typing lets in, what it held before, and what
    // the clipboard held before or after: pasted, or copied from the field.
    const QSet<QChar> appunti =
        caratteri(appuntiPrima_) | caratteri(QGuiApplication::clipboard()->text());
    for (std::size_t i = 0; i < campi_.size(); ++i) {
        const QString testo = campi_[i]->text();
        for (const QChar c : testo)
            if (!digitabili.contains(c) && !tenuti_[i].contains(c) && !appunti.contains(c)) {
                problemi << QStringLiteral("%1 holds \\u%2, neither typeable nor pasted: %3")
                                .arg(campi_[i]->objectName())
                                .arg(c.unicode(), 4, 16, QLatin1Char('0'))
                                .arg(mostra(testo));
                break;
            }
        tenuti_[i] |= caratteri(testo);
    }
    return problemi.join(QStringLiteral("; "));
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
        prova::Scimmia scimmia(finestra, seme);
        Controllore controllore(finestra, sorvegliante);
        for (int i = 1; i <= numeroAzioni; ++i) {
            controllore.prima();
            scimmia.agisci();
            const QString guasto = controllore.controlla();
            QVERIFY2(guasto.isEmpty(), qPrintable(QStringLiteral("MISURA_SEME=%1, action %2: %3"
                                                                 "\n  the last actions:%4")
                                                      .arg(seme)
                                                      .arg(i)
                                                      .arg(guasto, scimmia.storia())));
        }
        qInfo("%d runs with a result, %d with a message", controllore.risultati,
              controllore.errori);
        // Both ends of a run were reached, or the checks above proved little.
        QVERIFY(controllore.risultati > 0);
        QVERIFY(controllore.errori > 0);
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
