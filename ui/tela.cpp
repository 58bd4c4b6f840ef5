#include "ui/tela.h"

#include "ui/colori.h"
#include "ui/twips.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace form8 {

namespace {

// The strip of the window that the chart reaches, in twips: the frame starts
// at x = 500 and y = 6000 (100 km), the horizontal axis ends at x = 3880 and
// lies at y = 8240. Below the axis the strip reaches the window's bottom.
constexpr float sinistraGrafico = 500;
constexpr float cimaGrafico = 6000;
constexpr float destraGrafico = 3880;
constexpr float asseGrafico = 8240;

// The device pixel that holds a point: floor(twips × ratio / 15), taken as a
// product with ratio / 15, which costs less than a division. The double
// nearest 1/15 is so close to it that a multiple of 15 twips still lands
// exactly on its pixel's edge.
double pixelEsatto(float twips, double scala)
{
    return std::floor(static_cast<double>(twips) * scala);
}

// The same as a whole number, for points that may lie far off the window.
int pixelIntero(float twips, double scala)
{
    constexpr double lontano = 1e9;
    return static_cast<int>(std::clamp(pixelEsatto(twips, scala), -lontano, lontano));
}

// glibc computes the tangent with AVX instructions where the processor has
// them and leaves the upper halves of the vector registers in use; the plain
// SSE instructions that follow then run far slower (a run took 1.7 times as
// long). Clearing those halves after each tangent removes the cost; the
// instruction keeps the lower halves, all that this code uses, so the
// compiler need not know of it.
inline void azzeraMetaAlte()
{
#if defined(__x86_64__) && defined(__GNUC__)
    asm volatile("vzeroupper");
#endif
}

} // namespace

Tela::Tela(QColor sfondo, QColor primoPiano) : sfondo_(sfondo.rgb()), primoPiano_(primoPiano.rgb())
{
#if defined(__x86_64__) && defined(__GNUC__)
    conAvx_ = __builtin_cpu_supports("avx");
#endif
}

void Tela::adatta(QSize finestra, qreal rapporto)
{
    const bool nuova = immagine_.isNull() || rapporto != rapporto_;
    const double scala = rapporto / twipsPerPixel;
    const QPoint origine(pixelIntero(sinistraGrafico, scala), pixelIntero(cimaGrafico, scala));
    const int destra = pixelIntero(destraGrafico, scala) + 1;
    const int fondo = std::max(pixelIntero(asseGrafico, scala) + 1,
                               static_cast<int>(std::ceil(finestra.height() * rapporto)));
    const QSize necessaria(destra - origine.x(), fondo - origine.y());
    if (!nuova && immagine_.height() >= necessaria.height())
        return;

    QImage cresciuta(necessaria, QImage::Format_RGB32);
    cresciuta.fill(sfondo_);
    if (!nuova) {
        QPainter pittore(&cresciuta);
        pittore.drawImage(0, 0, immagine_);
    }
    immagine_ = std::move(cresciuta);
    rapporto_ = rapporto;
    scala_ = scala;
    origine_ = origine;
    origineX_ = origine.x();
    origineY_ = origine.y();
    ultimaRigaCornice_ = pixelIntero(asseGrafico, scala) - origine.y();
    tieniPixel();
    if (nuova) {
        calc::disegnagriglia(*this);
    } else {
        segnaRiga(immagine_.height() - 1);
    }
}

void Tela::pulisci()
{
    tieniPixel();
    const int ultima = std::min(std::max(ultimaRiga_, ultimaRigaCornice_), immagine_.height() - 1);
    for (int y = 0; y <= ultima; ++y)
        std::fill_n(pixel_ + y * passoRiga_, immagine_.width(), sfondo_);
    ultimaRiga_ = 0;
}

void Tela::punto(float x, float y)
{
    scrivi(x, y, primoPiano_);
}

void Tela::punto(float x, float y, calc::Colore colore)
{
    // The curve's points come straight from the formula's tangent.
    if (conAvx_)
        azzeraMetaAlte();
    scrivi(x, y, rgbDaColore(colore));
}

void Tela::linea(float x1, float y1, float x2, float y2)
{
    const QPoint da = dispositivo(x1, y1);
    const QPoint a = dispositivo(x2, y2);
    {
        QPainter pittore(&immagine_);
        pittore.setPen(QPen(QColor::fromRgb(primoPiano_), 0));
        pittore.drawLine(da, a);
    }
    tieniPixel();
    segnaRiga(std::max(da.y(), a.y()));
}

void Tela::copia(QPainter& painter, const QRect& zonaRichiesta) const
{
    const QRect parte = zonaRichiesta & zona();
    // Clipped by the window's controls, a copy becomes one span per row and
    // control edge, and Qt hands 96 spans or more to its thread pool: waking
    // the threads costs far more than copying these few rows. Copy in bands.
    constexpr int righePerBanda = 24;
    for (int alto = parte.top(); alto <= parte.bottom(); alto += righePerBanda) {
        const QRect banda(parte.left(), alto, parte.width(),
                          std::min(righePerBanda, parte.bottom() + 1 - alto));
        const QRectF sorgente(QPointF(banda.topLeft()) * rapporto_ - QPointF(origine_),
                              QSizeF(banda.size()) * rapporto_);
        painter.drawImage(QRectF(banda), immagine_, sorgente);
    }
}

QRect Tela::zona() const
{
    const int righe = std::min(std::max(ultimaRiga_, ultimaRigaCornice_) + 1, immagine_.height());
    // The logical pixels wholly inside; at ratio 1 the device pixels themselves.
    const QPointF alto(QPointF(origine_) / rapporto_);
    const QPointF basso(QPointF(origine_ + QPoint(immagine_.width(), righe)) / rapporto_);
    return {QPoint(static_cast<int>(std::ceil(alto.x())), static_cast<int>(std::ceil(alto.y()))),
            QPoint(static_cast<int>(std::floor(basso.x())) - 1,
                   static_cast<int>(std::floor(basso.y())) - 1)};
}

QPoint Tela::dispositivo(float x, float y) const
{
    return QPoint(pixelIntero(x, scala_), pixelIntero(y, scala_)) - origine_;
}

void Tela::scrivi(float x, float y, QRgb colore)
{
    // The place within the canvas, kept in double precision until it is
    // known to be inside. Subtracting the whole-number origin is exact, and
    // inside the canvas truncating is flooring: no call to std::floor for
    // each of a run's thousands of points.
    const double px = static_cast<double>(x) * scala_ - origineX_;
    const double py = static_cast<double>(y) * scala_ - origineY_;
    if (!(px >= 0 && px < larghezza_ && py >= 0 && py < altezza_))
        return;
    const int riga = static_cast<int>(py);
    segnaRiga(riga); // before the store, which could otherwise alias it
    pixel_[riga * passoRiga_ + static_cast<int>(px)] = colore;
}

void Tela::tieniPixel()
{
    // bits() also makes the image our own again if a copy of it was taken.
    pixel_ = reinterpret_cast<QRgb*>(immagine_.bits());
    passoRiga_ = immagine_.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    larghezza_ = immagine_.width();
    altezza_ = immagine_.height();
}

} // namespace form8
