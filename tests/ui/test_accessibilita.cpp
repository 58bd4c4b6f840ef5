// What assistive technologies are told about Form8, read back through Qt's
// accessibility interfaces as a screen reader would read it.

#include "finestradiprova.h"
#include "principale.h"

#include "ui/form8.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

QString testoAccessibile(QObject* oggetto, QAccessible::Text quale)
{
    QAccessibleInterface* const interfaccia = QAccessible::queryAccessibleInterface(oggetto);
    if (interfaccia == nullptr)
        qFatal("no accessible interface for %s", qPrintable(oggetto->objectName()));
    return interfaccia->text(quale);
}

// Every phrase in the text, case aside; the missing ones otherwise.
QStringList mancanti(const QString& testo, const QStringList& frasi)
{
    QStringList assenti;
    for (const QString& frase : frasi)
        if (!testo.contains(frase, Qt::CaseInsensitive))
            assenti << frase;
    return assenti;
}

} // namespace

class TestAccessibilita : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void descrizioni_data();
    void descrizioni();
    void finestra();
    void risultatoLetto();
    void nessunControlloMuto();

private:
    prova::FinestraDiProva banco_;
};

void TestAccessibilita::init()
{
    QVERIFY(banco_.apri());
}

void TestAccessibilita::cleanup()
{
    QVERIFY2(banco_.chiudi(), "a dialog appeared that the test did not expect");
}

void TestAccessibilita::descrizioni_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("didascalia"); // the control that names it; empty: none
    QTest::addColumn<QStringList>("frasi");  // what its description must say

    QTest::newRow("Text1") << "Profondità (h) metri"
                           << "Label1" << QStringList{"profondità h", "metri"};
    QTest::newRow("Text2") << "Angolo di depressione (b) gradi"
                           << "Label6"
                           << QStringList{"angolo di depressione b", "gradi", "5°", "50°"};
    QTest::newRow("Command1") << "Calcolo"
                              << "Command1"
                              << QStringList{"calcola la distanza", "disegna il diagramma"};
    QTest::newRow("Label3") << "Distanza (d) metri"
                            << "Label4" << QStringList{"distanza orizzontale d", "metri"};
    QTest::newRow("Picture1") << "Schema della riflessione dal fondo"
                              << "" << QStringList{"due sottomarini",
                                                   "fondo",
                                                   "riflett",
                                                   "profondità h",
                                                   "distanza orizzontale d",
                                                   "angolo di depressione b"};
    QTest::newRow("Picture2") << "Sottomarino"
                              << "" << QStringList{"sagoma di un sottomarino"};
}

void TestAccessibilita::descrizioni()
{
    QFETCH(QString, nome);
    QFETCH(QString, didascalia);
    QFETCH(QStringList, frasi);

    QWidget* const w = banco_.controllo<QWidget>(QTest::currentDataTag());
    QCOMPARE(testoAccessibile(w, QAccessible::Name), nome);
    // Named after the caption beside it, read with its blanks folded.
    if (!didascalia.isEmpty()) {
        const QWidget* const etichetta = banco_.controllo<QWidget>(qPrintable(didascalia));
        QCOMPARE(etichetta->property("text").toString().simplified(), nome);
    }
    const QString descrizione = testoAccessibile(w, QAccessible::Description);
    QVERIFY2(mancanti(descrizione, frasi).isEmpty(),
             qPrintable(descrizione + " lacks: " + mancanti(descrizione, frasi).join(", ")));
}

void TestAccessibilita::finestra()
{
    QCOMPARE(testoAccessibile(&banco_.finestra(), QAccessible::Name),
             banco_.finestra().windowTitle());
    // The chart is drawn on the window itself: the window describes it.
    const QString descrizione = testoAccessibile(&banco_.finestra(), QAccessible::Description);
    QVERIFY2(mancanti(descrizione, {"diagramma", "distanza", "da 0 a 100 km",
                                    "angolo di depressione", "da 0° a 50°"})
                 .isEmpty(),
             qPrintable(descrizione));
}

void TestAccessibilita::risultatoLetto()
{
    // The result's name is its caption: the distance it shows must reach the
    // screen reader all the same.
    auto* const campo = banco_.finestra().findChild<QLineEdit*>(QStringLiteral("Text1"));
    auto* const angolo = banco_.finestra().findChild<QLineEdit*>(QStringLiteral("Text2"));
    auto* const pulsante = banco_.finestra().findChild<QPushButton*>(QStringLiteral("Command1"));
    QWidget* const risultato = banco_.controllo<QWidget>("Label3");
    campo->setText(QStringLiteral("1000"));
    angolo->setText(QStringLiteral("7"));
    QTest::mouseClick(pulsante, Qt::LeftButton);
    QVERIFY(
        testoAccessibile(risultato, QAccessible::Description).endsWith(QStringLiteral(": 16288")));
    QCOMPARE(testoAccessibile(risultato, QAccessible::Name), QStringLiteral("Distanza (d) metri"));
}

void TestAccessibilita::nessunControlloMuto()
{
    // Whatever the keyboard reaches is named and described, whichever
    // controls the window gains later.
    const QList<QWidget*> figli = banco_.finestra().findChildren<QWidget*>();
    int raggiungibili = 0;
    for (QWidget* const w : figli) {
        if (!(w->focusPolicy() & Qt::TabFocus))
            continue;
        ++raggiungibili;
        QVERIFY2(!testoAccessibile(w, QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
        QVERIFY2(!testoAccessibile(w, QAccessible::Description).isEmpty(),
                 qPrintable(w->objectName()));
    }
    QVERIFY(raggiungibili > 0);
}

MISURA_TEST_MAIN(TestAccessibilita)
#include "test_accessibilita.moc"
