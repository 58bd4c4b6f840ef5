// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the window's pictures: picture1.bmp (the geometry sketch: two submarines, d, h, b°, the
// bottom), picture2.bmp (a diving submarine) and the window icon (icona-16/32/48.png, icona.svg).
// Redraw them with: cmake -S resources/disegnatore -B /tmp/dis && cmake --build /tmp/dis &&
// /tmp/dis/disegnatore resources/

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QRect>
#include <QString>
#include <QTextStream>

#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

// Light cyan sea; it must come out of the palette conversion untouched.
constexpr QRgb mare = 0xFF80FFFF;
constexpr QRgb nero = 0xFF000000;
constexpr QRgb blu = 0xFF0000FF;
constexpr QRgb grigio = 0xFF909090;
constexpr QRgb grigioScuro = 0xFF404040;

// The sea first, then the inks, then blends between every pair so that antialiased edges find a
// close entry. More than 16 entries also keeps Qt from writing a 4-bit BMP.
QList<QRgb> tavolozza()
{
    const std::array<QRgb, 5> base{mare, nero, blu, grigio, grigioScuro};
    QList<QRgb> colori(base.begin(), base.end());
    constexpr int passi = 16;
    for (std::size_t i = 0; i < base.size(); ++i) {
        for (std::size_t j = i + 1; j < base.size(); ++j) {
            for (int k = 1; k < passi; ++k) {
                const auto misto = [&](int a, int b) {
                    return (a * (passi - k) + b * k) / passi;
                };
                const QColor a(base[i]);
                const QColor b(base[j]);
                colori.append(qRgb(misto(a.red(), b.red()), misto(a.green(), b.green()),
                                   misto(a.blue(), b.blue())));
            }
        }
    }
    while (colori.size() < 256)
        colori.append(nero);
    return colori;
}

QImage foglioMare(int larghezza, int altezza)
{
    QImage foglio(larghezza, altezza, QImage::Format_RGB32);
    foglio.fill(mare);
    return foglio;
}

QFont corsivo(int pixel)
{
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(pixel);
    font.setItalic(true);
    const QFontInfo trovato(font);
    if (trovato.family() != QStringLiteral("Liberation Serif"))
        std::fprintf(stderr, "disegnatore: Liberation Serif is missing, using %s\n",
                     qPrintable(trovato.family()));
    return font;
}

// Side view of a submarine, bow towards +x, centred on the axis of the hull.
QPainterPath sagomaSommergibile(double lunghezza, double altezza, bool dettagli)
{
    const double meta = lunghezza / 2;
    const double r = altezza / 2;

    // Rounded bow, straight sides, the stern tapering to the shaft.
    QPainterPath scafo;
    scafo.moveTo(-meta, -r * 0.25);
    scafo.cubicTo(-meta * 0.75, -r * 0.7, -meta * 0.55, -r, -meta * 0.35, -r);
    scafo.lineTo(meta - r * 1.4, -r);
    scafo.cubicTo(meta - r * 0.3, -r, meta, -r * 0.55, meta, 0);
    scafo.cubicTo(meta, r * 0.55, meta - r * 0.3, r, meta - r * 1.4, r);
    scafo.lineTo(-meta * 0.35, r);
    scafo.cubicTo(-meta * 0.55, r, -meta * 0.75, r * 0.7, -meta, r * 0.25);
    scafo.closeSubpath();

    // Conning tower a little forward of the middle, its back sloping.
    const double torreX = lunghezza * 0.04;
    const double torreLarga = lunghezza * 0.18;
    const double torreAlta = altezza * (dettagli ? 0.7 : 0.85);
    QPainterPath torre;
    torre.moveTo(torreX - torreLarga * 0.6, -r + 0.5);
    torre.lineTo(torreX - torreLarga * 0.35, -r - torreAlta);
    torre.lineTo(torreX + torreLarga * 0.4, -r - torreAlta);
    torre.lineTo(torreX + torreLarga * 0.45, -r + 0.5);
    torre.closeSubpath();

    QPainterPath sagoma = scafo.united(torre);
    if (!dettagli)
        return sagoma;

    // Upper and lower rudder at the stern.
    const auto pinna = [&](double verso) {
        QPainterPath p;
        p.moveTo(-meta * 0.72, verso * r * 0.6);
        p.lineTo(-meta * 0.9, verso * r * 1.5);
        p.lineTo(-meta * 0.99, verso * r * 1.5);
        p.lineTo(-meta * 0.97, verso * r * 0.3);
        p.closeSubpath();
        return p;
    };
    sagoma = sagoma.united(pinna(-1)).united(pinna(1));

    // The periscope, an open stroke: this view is only ever outlined.
    const double periscopioX = torreX + torreLarga * 0.1;
    const double cima = -r - torreAlta * 1.45;
    sagoma.moveTo(periscopioX, -r - torreAlta);
    sagoma.lineTo(periscopioX, cima);
    sagoma.lineTo(periscopioX + lunghezza * 0.035, cima);
    return sagoma;
}

void sommergibilePieno(QPainter& pittore, QPointF centro, bool versoDestra)
{
    pittore.save();
    pittore.translate(centro);
    if (!versoDestra)
        pittore.scale(-1, 1);
    pittore.setPen(QPen(QColor(grigioScuro), 1));
    pittore.setBrush(QColor(grigio));
    pittore.drawPath(sagomaSommergibile(34, 9, false));
    pittore.restore();
}

// The rough sea bottom: a fixed, irregular zig-zag (the same every run) with a vertex at x = 121,
// where the signal is reflected.
class Fondo
{
public:
    explicit Fondo(double quota)
    {
        constexpr auto scarti = std::to_array<std::array<double, 2>>({
            {0, 0},    {5, -2},   {9, 1},    {15, -3},  {20, 0},  {24, 2},   {30, -1}, {36, 1},
            {41, -3},  {45, -1},  {52, 2},   {57, -2},  {63, 1},  {68, 3},   {74, -1}, {80, 0},
            {85, -3},  {91, 1},   {97, 3},   {103, -1}, {108, 1}, {114, -2}, {121, 0}, {127, 2},
            {133, -2}, {138, 1},  {145, -3}, {150, 0},  {157, 2}, {163, -1}, {170, 3}, {176, -2},
            {182, 1},  {187, -2}, {193, 2},  {199, -1}, {205, 1}, {211, -3}, {216, 0}, {222, 2},
            {228, -2}, {233, 1},  {238, -1}, {242, 0},
        });
        for (const auto& [x, scarto] : scarti)
            punti_.append(QPointF(x + 0.5, quota + scarto));
    }

    const QPolygonF& linea() const { return punti_; }

    double quotaA(double x) const
    {
        for (qsizetype i = 1; i < punti_.size(); ++i) {
            const QPointF a = punti_[i - 1];
            const QPointF b = punti_[i];
            if (x <= b.x())
                return a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x());
        }
        return punti_.last().y();
    }

private:
    QPolygonF punti_;
};

// Text drawn with its left baseline at the given point.
void scritta(QPainter& pittore, QPointF base, const QString& testo, QRgb colore)
{
    pittore.setPen(QColor(colore));
    pittore.drawText(base, testo);
}

QImage figuraGeometria()
{
    QImage foglio = foglioMare(242, 145);
    QPainter pittore(&foglio);
    pittore.setRenderHint(QPainter::Antialiasing);
    pittore.setRenderHint(QPainter::TextAntialiasing);
    pittore.setFont(corsivo(15));

    // Pixel centres, so that 1 px horizontal and vertical lines stay one pixel wide.
    const QPointF sinistro(34.5, 30.5);
    const QPointF destro(208.5, 30.5);
    const Fondo fondo(124.5);
    const QPointF riflesso(121.5, fondo.quotaA(121.5));
    const QPointF piede(sinistro.x(), fondo.quotaA(sinistro.x()));

    // Straight strokes aliased, one pixel wide and pure ink; only the arc, the hulls and the
    // letters are smoothed. The reflected path goes first so the other lines lie over it.
    pittore.setRenderHint(QPainter::Antialiasing, false);
    pittore.setPen(QPen(QColor(nero), 1));
    pittore.drawPolyline(QPolygonF{sinistro, riflesso, destro});

    pittore.setPen(QPen(QColor(blu), 1));
    pittore.drawLine(sinistro, destro);
    pittore.drawLine(sinistro, piede);

    pittore.setPen(QPen(QColor(nero), 1));
    pittore.setBrush(Qt::NoBrush);
    pittore.drawPolyline(fondo.linea());
    pittore.setRenderHint(QPainter::Antialiasing);

    // The depression angle, between the horizontal and the way down.
    const double angolo = std::atan2(riflesso.y() - sinistro.y(), riflesso.x() - sinistro.x());
    const double gradi = angolo * 180 / std::numbers::pi;
    constexpr double raggio = 27;
    pittore.setPen(QPen(QColor(nero), 1));
    pittore.drawArc(QRectF(sinistro.x() - raggio, sinistro.y() - raggio, 2 * raggio, 2 * raggio), 0,
                    -static_cast<int>(std::lround(gradi * 16)));

    sommergibilePieno(pittore, sinistro, true);
    sommergibilePieno(pittore, destro, false);

    scritta(pittore, QPointF(117, 26), QStringLiteral("d"), blu);
    scritta(pittore, QPointF(23, 82), QStringLiteral("h"), blu);
    scritta(pittore, QPointF(64, 50), QStringLiteral("b\u00B0"), nero);
    scritta(pittore, QPointF(201, 141), QStringLiteral("fondo"), nero);
    return foglio;
}

QImage figuraSommergibile()
{
    QImage foglio = foglioMare(151, 82);
    QPainter pittore(&foglio);
    pittore.setRenderHint(QPainter::Antialiasing);
    pittore.translate(76.5, 45.5);
    pittore.rotate(12); // bow down: diving
    pittore.setPen(QPen(QColor(blu), 1.3));
    pittore.setBrush(Qt::NoBrush);
    constexpr double lunghezza = 116;
    pittore.drawPath(sagomaSommergibile(lunghezza, 24, true));

    // A row of flood holes along the casing and the propeller on its shaft.
    pittore.setPen(QPen(QColor(blu), 1));
    for (int i = 0; i < 6; ++i)
        pittore.drawEllipse(QPointF(-22 + i * 8.0, 5), 1.5, 1.5);
    pittore.setPen(QPen(QColor(blu), 1.3));
    pittore.drawLine(QPointF(-lunghezza / 2, 0), QPointF(-lunghezza / 2 - 4, 0));
    pittore.drawEllipse(QRectF(-lunghezza / 2 - 6.5, -5, 3, 10));
    return foglio;
}

bool salvaBmp(const QImage& disegno, const QString& percorso)
{
    const QImage indicizzata = disegno.convertToFormat(QImage::Format_Indexed8, tavolozza(),
                                                       Qt::ThresholdDither | Qt::AvoidDither);
    if (indicizzata.pixelIndex(0, 0) != 0)
        std::fprintf(stderr, "disegnatore: the background of %s is not colour 0\n",
                     qPrintable(percorso));
    return indicizzata.save(percorso, "BMP");
}

// The window icon is a set of filled rectangles on a transparent square, laid out for each size
// on whole pixels so that every size is sharp; the SVG uses the largest layout.
struct Rettangolo
{
    QRect zona;
    QRgb colore;
};

std::vector<Rettangolo> icona(int lato)
{
    constexpr QRgb cornice = 0xFF404040;
    constexpr QRgb titolo = 0xFF000080;
    constexpr QRgb bianco = 0xFFFFFFFF;
    constexpr QRgb tasto = 0xFFC0C0C0;

    struct Misure
    {
        int margineX, margineY, bordo, titolo, tasto, crocetta;
    };
    const Misure m = lato <= 16   ? Misure{0, 1, 1, 4, 2, 0}
                     : lato <= 32 ? Misure{1, 3, 1, 7, 5, 3}
                                  : Misure{2, 5, 2, 10, 8, 4};

    const QRect finestra(m.margineX, m.margineY, lato - 2 * m.margineX, lato - 2 * m.margineY);
    const QRect interno = finestra.adjusted(m.bordo, m.bordo, -m.bordo, -m.bordo);
    const QRect barra(interno.left(), interno.top(), interno.width(), m.titolo);
    const int scostamento = (m.titolo - m.tasto) / 2;
    const QRect chiusura(barra.right() - scostamento - m.tasto + 1, barra.top() + scostamento,
                         m.tasto, m.tasto);

    std::vector<Rettangolo> parti{
        {finestra, cornice},
        {interno, bianco},
        {barra, titolo},
        {chiusura, tasto},
    };
    // The cross in the close box, one pixel at a time along both diagonals.
    const int croce = m.crocetta;
    if (croce > 0) {
        const QPoint angolo(chiusura.left() + (m.tasto - croce) / 2,
                            chiusura.top() + (m.tasto - croce) / 2);
        for (int i = 0; i < croce; ++i) {
            parti.push_back({QRect(angolo.x() + i, angolo.y() + i, 1, 1), cornice});
            if (2 * i + 1 != croce)
                parti.push_back({QRect(angolo.x() + croce - 1 - i, angolo.y() + i, 1, 1), cornice});
        }
    }
    return parti;
}

QImage iconaPng(int lato)
{
    QImage foglio(lato, lato, QImage::Format_ARGB32);
    foglio.fill(Qt::transparent);
    QPainter pittore(&foglio);
    for (const Rettangolo& parte : icona(lato))
        pittore.fillRect(parte.zona, QColor(parte.colore));
    return foglio;
}

bool salvaSvg(const QString& percorso)
{
    constexpr int lato = 48;
    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream testo(&file);
    testo << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << lato
          << "\" height=\"" << lato << "\" viewBox=\"0 0 " << lato << ' ' << lato << "\">\n";
    for (const Rettangolo& parte : icona(lato)) {
        const QRect& z = parte.zona;
        testo << "  <rect x=\"" << z.x() << "\" y=\"" << z.y() << "\" width=\"" << z.width()
              << "\" height=\"" << z.height() << "\" fill=\""
              << QColor(parte.colore).name(QColor::HexRgb) << "\"/>\n";
    }
    testo << "</svg>\n";
    testo.flush();
    return testo.status() == QTextStream::Ok && file.error() == QFileDevice::NoError;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication applicazione(argc, argv);

    if (argc != 2) {
        std::fprintf(stderr, "usage: disegnatore <destination folder>\n");
        return 2;
    }
    const QString cartella = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');

    bool riuscito = salvaBmp(figuraGeometria(), cartella + QStringLiteral("picture1.bmp"));
    riuscito =
        salvaBmp(figuraSommergibile(), cartella + QStringLiteral("picture2.bmp")) && riuscito;
    for (const int lato : {16, 32, 48})
        riuscito =
            iconaPng(lato).save(cartella + QStringLiteral("icona-%1.png").arg(lato), "PNG") &&
            riuscito;
    riuscito = salvaSvg(cartella + QStringLiteral("icona.svg")) && riuscito;

    if (!riuscito) {
        std::fprintf(stderr, "disegnatore: could not write everything into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
