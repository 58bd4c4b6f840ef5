// SPDX-License-Identifier: GPL-3.0-or-later
// Bad input tried end to end on the real window: texts typed, pasted or set
// into the data fields, a click on "Calcolo", and then either the right
// result or the right message box, with the program going on to a good run.

#include "finestradiprova.h"
#include "principale.h"

#include "ui/form8.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

const QString titolo = QStringLiteral(
    "Misura della distanza di un bersaglio attivo mediante la riflessione dal fondo");

// How a text gets into a field.
enum class Modo
{
    imposta, // set by the program, past the keystroke filter
    digita,  // typed key by key
    incolla, // pasted with Shift+Insert, which nothing filters
};

// The offscreen platform warns so each time a message box shows: its limit,
// not the program's.
constexpr char senzaSuggerimenti[] = "This plugin does not support propagateSizeHints()";

QString zeri(int quanti)
{
    return QString(quanti, QLatin1Char('0'));
}

} // namespace

class TestInputCattivi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void ingresso_data();
    void ingresso();

private:
    void scrivi(QLineEdit& campo, const QString& testo, Modo modo) const;
    void calcola() const
    {
        QTest::mouseClick(banco_.controllo<QPushButton>("Command1"), Qt::LeftButton);
    }

    prova::FinestraDiProva banco_;
};

void TestInputCattivi::init()
{
    QVERIFY(banco_.apri(true));
}

void TestInputCattivi::cleanup()
{
    QVERIFY2(banco_.chiudi(), "a dialog appeared that the test did not expect");
}

void TestInputCattivi::scrivi(QLineEdit& campo, const QString& testo, Modo modo) const
{
    if (modo == Modo::imposta) {
        campo.setText(testo);
        return;
    }
    // Cleared as a user does it: click, select all the text, delete.
    QTest::mouseClick(&campo, Qt::LeftButton);
    QTest::keyClick(&campo, Qt::Key_End);
    QTest::keyClick(&campo, Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClick(&campo, Qt::Key_Delete);
    QVERIFY(campo.text().isEmpty());
    if (modo == Modo::digita) {
        QTest::keyClicks(&campo, testo);
    } else {
        QGuiApplication::clipboard()->setText(testo);
        QTest::keyClick(&campo, Qt::Key_Insert, Qt::ShiftModifier);
    }
    // Anything else would try a different input from the one in the table.
    QCOMPARE(campo.text(), testo);
}

void TestInputCattivi::ingresso_data()
{
    QTest::addColumn<QString>("profondita");
    QTest::addColumn<QString>("angolo");
    QTest::addColumn<Modo>("modo");
    QTest::addColumn<QString>("risultato"); // empty when a message is expected
    QTest::addColumn<QString>("messaggio"); // empty when none is

    const QString nessuno;
    const QString divisione = QStringLiteral("Divisione per zero");
    const QString overflow = QStringLiteral("Overflow");
    const auto riga = [](const char* nome, const QString& h, const QString& b, Modo modo,
                         const QString& risultato, const QString& messaggio) {
        QTest::newRow(nome) << h << b << modo << risultato << messaggio;
    };
    // An angle that reads as 0 has a tangent of 0.
    riga("angolo zero", "1000", "0", Modo::digita, nessuno, divisione);
    riga("angolo meno zero", "1000", "-0", Modo::digita, nessuno, divisione);
    riga("angolo vuoto", "1000", "", Modo::imposta, nessuno, divisione);
    riga("angolo di lettere", "1000", "abc", Modo::incolla, nessuno, divisione);
    riga("angolo solo segno", "1000", "+", Modo::digita, nessuno, divisione);
    riga("angolo solo punto", "1000", ".", Modo::digita, nessuno, divisione);
    riga("angolo con due segni", "1000", "--7", Modo::digita, nessuno, divisione);
    riga("angolo sotto il minimo double", "1000", "0." + zeri(400) + "1", Modo::incolla, nessuno,
         divisione);
    // The number ends at the first character that cannot continue it, and
    // blanks do not count.
    riga("profondita con esponente", "1e308", "1", Modo::incolla, "114", nessuno);
    riga("angolo con la virgola", "1000", "7,5", Modo::incolla, "16288", nessuno);
    riga("spazi", " 1 000 ", " 7 ", Modo::incolla, "16288", nessuno);
    // A field takes text of any length, beyond what Qt keeps by default.
    riga("profondita dopo 40000 zeri", zeri(40000) + "1000", "7", Modo::incolla, "16288", nessuno);
    // Beyond the double range when read.
    riga("profondita di 400 cifre", "1" + zeri(399), "7", Modo::incolla, nessuno, overflow);
    riga("angolo oltre il massimo double", "1000", "1" + zeri(309), Modo::incolla, nessuno,
         overflow);
    // Read, but beyond range in the formula: 2h / tan(b) or pi × b.
    riga("angolo di 1e308", "1000", "1" + zeri(308), Modo::incolla, nessuno, overflow);
    riga("angolo di 1e-300", "1000", "0." + zeri(299) + "1", Modo::digita, "1.14591655817596E+305",
         nessuno);
    // The chart's curve, drawn before the result, fails first: for these
    // depths 2h / tan(1°) is beyond the double range, for the negative one
    // beyond the single precision of the drawing.
    riga("profondita di 1e307", "1" + zeri(307), "89", Modo::incolla, nessuno, overflow);
    riga("profondita di 1e308", "1" + zeri(308), "7", Modo::imposta, nessuno, overflow);
    riga("profondita negativa fuori scala", "-1" + zeri(39), "7", Modo::digita, nessuno, overflow);
    // The program's own pi: a right angle gives a tiny finite tangent, a
    // straight one a huge negative distance.
    riga("angolo retto", "1000", "90", Modo::digita, "0", nessuno);
    riga("angolo piatto", "1000", "180", Modo::digita, "-753695996", nessuno);
}

void TestInputCattivi::ingresso()
{
    QFETCH(QString, profondita);
    QFETCH(QString, angolo);
    QFETCH(Modo, modo);
    QFETCH(QString, risultato);
    QFETCH(QString, messaggio);

    auto* const mostrato = banco_.controllo<QLabel>("Label3");
    // A result already shown, which bad input must not leave standing.
    calcola();
    QCOMPARE(mostrato->text(), QStringLiteral("114"));

    scrivi(*banco_.controllo<QLineEdit>("Text1"), profondita, modo);
    if (QTest::currentTestFailed())
        return;
    scrivi(*banco_.controllo<QLineEdit>("Text2"), angolo, modo);
    if (QTest::currentTestFailed())
        return;
    if (!messaggio.isEmpty()) {
        banco_.sorvegliante().attendi();
        QTest::ignoreMessage(QtWarningMsg, senzaSuggerimenti);
    }
    calcola();

    QCOMPARE(mostrato->text(), risultato);
    if (messaggio.isEmpty()) {
        QVERIFY(banco_.sorvegliante().visti.empty());
    } else {
        QCOMPARE(banco_.sorvegliante().visti.size(), std::size_t{1});
        QCOMPARE(banco_.sorvegliante().visti.front().titolo, titolo);
        QCOMPARE(banco_.sorvegliante().visti.front().testo, messaggio);
    }

    // The program goes on.
    QVERIFY(banco_.finestra().isVisible());
    const std::size_t messaggi = banco_.sorvegliante().visti.size();
    banco_.controllo<QLineEdit>("Text1")->setText(QStringLiteral("1000"));
    banco_.controllo<QLineEdit>("Text2")->setText(QStringLiteral("7"));
    calcola();
    QCOMPARE(mostrato->text(), QStringLiteral("16288"));
    QCOMPARE(banco_.sorvegliante().visti.size(), messaggi);
}

MISURA_TEST_MAIN(TestInputCattivi)
#include "test_inputcattivi.moc"
