// SPDX-License-Identifier: GPL-3.0-or-later
// The chart exact on screens of every scale and under every colour scheme:
// the offscreen platform gets one screen per device pixel ratio, and each
// test compares the grabbed window device pixel by device pixel with the
// chart worked out from the rule alone.

#include "finestradiprova.h"
#include "graficoatteso.h"

#include "ui/form8.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

// The ratios of the screens, one screen each, side by side.
constexpr double rapporti[] = {1, 1.25, 1.5, 1.75, 2, 2.5, 3};
constexpr int larghezzaSchermo = 4000; // logical pixels

// A window tall enough to show the chart and some room below its axis.
const QSize dimensione(800, 640);

QString nomeSchermo(double r)
{
    return QStringLiteral("schermo-%1").arg(r);
}

// WCAG 2: relative luminance and contrast, for the colours of a dark scheme.
double lineare(int canale)
{
    const double c = canale / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminanza(QRgb c)
{
    return 0.2126 * lineare(qRed(c)) + 0.7152 * lineare(qGreen(c)) + 0.0722 * lineare(qBlue(c));
}

double contrasto(QRgb a, QRgb b)
{
    const double la = luminanza(a) + 0.05;
    const double lb = luminanza(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

// Blue lightened with white, step by step, until it stands out from fondo
// by minimo: the least lightening that reads.
QRgb bluLeggibile(QRgb fondo, double minimo)
{
    for (int k = 0; k <= 255; ++k)
        if (contrasto(qRgb(k, k, 255), fondo) >= minimo &&
            luminanza(qRgb(k, k, 255)) > luminanza(fondo))
            return qRgb(k, k, 255);
    return qRgb(255, 255, 255);
}

QPalette tavolozzaScura()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::ButtonText, Qt::white);
    return p;
}

} // namespace

class TestSchermi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void grafico_data();
    void grafico();
    void cambioSchermo_data();
    void cambioSchermo();
    void tavolozzaScuraDopoIlRun_data();
    void tavolozzaScuraDopoIlRun();
    void contrastoScuro();
    void nienteSottoLAsse_data();
    void nienteSottoLAsse();

private:
    // Puts the window on the screen of ratio r.
    void sposta(double r) const;
    void calcola(const char* profondita) const;
    // The grabbed window against the chart these operations draw.
    void controlla(const std::vector<prova::Operazione>& operazioni, double r,
                   const prova::ColoriGrafico& colori, const char* quando) const;
    prova::ColoriGrafico coloriFinestra(QRgb curva) const;

    QPalette originale_;
    prova::FinestraDiProva banco_;
};

void TestSchermi::initTestCase()
{
    originale_ = QApplication::palette();
    for (const double r : rapporti) {
        const auto schermi = QGuiApplication::screens();
        const bool presente = std::any_of(schermi.begin(), schermi.end(), [r](const QScreen* s) {
            return s->name() == nomeSchermo(r) && s->devicePixelRatio() == r;
        });
        QVERIFY2(presente, qPrintable(nomeSchermo(r)));
    }
}

void TestSchermi::init()
{
    QVERIFY(banco_.apri());
}

void TestSchermi::cleanup()
{
    QApplication::setPalette(originale_);
    QVERIFY2(banco_.chiudi(), "a dialog appeared that the test did not expect");
}

void TestSchermi::sposta(double r) const
{
    for (QScreen* s : QGuiApplication::screens())
        if (s->name() == nomeSchermo(r))
            banco_.finestra().move(s->geometry().topLeft() + QPoint(20, 20));
    QTRY_COMPARE(banco_.finestra().devicePixelRatioF(), r);
}

void TestSchermi::calcola(const char* profondita) const
{
    banco_.controllo<QLineEdit>("Text1")->setText(QString::fromLatin1(profondita));
    banco_.controllo<QLineEdit>("Text2")->setText(QStringLiteral("7"));
    QTest::mouseClick(banco_.controllo<QPushButton>("Command1"), Qt::LeftButton);
}

prova::ColoriGrafico TestSchermi::coloriFinestra(QRgb curva) const
{
    const QPalette& p = banco_.finestra().palette();
    return {p.color(QPalette::Window).rgb(), p.color(QPalette::WindowText).rgb(), curva};
}

void TestSchermi::controlla(const std::vector<prova::Operazione>& operazioni, double r,
                            const prova::ColoriGrafico& colori, const char* quando) const
{
    const QPixmap presa = banco_.finestra().grab();
    QCOMPARE(presa.devicePixelRatio(), r);
    const QImage vista = presa.toImage().convertToFormat(QImage::Format_RGB32);
    const QImage atteso = prova::graficoAtteso(operazioni, vista.size(), r, colori);
    const QString differenze = prova::confrontaStriscia(vista, atteso, r, banco_.finestra());
    QVERIFY2(differenze.isEmpty(),
             qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(quando), differenze)));
}

void TestSchermi::grafico_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<QByteArray>("profondita");
    for (const double r : rapporti)
        // The start-up depth, whose curve lies on the axis's row; a flat
        // curve on the axis itself; one that reaches the 100 km line; one
        // below the axis down to the window's bottom and past it.
        for (const char* profondita : {"1", "0", "1000", "-500"})
            QTest::addRow("%g/%s", r, profondita) << r << QByteArray(profondita);
}

void TestSchermi::grafico()
{
    QFETCH(double, r);
    QFETCH(QByteArray, profondita);

    Form8& finestra = banco_.finestra();
    finestra.resize(dimensione);
    sposta(r);
    const prova::ColoriGrafico colori = coloriFinestra(qRgb(0, 0, 255));
    controlla(prova::registraCornice(), r, colori, "before the run");

    calcola(profondita.constData());
    const auto run = prova::registraRun(profondita.constData(), "7");
    controlla(run, r, colori, "after the run");
    finestra.repaint();
    controlla(run, r, colori, "after a repaint");
    finestra.hide();
    finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&finestra));
    QCOMPARE(finestra.devicePixelRatioF(), r);
    controlla(run, r, colori, "hidden and shown again");
    // Taller: a curve below the axis shows further down.
    finestra.resize(dimensione + QSize(20, 60));
    QTest::qWait(20);
    controlla(run, r, colori, "after a resize");
}

void TestSchermi::cambioSchermo_data()
{
    QTest::addColumn<double>("primo");
    QTest::addColumn<double>("secondo");
    QTest::addColumn<QByteArray>("profondita");
    QTest::addColumn<bool>("fallisce"); // the run ends with a message
    QTest::newRow("da 1 a 1.5") << 1.0 << 1.5 << QByteArray("1000") << false;
    QTest::newRow("da 2 a 1.25") << 2.0 << 1.25 << QByteArray("1") << false;
    QTest::newRow("da 1.75 a 3") << 1.75 << 3.0 << QByteArray("-500") << false;
    // A depth of 10^308 doubled passes the double range at the curve's first
    // point, after the frame: moved, the chart is drawn again as far as that.
    QTest::newRow("run fallita") << 1.0 << 2.5 << ("1" + QByteArray(308, '0')) << true;
}

void TestSchermi::cambioSchermo()
{
    QFETCH(double, primo);
    QFETCH(double, secondo);
    QFETCH(QByteArray, profondita);
    QFETCH(bool, fallisce);

    Form8& finestra = banco_.finestra();
    finestra.resize(dimensione);
    sposta(primo);
    const auto run = prova::registraRun(profondita.constData(), "7");
    if (fallisce)
        banco_.sorvegliante().attendi();
    calcola(profondita.constData());
    QCOMPARE(banco_.sorvegliante().visti.size(), std::size_t{fallisce ? 1U : 0U});
    const QString risultato = banco_.controllo<QLabel>("Label3")->text();
    const QString testo1 = banco_.controllo<QLineEdit>("Text1")->text();
    const QString testo2 = banco_.controllo<QLineEdit>("Text2")->text();

    const prova::ColoriGrafico colori = coloriFinestra(qRgb(0, 0, 255));
    controlla(run, primo, colori, "on the first screen");
    sposta(secondo);
    controlla(run, secondo, colori, "moved to the second screen");
    sposta(primo);
    controlla(run, primo, colori, "moved back");
    // Only the chart is drawn again: no new result, no message (the fixture
    // fails the test on a dialog it did not expect).
    QCOMPARE(banco_.controllo<QLabel>("Label3")->text(), risultato);
    QCOMPARE(banco_.controllo<QLineEdit>("Text1")->text(), testo1);
    QCOMPARE(banco_.controllo<QLineEdit>("Text2")->text(), testo2);
}

void TestSchermi::tavolozzaScuraDopoIlRun_data()
{
    QTest::addColumn<double>("r");
    QTest::newRow("1") << 1.0;
    QTest::newRow("1.5") << 1.5;
}

void TestSchermi::tavolozzaScuraDopoIlRun()
{
    QFETCH(double, r);

    Form8& finestra = banco_.finestra();
    finestra.resize(dimensione);
    sposta(r);
    calcola("1000");
    const auto run = prova::registraRun("1000", "7");
    controlla(run, r, coloriFinestra(qRgb(0, 0, 255)), "in the light scheme");

    // The scheme changes while the program runs.
    QApplication::setPalette(tavolozzaScura());
    QTRY_COMPARE(finestra.palette().color(QPalette::Window), QColor(0x35, 0x35, 0x35));
    const QRgb fondo = finestra.palette().color(QPalette::Window).rgb();
    controlla(run, r, {fondo, qRgb(255, 255, 255), bluLeggibile(fondo, 3)}, "in the dark scheme");
    // The labels in the program's own colours follow too.
    QCOMPARE(banco_.controllo<QLabel>("Label15")->palette().color(QPalette::WindowText).rgb(),
             bluLeggibile(fondo, 4.5));
    const QLabel* const limiti = banco_.controllo<QLabel>("Label2");
    QVERIFY(contrasto(limiti->palette().color(QPalette::WindowText).rgb(), fondo) >= 4.5);
}

void TestSchermi::contrastoScuro()
{
    // Dark from the start, as on a desktop with a dark scheme.
    QApplication::setPalette(tavolozzaScura());
    QVERIFY(banco_.apri());
    Form8& finestra = banco_.finestra();
    finestra.resize(dimensione);
    calcola("1000");

    const QRgb fondo = finestra.palette().color(QPalette::Window).rgb();
    QCOMPARE(fondo, qRgb(0x35, 0x35, 0x35));
    // The curve: its point at 20° read from the window.
    const QImage vista = finestra.grab().toImage();
    const double d = 2 * 1000 / std::tan(3.14159 * 20 / 180);
    const QPoint punto(prova::pixelDispositivo(static_cast<float>(20 * 64.4 + 500), 1),
                       prova::pixelDispositivo(static_cast<float>(8240 - d * 0.0224), 1));
    const QRgb curva = vista.pixel(punto);
    QVERIFY2(contrasto(curva, fondo) >= 3, qPrintable(QString::number(curva, 16)));
    QCOMPARE(curva, bluLeggibile(fondo, 3));

    // The labels in their own colours, against the window colour.
    for (const char* nome : {"Label15", "Label2"}) {
        auto* const etichetta = banco_.controllo<QLabel>(nome);
        const QRgb testo = etichetta->palette().color(QPalette::WindowText).rgb();
        QCOMPARE(etichetta->palette().color(QPalette::Window).rgb(), fondo);
        QVERIFY2(
            contrasto(testo, fondo) >= 4.5,
            qPrintable(
                QStringLiteral("%1: %2").arg(QLatin1String(nome)).arg(contrasto(testo, fondo))));
        QCOMPARE(etichetta->foregroundRole(), QPalette::WindowText);
    }
    // Same hue as the program's blue and red, lightened.
    const QRgb blu15 =
        banco_.controllo<QLabel>("Label15")->palette().color(QPalette::WindowText).rgb();
    QCOMPARE(blu15, bluLeggibile(fondo, 4.5));
    const QRgb rosso2 =
        banco_.controllo<QLabel>("Label2")->palette().color(QPalette::WindowText).rgb();
    QCOMPARE(qRed(rosso2), 255);
    QCOMPARE(qGreen(rosso2), qBlue(rosso2));
}

void TestSchermi::nienteSottoLAsse_data()
{
    QTest::addColumn<double>("r");
    for (const double r : rapporti)
        QTest::addRow("%g", r) << r;
}

void TestSchermi::nienteSottoLAsse()
{
    QFETCH(double, r);

    Form8& finestra = banco_.finestra();
    finestra.resize(dimensione);
    sposta(r);
    calcola("-1000");
    calcola("1000");
    const QImage vista = finestra.grab().toImage();
    const QRgb fondo = finestra.palette().color(QPalette::Window).rgb();
    const int asse = prova::pixelDispositivo(8240, r);
    // Below the axis's row, between the frame's left edge and the axis's
    // end, clear of the labels under the axis ("0        0" and "50°").
    const int sinistra = static_cast<int>(std::ceil((240 + 375) / 15.0 * r));
    const int destra = static_cast<int>(std::floor(3600 / 15.0 * r)) - 1;
    for (int y = asse + 1; y < vista.height(); ++y)
        for (int x = sinistra; x <= destra; ++x)
            if ((vista.pixel(x, y) | 0xFF000000) != fondo)
                QFAIL(qPrintable(
                    QStringLiteral("(%1, %2) is %3").arg(x).arg(y).arg(vista.pixel(x, y), 8, 16)));
}

int main(int argc, char* argv[])
{
    // One offscreen screen per ratio, described in a file for the platform.
    QTemporaryDir cartella;
    if (!cartella.isValid())
        qFatal("no temporary directory");
    QJsonArray schermi;
    int i = 0;
    for (const double r : rapporti)
        schermi.append(QJsonObject{{"name", nomeSchermo(r)},
                                   {"x", larghezzaSchermo * i++},
                                   {"y", 0},
                                   {"width", larghezzaSchermo},
                                   {"height", 3000},
                                   {"dpr", r}});
    const QString percorso = cartella.filePath(QStringLiteral("schermi.json"));
    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(QJsonDocument(QJsonObject{{"screens", schermi}}).toJson()) < 0)
        qFatal("cannot write %s", qPrintable(percorso));
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + percorso.toLocal8Bit());

    QApplication applicazione(argc, argv);
    TestSchermi prova;
    return QTest::qExec(&prova, argc, argv);
}

#include "test_schermi.moc"
