// Form8 on a screen of twice the density (QT_SCALE_FACTOR=2): the same layout
// in logical pixels, the pictures doubled pixel by pixel, the text drawn at
// the screen's own resolution and the chart at the logical places it has at
// scale 1, read back from what the window paints.

#include "finestradiprova.h"

#include "calc/calcolo.h"
#include "ui/controlli.h"
#include "ui/form8.h"
#include "ui/riquadroimmagine.h"
#include "ui/twips.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr int rapporto = 2;

const QRgb nero = qRgb(0, 0, 0);
const QRgb blu = qRgb(0, 0, 255);

// The pixel that holds a chart coordinate in twips, at the given ratio.
int pixel(double twips, int scala)
{
    return static_cast<int>(std::floor(twips * scala / form8::twipsPerPixel));
}

// The four device pixels of the logical pixel at (x, y): their colour when
// they agree, otherwise none.
std::optional<QRgb> colore(const QImage& immagine, int x, int y)
{
    const QRgb primo = immagine.pixel(rapporto * x, rapporto * y);
    for (int dy = 0; dy < rapporto; ++dy)
        for (int dx = 0; dx < rapporto; ++dx)
            if (immagine.pixel(rapporto * x + dx, rapporto * y + dy) != primo)
                return std::nullopt;
    return primo;
}

// Whether any device pixel of the logical pixel at (x, y) has the colour.
bool tocca(const QImage& immagine, int x, int y, QRgb cercato)
{
    for (int dy = 0; dy < rapporto; ++dy)
        for (int dx = 0; dx < rapporto; ++dx)
            if (immagine.pixel(rapporto * x + dx, rapporto * y + dy) == cercato)
                return true;
    return false;
}

} // namespace

class TestAltaDpi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void scala();
    void geometria_data();
    void geometria();
    void immagini_data();
    void immagini();
    void testo_data();
    void testo();
    void griglia();
    void curva_data();
    void curva();

private:
    // Restored, the window is too small to show the chart.
    void ingrandisci() const { banco_.finestra().resize(800, 640); }
    // The window as painted, one device pixel per image pixel.
    QImage schermata() const;

    prova::FinestraDiProva banco_;
};

void TestAltaDpi::init()
{
    // A run that fails shows a dialog; it must fail the test, not hang it.
    QVERIFY(banco_.apri());
}

void TestAltaDpi::cleanup()
{
    QVERIFY2(banco_.chiudi(), "a dialog appeared that the test did not expect");
}

QImage TestAltaDpi::schermata() const
{
    const QPixmap vista = banco_.finestra().grab();
    if (vista.devicePixelRatio() != rapporto)
        qFatal("grabbed at ratio %g", vista.devicePixelRatio());
    return vista.toImage();
}

void TestAltaDpi::scala()
{
    QCOMPARE(banco_.finestra().devicePixelRatioF(), qreal(rapporto));
    // Restored, the client area is 4680 × 3195 twips, in logical pixels.
    QCOMPARE(banco_.finestra().size(), QSize(312, 213));
    QCOMPARE(schermata().size(), QSize(312, 213) * rapporto);
}

void TestAltaDpi::geometria_data()
{
    QTest::addColumn<QRect>("geometria"); // logical pixels, as at scale 1
    QTest::addColumn<bool>("adatta");     // sizes itself to its text

    for (const form8::Controllo& c : form8::controlli)
        QTest::newRow(c.nome) << form8::rettangoloDaTwips(c.sinistra, c.alto, c.larghezza,
                                                          c.altezza)
                              << c.adattaAlTesto;
}

void TestAltaDpi::geometria()
{
    QFETCH(QRect, geometria);
    QFETCH(bool, adatta);

    const auto* const w = banco_.controllo<QWidget>(QTest::currentDataTag());
    if (adatta) {
        QCOMPARE(w->pos(), geometria.topLeft());
        QCOMPARE(w->size(), w->sizeHint());
    } else {
        QCOMPARE(w->geometry(), geometria);
    }
}

void TestAltaDpi::immagini_data()
{
    QTest::addColumn<QSize>("bitmap");
    QTest::newRow("Picture1") << QSize(242, 145);
    QTest::newRow("Picture2") << QSize(151, 82);
}

void TestAltaDpi::immagini()
{
    QFETCH(QSize, bitmap);

    auto* const box = banco_.controllo<form8::RiquadroImmagine>(QTest::currentDataTag());
    const QImage originale = box->immagine().toImage();
    QCOMPARE(originale.size(), bitmap);
    const QPixmap presa = box->grab();
    QCOMPARE(presa.devicePixelRatio(), qreal(rapporto));
    const QImage vista = presa.toImage();

    // Each bitmap pixel that the box shows is a uniform 2 × 2 block of its
    // own colour: doubled, neither smoothed nor shifted by a device pixel.
    const QRect dentro = box->contentsRect();
    const QRect mostrata = QRect(dentro.topLeft(), bitmap) & dentro;
    QVERIFY(mostrata.width() > bitmap.width() / 2 && mostrata.height() > bitmap.height() / 2);
    for (int y = mostrata.top(); y <= mostrata.bottom(); ++y)
        for (int x = mostrata.left(); x <= mostrata.right(); ++x) {
            const QRgb atteso = originale.pixel(QPoint(x, y) - dentro.topLeft());
            if (colore(vista, x, y) != atteso)
                QFAIL(qPrintable(QStringLiteral("logical pixel %1,%2 is not a doubled %3")
                                     .arg(x)
                                     .arg(y)
                                     .arg(atteso, 8, 16)));
        }
}

void TestAltaDpi::testo_data()
{
    QTest::addColumn<QString>("controllo");
    QTest::newRow("grassetto") << "Label5"; // "Impostazione dati:", 13.5 pt bold
    QTest::newRow("normale") << "Label8";   // the chart's note, 8.25 pt
}

void TestAltaDpi::testo()
{
    QFETCH(QString, controllo);

    // Text drawn at the logical resolution and then enlarged would be made
    // of uniform 2 × 2 blocks; drawn at the screen's own it has edges that
    // fall inside them.
    const QPixmap presa = banco_.controllo<QWidget>(qPrintable(controllo))->grab();
    QCOMPARE(presa.devicePixelRatio(), qreal(rapporto));
    const QImage vista = presa.toImage();
    bool nitido = false;
    for (int y = 0; !nitido && y < vista.height() / rapporto; ++y)
        for (int x = 0; !nitido && x < vista.width() / rapporto; ++x)
            nitido = !colore(vista, x, y).has_value();
    QVERIFY(nitido);
}

void TestAltaDpi::griglia()
{
    ingrandisci();
    const QImage vista = schermata();
    // The axes are lines: logical pixel (x, y) of the axis at scale 1 is
    // device pixel (2x, 2y).
    for (int y = 400; y <= 549; ++y)
        QCOMPARE(vista.pixel(rapporto * 33, rapporto * y), nero);
    for (int x = 33; x <= 258; ++x)
        QCOMPARE(vista.pixel(rapporto * x, rapporto * 549), nero);
    // The grid is made of points, one device pixel each, every 14 twips down
    // the 50° line: finer than a device pixel at scale 1, finer than a
    // logical one here, so each logical pixel of the line holds one.
    for (int y = 400; y <= 549; ++y)
        QVERIFY2(tocca(vista, 248, y, nero), qPrintable(QString::number(y)));
    // Along the 100 km line they are 21 twips apart and leave gaps where
    // they do at scale 1: logical pixel 81 spans twips 1215 to 1229, between
    // the points at 1214 and 1235.
    QCOMPARE(vista.pixel(pixel(1235, rapporto), pixel(6000, rapporto)), nero);
    QVERIFY(!tocca(vista, 81, 400, nero));
    // Just outside the frame, nothing.
    QVERIFY(!tocca(vista, 32, 500, nero));
    QVERIFY(!tocca(vista, 100, 550, nero));
}

void TestAltaDpi::curva_data()
{
    QTest::addColumn<double>("b"); // degrees
    for (const double b : {8.0, 12.0, 20.0, 45.0, 49.5})
        QTest::newRow(qPrintable(QString::number(b))) << b;
}

void TestAltaDpi::curva()
{
    QFETCH(double, b);

    ingrandisci();
    banco_.controllo<QLineEdit>("Text1")->setText(QStringLiteral("10000"));
    banco_.controllo<QLineEdit>("Text2")->setText(QStringLiteral("7"));
    QTest::mouseClick(banco_.controllo<QPushButton>("Command1"), Qt::LeftButton);

    const double d = std::min(calc::distfondo(10000, b), 100000.0);
    const double xTwips = b * 64.4 + 500;
    const double yTwips = 8240 - d * 0.0224;
    const QPoint logico(pixel(xTwips, 1), pixel(yTwips, 1));
    const QPoint dispositivo(pixel(xTwips, rapporto), pixel(yTwips, rapporto));
    // The device pixel lies inside the logical pixel of scale 1.
    QCOMPARE(QPoint(dispositivo.x() / rapporto, dispositivo.y() / rapporto), logico);
    QCOMPARE(schermata().pixel(dispositivo), blu);
}

int main(int argc, char* argv[])
{
    // The scale must be set before the application reads it at start.
    qputenv("QT_SCALE_FACTOR", QByteArray::number(rapporto));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication applicazione(argc, argv);
    TestAltaDpi prova;
    return QTest::qExec(&prova, argc, argv);
}

#include "test_altadpi.moc"
