// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technologies are told about Form8, read back through Qt's
// accessibility interfaces as a screen reader would read it, and the events
// that tell it something changed.

#include "finestradiprova.h"
#include "principale.h"

#include "ui/form8.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <cmath>

namespace {

QAccessibleInterface* interfaccia(QObject* oggetto)
{
    QAccessibleInterface* const trovata = QAccessible::queryAccessibleInterface(oggetto);
    if (trovata == nullptr)
        qFatal("no accessible interface for %s", qPrintable(oggetto->objectName()));
    return trovata;
}

QString testoAccessibile(QObject* oggetto, QAccessible::Text quale)
{
    return interfaccia(oggetto)->text(quale);
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

// The window's accessible child of that role that is no widget.
QAccessibleInterface* parte(QWidget& finestra, QAccessible::Role ruolo)
{
    QAccessibleInterface* const finestraAccessibile = interfaccia(&finestra);
    for (int i = 0; i < finestraAccessibile->childCount(); ++i) {
        QAccessibleInterface* const figlio = finestraAccessibile->child(i);
        if (figlio != nullptr && figlio->role() == ruolo && !figlio->object()->isWidgetType())
            return figlio;
    }
    return nullptr;
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
    void ruoli();
    void nomiComeParole();
    void didascalieCollegate();
    void finestra();
    void risultatoAnnunciato();
    void fallimentoSenzaNumero();
    void diagrammaDescritto_data();
    void diagrammaDescritto();
    void nessunControlloMuto();

private:
    void calcola(const char* profondita, const char* angolo);

    prova::FinestraDiProva banco_;
};

void TestAccessibilita::init()
{
    QVERIFY(banco_.apri(true));
}

void TestAccessibilita::cleanup()
{
    QVERIFY2(banco_.chiudi(), "a dialog appeared that the test did not expect");
}

void TestAccessibilita::calcola(const char* profondita, const char* angolo)
{
    banco_.controllo<QLineEdit>("Text1")->setText(QString::fromLatin1(profondita));
    banco_.controllo<QLineEdit>("Text2")->setText(QString::fromLatin1(angolo));
    QTest::keyClick(banco_.controllo<QPushButton>("Command1"), Qt::Key_Return);
}

void TestAccessibilita::descrizioni_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QStringList>("frasi"); // what its description must say

    QTest::newRow("Text1") << "Profondità (h) metri" << QStringList{"profondità h", "metri"};
    QTest::newRow("Text2") << "Angolo di depressione (b) gradi"
                           << QStringList{"angolo di depressione b", "gradi", "5°", "50°"};
    QTest::newRow("Command1") << "Calcolo"
                              << QStringList{"calcola la distanza", "disegna il diagramma"};
    // Empty, the result is named by its caption.
    QTest::newRow("Label3") << "Distanza (d) metri"
                            << QStringList{"distanza orizzontale d", "metri"};
    QTest::newRow("Picture1") << "Schema della riflessione dal fondo"
                              << QStringList{"due sottomarini",
                                             "fondo",
                                             "riflett",
                                             "profondità h",
                                             "distanza orizzontale d",
                                             "angolo di depressione b"};
    QTest::newRow("Picture2") << "Sottomarino" << QStringList{"sagoma di un sottomarino"};
}

void TestAccessibilita::descrizioni()
{
    QFETCH(QString, nome);
    QFETCH(QStringList, frasi);

    QWidget* const w = banco_.controllo<QWidget>(QTest::currentDataTag());
    QCOMPARE(testoAccessibile(w, QAccessible::Name), nome);
    const QString descrizione = testoAccessibile(w, QAccessible::Description);
    QVERIFY2(mancanti(descrizione, frasi).isEmpty(),
             qPrintable(descrizione + " lacks: " + mancanti(descrizione, frasi).join(", ")));
}

void TestAccessibilita::ruoli()
{
    QCOMPARE(interfaccia(&banco_.finestra())->role(), QAccessible::Window);
    QCOMPARE(interfaccia(banco_.controllo<QWidget>("Command1"))->role(), QAccessible::Button);
    QCOMPARE(interfaccia(banco_.controllo<QWidget>("Text1"))->role(), QAccessible::EditableText);
    for (const char* nome : {"Picture1", "Picture2"}) {
        QAccessibleInterface* const immagine = interfaccia(banco_.controllo<QWidget>(nome));
        QCOMPARE(immagine->role(), QAccessible::Graphic);
        QVERIFY(immagine->state().focusable);
        QAccessibleImageInterface* const figura = immagine->imageInterface();
        QVERIFY(figura != nullptr);
        QCOMPARE(figura->imageDescription(), immagine->text(QAccessible::Description));
        QVERIFY(!figura->imageSize().isEmpty());
    }
    // The chart lies over its strip of the window: from (500, 6000) to
    // (3880, 8240) twips, 15 twips to a pixel.
    QAccessibleInterface* const grafico = parte(banco_.finestra(), QAccessible::Chart);
    QVERIFY(grafico != nullptr);
    QVERIFY(!grafico->text(QAccessible::Name).isEmpty());
    const QPoint origine = banco_.finestra().mapToGlobal(QPoint(0, 0));
    QCOMPARE(grafico->rect(), QRect(origine + QPoint(500 / 15, 6000 / 15),
                                    QSize((3880 - 500) / 15, (8240 - 6000) / 15)));
    QCOMPARE(grafico->parent()->object(), &banco_.finestra());
    // Found where it is listed, as screen readers walk the tree both ways.
    QAccessibleInterface* const finestra = interfaccia(&banco_.finestra());
    QCOMPARE(finestra->child(finestra->indexOfChild(grafico)), grafico);
}

void TestAccessibilita::nomiComeParole()
{
    // Runs of blanks lay the captions out; a reader hears words.
    const QRegularExpression spazi(QStringLiteral("\\s\\s|^\\s|\\s$"));
    for (QLabel* const etichetta : banco_.finestra().findChildren<QLabel*>()) {
        const QString nome = testoAccessibile(etichetta, QAccessible::Name);
        QVERIFY2(!nome.contains(spazi), qPrintable(etichetta->objectName() + ": " + nome));
        if (!etichetta->text().isEmpty())
            QCOMPARE(nome, etichetta->text().simplified());
    }
    QCOMPARE(testoAccessibile(banco_.controllo<QWidget>("Label11"), QAccessible::Name),
             QStringLiteral("0 0"));
}

void TestAccessibilita::didascalieCollegate()
{
    const struct
    {
        const char* controllo;
        const char* didascalia;
    } coppie[] = {{"Text1", "Label1"}, {"Text2", "Label6"}, {"Label3", "Label4"}};
    for (const auto& coppia : coppie) {
        QWidget* const etichetta = banco_.controllo<QWidget>(coppia.didascalia);
        const auto relazioni =
            interfaccia(banco_.controllo<QWidget>(coppia.controllo))->relations(QAccessible::Label);
        QVERIFY2(relazioni.size() == 1 && relazioni.front().first->object() == etichetta,
                 coppia.controllo);
        // Linked without a mnemonic: the caption reads as before and has no
        // shortcut of its own.
        QVERIFY(!qobject_cast<QLabel*>(etichetta)->text().contains(QLatin1Char('&')));
    }
}

void TestAccessibilita::finestra()
{
    QCOMPARE(testoAccessibile(&banco_.finestra(), QAccessible::Name),
             banco_.finestra().windowTitle());
    // Short: a reader repeats it whenever the window comes back.
    const QString descrizione = testoAccessibile(&banco_.finestra(), QAccessible::Description);
    QVERIFY2(descrizione.split(QLatin1Char(' ')).size() <= 30, qPrintable(descrizione));
    QVERIFY2(mancanti(descrizione, {"distanza", "profondità", "angolo di depressione"}).isEmpty(),
             qPrintable(descrizione));
}

void TestAccessibilita::risultatoAnnunciato()
{
    // A notification that nobody sees: screen readers speak it when it shows.
    // (That it is heard, twice for the same result, the test through the
    // desktop's accessibility bus shows with a real screen reader.)
    QAccessibleInterface* const annuncio = parte(banco_.finestra(), QAccessible::Notification);
    QVERIFY(annuncio != nullptr);
    QVERIFY(annuncio->state().invisible);
    QWidget* const pulsante = banco_.controllo<QWidget>("Command1");
    pulsante->setFocus();
    calcola("1000", "7");
    QCOMPARE(annuncio->text(QAccessible::Name), QStringLiteral("Distanza (d) metri: 16288"));
    QVERIFY(!annuncio->state().invisible);
    QVERIFY(annuncio->rect().isEmpty());
    QCOMPARE(testoAccessibile(banco_.controllo<QWidget>("Label3"), QAccessible::Name),
             QStringLiteral("16288"));
    // Heard where the focus is: it stays on the button.
    QCOMPARE(QApplication::focusWidget(), pulsante);
}

void TestAccessibilita::fallimentoSenzaNumero()
{
    calcola("1000", "7");
    banco_.sorvegliante().attendi();
    calcola("1000", "0");
    QCOMPARE(banco_.sorvegliante().visti.size(), std::size_t{1});
    // The old number is withdrawn and nothing new is said: the message box
    // speaks for itself.
    QAccessibleInterface* const annuncio = parte(banco_.finestra(), QAccessible::Notification);
    QVERIFY(annuncio->text(QAccessible::Name).isEmpty());
    QVERIFY(annuncio->state().invisible);
    QCOMPARE(testoAccessibile(banco_.controllo<QWidget>("Label3"), QAccessible::Name),
             QStringLiteral("Distanza (d) metri"));
    QVERIFY(!parte(banco_.finestra(), QAccessible::Chart)
                 ->text(QAccessible::Description)
                 .contains(QStringLiteral("Curva per")));
}

void TestAccessibilita::diagrammaDescritto_data()
{
    QTest::addColumn<double>("h");
    QTest::addColumn<int>("oltre"); // the first angles whose distance is beyond 100 km

    QTest::newRow("mille") << 1000.0 << 0;
    QTest::newRow("diecimila") << 10000.0 << 2;
    QTest::newRow("menomille") << -1000.0 << 0;
}

void TestAccessibilita::diagrammaDescritto()
{
    QFETCH(double, h);
    QFETCH(int, oltre);

    QAccessibleInterface* const grafico = parte(banco_.finestra(), QAccessible::Chart);
    QVERIFY(grafico->text(QAccessible::Description).contains(QStringLiteral("Nessuna curva")));
    calcola(qPrintable(QString::number(h)), "7");
    const QString descrizione = grafico->text(QAccessible::Description);
    QStringList attese{QStringLiteral("da 0 a 100 km"), QStringLiteral("da 0° a 50°"),
                       QStringLiteral("profondità h = %1 m").arg(h)};
    for (int b = 5; b <= 50; b += 5) {
        // d = 2h / tan(b), pi taken as 3.14159, in whole metres rounded down.
        const double d = std::floor(2 * h / std::tan(3.14159 * b / 180));
        attese << (b / 5 <= oltre ? QStringLiteral("a %1° oltre 100 km").arg(b)
                                  : QStringLiteral("a %1° %2 m").arg(b).arg(d, 0, 'f', 0));
    }
    QVERIFY2(mancanti(descrizione, attese).isEmpty(),
             qPrintable(descrizione + " lacks: " + mancanti(descrizione, attese).join(", ")));
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
