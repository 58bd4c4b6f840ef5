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

// The device pixel that holds a point given in twips.
int pixelDispositivo(float twips, qreal rapporto)
{
    const double pixel = std::floor(static_cast<double>(twips) * rapporto / twipsPerPixel);
    // Points far off the window land outside the canvas either way.
    constexpr double lontano = 1e9;
    if (!(std::fabs(pixel) < lontano))
        return -static_cast<int>(lontano);
    return static_cast<int>(pixel);
}

} // namespace

Tela::Tela(QColor sfondo, QColor primoPiano) : sfondo_(sfondo.rgb()), primoPiano_(primoPiano.rgb())
{}

void Tela::adatta(QSize finestra, qreal rapporto)
{
    const bool nuova = immagine_.isNull() || rapporto != rapporto_;
    const QPoint origine(pixelDispositivo(sinistraGrafico, rapporto),
                         pixelDispositivo(cimaGrafico, rapporto));
    const int destra = pixelDispositivo(destraGrafico, rapporto) + 1;
    const int fondo = std::max(pixelDispositivo(asseGrafico, rapporto) + 1,
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
    origine_ = origine;
    rapporto_ = rapporto;
    if (nuova)
        calc::disegnagriglia(*this);
}

void Tela::pulisci()
{
    immagine_.fill(sfondo_);
}

void Tela::punto(float x, float y)
{
    scrivi(dispositivo(x, y), primoPiano_);
}

void Tela::punto(float x, float y, calc::Colore colore)
{
    scrivi(dispositivo(x, y), rgbDaColore(colore));
}

void Tela::linea(float x1, float y1, float x2, float y2)
{
    QPainter pittore(&immagine_);
    pittore.setPen(QPen(QColor::fromRgb(primoPiano_), 0));
    pittore.drawLine(dispositivo(x1, y1), dispositivo(x2, y2));
}

void Tela::copia(QPainter& painter, const QRect& zonaRichiesta) const
{
    const QRect parte = zonaRichiesta & zona();
    if (parte.isEmpty())
        return;
    const QRectF sorgente(QPointF(parte.topLeft()) * rapporto_ - QPointF(origine_),
                          QSizeF(parte.size()) * rapporto_);
    painter.drawImage(QRectF(parte), immagine_, sorgente);
}

QRect Tela::zona() const
{
    // The logical pixels wholly inside the canvas; at ratio 1 the canvas itself.
    const QPointF alto(QPointF(origine_) / rapporto_);
    const QPointF basso(QPointF(origine_ + QPoint(immagine_.width(), immagine_.height())) /
                        rapporto_);
    return QRect(
        QPoint(static_cast<int>(std::ceil(alto.x())), static_cast<int>(std::ceil(alto.y()))),
        QPoint(static_cast<int>(std::floor(basso.x())) - 1,
               static_cast<int>(std::floor(basso.y())) - 1));
}

QPoint Tela::dispositivo(float x, float y) const
{
    return QPoint(pixelDispositivo(x, rapporto_), pixelDispositivo(y, rapporto_)) - origine_;
}

void Tela::scrivi(QPoint pixel, QRgb colore)
{
    if (pixel.x() < 0 || pixel.y() < 0 || pixel.x() >= immagine_.width() ||
        pixel.y() >= immagine_.height())
        return;
    // Straight into the pixels: a run plots thousands of points.
    reinterpret_cast<QRgb*>(immagine_.scanLine(pixel.y()))[pixel.x()] = colore;
}

} // namespace form8
