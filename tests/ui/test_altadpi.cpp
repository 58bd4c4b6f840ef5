// SPDX-License-Identifier: GPL-3.0-or-later
// Form8 on a screen of twice the density (QT_SCALE_FACTOR=2): the same layout
// in logical pixels, the pictures doubled pixel by pixel, the text drawn at
// the screen's own resolution and the chart exact in device pixels, read back
// from what the window paints and checked against the layout's twips and the
// drawing operations that the calculation records.

#include "finestradiprova.h"
#include "graficoatteso.h"

#include "ui/controlli.h"
#include "ui/form8.h"
#include "ui/riquadroimmagine.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <cmath>
#include <optional>
#include <vector>

namespace {

constexpr int rapporto = 2;

// Logical pixels from twips: 15 twips each, to the nearest.
int logici(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
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
    void grafico_data();
    void grafico();

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
        QTest::newRow(c.nome) << QRect(logici(c.sinistra), logici(c.alto), logici(c.larghezza),
                                       logici(c.altezza))
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

void TestAltaDpi::grafico_data()
{
    QTest::addColumn<QByteArray>("profondita");
    QTest::newRow("cornice") << QByteArray();
    // On the axis's row, reaching the 100 km line, below the axis.
    for (const char* profondita : {"1", "1000", "-500"})
        QTest::newRow(profondita) << QByteArray(profondita);
}

void TestAltaDpi::grafico()
{
    QFETCH(QByteArray, profondita);

    ingrandisci();
    std::vector<prova::Operazione> disegno = prova::registraCornice();
    if (!profondita.isEmpty()) {
        banco_.controllo<QLineEdit>("Text1")->setText(QString::fromLatin1(profondita));
        banco_.controllo<QLineEdit>("Text2")->setText(QStringLiteral("7"));
        QTest::mouseClick(banco_.controllo<QPushButton>("Command1"), Qt::LeftButton);
        disegno = prova::registraRun(profondita.constData(), "7");
    }
    const QPalette& p = banco_.finestra().palette();
    const prova::ColoriGrafico colori{p.color(QPalette::Window).rgb(),
                                      p.color(QPalette::WindowText).rgb(), qRgb(0, 0, 255)};
    const QImage vista = schermata().convertToFormat(QImage::Format_RGB32);
    const QString differenze = prova::confrontaStriscia(
        vista, prova::graficoAtteso(disegno, vista.size(), rapporto, colori), rapporto,
        banco_.finestra());
    QVERIFY2(differenze.isEmpty(), qPrintable(differenze));
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
