// SPDX-License-Identifier: GPL-3.0-or-later
#include "finestradiprova.h"
#include "principale.h"

#include "calc/calcolo.h"
#include "ui/form8.h"

#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <cmath>

namespace {

const QString titolo = QStringLiteral(
    "Misura della distanza di un bersaglio attivo mediante la riflessione dal fondo");

QString spazi(int quanti)
{
    return QString(quanti, QLatin1Char(' '));
}

// The device pixel of the window where a chart point in twips lands.
QPoint pixel(double xTwips, double yTwips)
{
    return {static_cast<int>(std::floor(xTwips / 15)), static_cast<int>(std::floor(yTwips / 15))};
}

// Where the curve's point for angle b and depth h lands, the ceiling included.
QPoint pixelCurva(double h, double b)
{
    const double d = std::min(calc::distfondo(h, b), 100000.0);
    return pixel(b * 64.4 + 500, 8240 - d * 0.0224);
}

const QRgb nero = qRgb(0, 0, 0);
const QRgb blu = qRgb(0, 0, 255);

} // namespace

class TestForm8 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void controlli_data();
    void controlli();
    void immagini();
    void avvio();
    void ordineTab();
    void avviaRun_data();
    void avviaRun();
    void risultato_data();
    void risultato();
    void graficoPrimaDelRun();
    void graficoDopoIlRun();
    void curvaSullAsse();

private:
    void calcola(const QString& profondita, const QString& angolo);
    QImage schermata() const { return banco_.finestra().grab().toImage(); }
    // Restored, the window is too small to show the chart.
    void ingrandisci() const { banco_.finestra().resize(800, 640); }

    prova::FinestraDiProva banco_;
};

void TestForm8::init()
{
    QVERIFY(banco_.apri(true));
}

void TestForm8::cleanup()
{
    QVERIFY2(banco_.chiudi(), "a dialog appeared that the test did not expect");
}

void TestForm8::calcola(const QString& profondita, const QString& angolo)
{
    banco_.controllo<QLineEdit>("Text1")->setText(profondita);
    banco_.controllo<QLineEdit>("Text2")->setText(angolo);
    QTest::mouseClick(banco_.controllo<QPushButton>("Command1"), Qt::LeftButton);
}

void TestForm8::controlli_data()
{
    QTest::addColumn<QRect>("geometria"); // pixels, 15 twips each
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("pixelCarattere"); // 8.25 pt is 11 px at 96 dpi
    QTest::addColumn<bool>("grassetto");
    QTest::addColumn<QColor>("colore"); // invalid: the window's own
    QTest::addColumn<bool>("adatta");   // sizes itself to its text
    QTest::addColumn<bool>("opaca");

    const QColor proprio;
    // clang-format off
    QTest::newRow("Text1") << QRect(16, 80, 57, 31) << "1" << 18 << true << proprio << false << true;
    QTest::newRow("Text2") << QRect(144, 80, 49, 25) << "1" << 18 << true << proprio << false << true;
    QTest::newRow("Command1") << QRect(8, 256, 97, 48) << "Calcolo" << 13 << true << proprio << false << true;
    QTest::newRow("Label12") << QRect(240, 552, 20, 13) << "50°" << 11 << true << proprio << true << true;
    QTest::newRow("Label11") << QRect(16, 541, 25, 25) << "0" + spazi(8) + "0" << 11 << true << proprio << false << false;
    QTest::newRow("Label10") << QRect(8, 392, 49, 17) << "100 Km" << 11 << true << proprio << false << false;
    QTest::newRow("Label15") << QRect(408, 312, 129, 81)
        << "Esempio di calcolo:" + spazi(11) + "Per h = 1000 m e" + spazi(2) + "b = 7°" + spazi(47)
           + "Si ha: d =" + spazi(4) + "16288 m"
        << 11 << false << QColor(0, 0, 255) << false << true;
    QTest::newRow("Label9") << QRect(1, 368, 45, 13) << spazi(2) + "distanza" << 11 << false << proprio << true << true;
    QTest::newRow("Label7") << QRect(257, 536, 103, 13) << "angolo di depressione" << 11 << false << proprio << true << true;
    QTest::newRow("Label8") << QRect(257, 392, 145, 41)
        << "Il diagramma assume come valore di profondità il valore dell'impostazione dati"
        << 11 << false << proprio << false << true;
    QTest::newRow("Label2") << QRect(216, 80, 113, 25) << "Limiti: da 5° a 50°" << 11 << false << QColor(255, 0, 0) << false << true;
    QTest::newRow("Label6") << QRect(136, 40, 209, 33)
        << "Angolo di depressione" + spazi(2) + "(b)" + spazi(10) + "gradi" << 13 << true << proprio << false << true;
    QTest::newRow("Label5") << QRect(16, 0, 209, 33) << "Impostazione dati:" << 18 << true << proprio << false << true;
    QTest::newRow("Label4") << QRect(216, 272, 105, 33)
        << "Distanza" + spazi(3) + "(d)" + spazi(9) + "metri" << 13 << true << proprio << false << true;
    QTest::newRow("Label3") << QRect(336, 272, 73, 33) << "" << 18 << true << proprio << false << true;
    QTest::newRow("Label1") << QRect(8, 40, 105, 33)
        << "Profondità" + spazi(2) + "(h)" + spazi(7) + "metri" << 13 << true << proprio << false << true;
    // clang-format on
}

void TestForm8::controlli()
{
    QFETCH(QRect, geometria);
    QFETCH(QString, testo);
    QFETCH(int, pixelCarattere);
    QFETCH(bool, grassetto);
    QFETCH(QColor, colore);
    QFETCH(bool, adatta);
    QFETCH(bool, opaca);

    auto* const w = banco_.controllo<QWidget>(QTest::currentDataTag());
    const auto* const etichetta = qobject_cast<QLabel*>(w);
    if (adatta) {
        // Placed as given, and as large as its text needs, no smaller.
        QCOMPARE(w->pos(), geometria.topLeft());
        QCOMPARE(w->size(), w->sizeHint());
    } else {
        QCOMPARE(w->geometry(), geometria);
    }

    QString mostrato;
    if (etichetta != nullptr)
        mostrato = etichetta->text();
    else if (const auto* campo = qobject_cast<QLineEdit*>(w))
        mostrato = campo->text();
    else if (const auto* pulsante = qobject_cast<QPushButton*>(w))
        mostrato = pulsante->text();
    QCOMPARE(mostrato, testo);

    const QFontInfo carattere(w->font());
    QCOMPARE(carattere.pixelSize(), pixelCarattere);
    QCOMPARE(carattere.bold(), grassetto);
    QVERIFY2(QStringList({"MS Sans Serif", "Liberation Sans"}).contains(carattere.family()),
             qPrintable(carattere.family()));

    if (etichetta != nullptr) {
        const QColor atteso =
            colore.isValid() ? colore : banco_.finestra().palette().color(QPalette::WindowText);
        QCOMPARE(etichetta->palette().color(QPalette::WindowText), atteso);
        QCOMPARE(etichetta->autoFillBackground(), opaca);
        QCOMPARE(etichetta->focusPolicy(), Qt::NoFocus);
        QCOMPARE(etichetta->alignment(), Qt::AlignLeft | Qt::AlignTop);
        // The text fits: wrapped within the width, the ink of its last line
        // (all but the descent) inside the box.
        if (!adatta)
            QVERIFY(etichetta->heightForWidth(etichetta->width()) -
                        etichetta->fontMetrics().descent() <=
                    etichetta->height());
    }
}

void TestForm8::immagini()
{
    struct Attesa
    {
        const char* nome;
        const char* file;
        QSize bitmap;
        QRect box;
    };
    for (const Attesa& a : {Attesa{"Picture1", ":/picture1.bmp", {242, 145}, {168, 112, 241, 145}},
                            Attesa{"Picture2", ":/picture2.bmp", {151, 82}, {640, 0, 153, 73}}}) {
        auto* const box = banco_.controllo<QFrame>(a.nome);
        QCOMPARE(box->geometry(), a.box);
        const QImage vista = box->grab().toImage();
        // Inside the sunken border the picture starts at its top-left corner,
        // unscaled: its light cyan background and no scaling blur.
        const QPoint dentro(4, 4);
        QCOMPARE(QColor(vista.pixel(dentro)), QColor(0x80, 0xFF, 0xFF));
        // Every pixel inside the border is the bitmap's own, cut off where
        // the box ends.
        const QImage bitmap(QString::fromLatin1(a.file));
        QCOMPARE(bitmap.size(), a.bitmap);
        const QRect interno = box->contentsRect();
        QCOMPARE(
            box->grab(interno).toImage().convertToFormat(QImage::Format_RGB32),
            bitmap.copy(QRect(QPoint(0, 0), interno.size())).convertToFormat(QImage::Format_RGB32));
        QVERIFY(box->focusPolicy() & Qt::TabFocus);
    }
}

void TestForm8::avvio()
{
    QCOMPARE(banco_.finestra().windowTitle(), titolo);
    QCOMPARE(banco_.controllo<QLineEdit>("Text1")->text(), QStringLiteral("1"));
    QCOMPARE(banco_.controllo<QLineEdit>("Text2")->text(), QStringLiteral("1"));
    QVERIFY(banco_.controllo<QLabel>("Label3")->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), banco_.controllo<QWidget>("Command1"));
    // Restored, the client area is 4680 × 3195 twips.
    QCOMPARE(banco_.finestra().size(), QSize(312, 213));
}

void TestForm8::ordineTab()
{
    const QStringList avanti{"Text2", "Text1", "Picture1", "Picture2", "Command1"};
    for (const QString& nome : avanti) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), nome);
    }
    const QStringList indietro{"Picture2", "Picture1", "Text1", "Text2", "Command1"};
    for (const QString& nome : indietro) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), nome);
    }
}

void TestForm8::avviaRun_data()
{
    QTest::addColumn<QString>("dove");
    QTest::addColumn<int>("tasto"); // 0: a mouse click
    QTest::addColumn<QString>("atteso");

    QTest::newRow("clic") << "Command1" << 0 << "114";
    QTest::newRow("spazio") << "Command1" << int(Qt::Key_Space) << "114";
    QTest::newRow("invio") << "Command1" << int(Qt::Key_Return) << "114";
    QTest::newRow("tastierinoinvio") << "Command1" << int(Qt::Key_Enter) << "114";
    // No default button: Enter in a data field does not start a run.
    QTest::newRow("invionelcampo") << "Text1" << int(Qt::Key_Return) << "";
    QTest::newRow("invionellangolo") << "Text2" << int(Qt::Key_Enter) << "";
}

void TestForm8::avviaRun()
{
    QFETCH(QString, dove);
    QFETCH(int, tasto);
    QFETCH(QString, atteso);

    auto* const bersaglio = banco_.controllo<QWidget>(qPrintable(dove));
    bersaglio->setFocus();
    if (tasto == 0)
        QTest::mouseClick(bersaglio, Qt::LeftButton);
    else
        QTest::keyClick(bersaglio, static_cast<Qt::Key>(tasto));
    QCOMPARE(banco_.controllo<QLabel>("Label3")->text(), atteso);
}

void TestForm8::risultato_data()
{
    QTest::addColumn<QString>("profondita");
    QTest::addColumn<QString>("angolo");
    QTest::addColumn<QString>("atteso");

    QTest::newRow("esempio") << "1000"
                             << "7"
                             << "16288";
    QTest::newRow("negativa") << "-1000"
                              << "7"
                              << "-16289";
    QTest::newRow("virgola") << "12,5"
                             << "1"
                             << "1374";
    QTest::newRow("centottanta") << "1000"
                                 << "180"
                                 << "-753695996";
    QTest::newRow("esponente") << "1000"
                               << "0.000000000001"
                               << "1.14591655817596E+17";
}

void TestForm8::risultato()
{
    QFETCH(QString, profondita);
    QFETCH(QString, angolo);
    QFETCH(QString, atteso);
    calcola(profondita, angolo);
    QCOMPARE(banco_.controllo<QLabel>("Label3")->text(), atteso);
}

void TestForm8::graficoPrimaDelRun()
{
    ingrandisci();
    const QImage vista = schermata();
    // The axes and a grid line, in the foreground colour.
    for (int y = 400; y <= 549; ++y)
        QCOMPARE(vista.pixel(33, y), nero);
    for (int x = 33; x <= 258; ++x)
        QCOMPARE(vista.pixel(x, 549), nero);
    for (int y = 400; y <= 549; ++y)
        QCOMPARE(vista.pixel(248, y), nero); // the 50° line
    // Dots every 21 twips along the 100 km line leave gaps between them.
    QVERIFY(vista.pixel(pixel(521, 6000)) == nero);
    QVERIFY(vista.pixel(35, 400) != nero);
    // No curve until the first run.
    const QRect grafico(33, 400, 226, 200);
    for (int y = grafico.top(); y <= grafico.bottom(); ++y)
        for (int x = grafico.left(); x <= grafico.right(); ++x)
            QVERIFY(vista.pixel(x, y) != blu);
}

void TestForm8::graficoDopoIlRun()
{
    ingrandisci();
    // Deep enough that the curve runs along the 100 km line up to 11°, clear
    // of the "100 Km" label over the corner.
    calcola("10000", "7");
    const auto controllaCurva = [this] {
        const QImage vista = schermata();
        QCOMPARE(pixelCurva(10000, 8).y(), 400);
        for (const double b : {8.0, 12.0, 20.0, 45.0, 49.5})
            QCOMPARE(vista.pixel(pixelCurva(10000, b)), blu);
        // The frame stays where the curve does not cover it.
        QCOMPARE(vista.pixel(33, 500), nero);
        QCOMPARE(vista.pixel(100, 549), nero);
    };
    controllaCurva();
    // Kept across repaints, also after the window was made larger.
    banco_.finestra().repaint();
    controllaCurva();
    banco_.finestra().resize(900, 760);
    QTest::qWait(50);
    controllaCurva();
}

void TestForm8::curvaSullAsse()
{
    // A depth of 1 draws the curve on the horizontal axis's own row: a
    // repaint must not draw the frame over it again.
    ingrandisci();
    calcola("1", "1");
    banco_.finestra().repaint();
    const QImage vista = schermata();
    QCOMPARE(pixelCurva(1, 20).y(), 549);
    QCOMPARE(vista.pixel(pixelCurva(1, 20)), blu);
    QCOMPARE(vista.pixel(pixelCurva(1, 45)), blu);
}

MISURA_TEST_MAIN(TestForm8)
#include "test_form8.moc"
