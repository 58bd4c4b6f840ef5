// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tela.h"

#include "ui/colori.h"
#include "ui/metaalte.h"
#include "ui/twips.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace form8 {

bool Tela::adatta(QSize finestra, qreal rapporto, QRgb sfondo, QRgb primoPiano)
{
    const bool uguale = rapporto == rapporto_ && sfondo == sfondo_ && primoPiano == primoPiano_;
    rapporto_ = rapporto;
    scala_ = rapporto / twipsPerPixel;
    // The strip reaches the window's bottom, and the axis's row at least.
    const int fondo = std::max(pixel(calc::cornice::origineY) + 1,
                               static_cast<int>(std::ceil(finestra.height() * rapporto)));
    if (uguale && origine_.y() + immagine_.height() >= fondo)
        return false;

    sfondo_ = sfondo;
    primoPiano_ = primoPiano;
    coloreChiesto_.reset();
    origine_ = QPoint(pixel(calc::cornice::origineX), pixel(calc::cornice::cimaY));
    immagine_ = QImage(pixel(calc::cornice::fineAsseX) + 1 - origine_.x(), fondo - origine_.y(),
                       QImage::Format_RGB32);
    // The image is never shared, so its pixels stay where bits() finds them.
    pixel_ = reinterpret_cast<QRgb*>(immagine_.bits());
    passoRiga_ = immagine_.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    sinistra_ = origine_.x();
    cima_ = origine_.y();
    destra_ = origine_.x() + immagine_.width();
    fondo_ = fondo;
    pulisci();
    return true;
}

void Tela::pulisci()
{
    immagine_.fill(sfondo_);
    azzeraMetaAlte(); // before the frame's points
}

void Tela::punto(float x, float y)
{
    scrivi(x, y, primoPiano_);
}

void Tela::punto(float x, float y, calc::Colore colore)
{
    if (colore != coloreChiesto_)
        scegliColore(colore);
    scrivi(x, y, coloreDisegnato_);
}

// Marked cold so that the compiler keeps it out of punto(): inlined there, it
// made each of the curve's points save and restore six registers, and a run
// took a sixth longer.
Q_DECL_COLD_FUNCTION void Tela::scegliColore(calc::Colore colore)
{
    coloreChiesto_ = colore;
    coloreDisegnato_ = rgbLeggibile(colore, sfondo_, calc::contrastoGrafico);
}

void Tela::linea(float x1, float y1, float x2, float y2)
{
    {
        QPainter pittore(&immagine_);
        // A cosmetic pen: one device pixel wide, both ends drawn.
        pittore.setPen(QPen(QColor::fromRgb(primoPiano_), 0));
        pittore.drawLine(QPoint(pixel(x1), pixel(y1)) - origine_,
                         QPoint(pixel(x2), pixel(y2)) - origine_);
    }
    azzeraMetaAlte(); // before the curve's points
}

void Tela::copia(QPainter& painter, const QRect& zona) const
{
    // Every device pixel that zona touches; the painter's clip keeps the
    // ones that are exposed. At the painter's scale the logical places fall
    // on whole device pixels again, so the image is copied, not resampled.
    const QRect parte = QRectF(QPointF(zona.topLeft()) * rapporto_, QSizeF(zona.size()) * rapporto_)
                            .toAlignedRect() &
                        QRect(origine_, immagine_.size());
    // Clipped by the window's controls, a copy becomes a span for each row
    // and control edge, and Qt hands 96 spans or more to its thread pool:
    // waking the threads cost more than the copy (a repaint took 1.4 times
    // as long). Copied in bands of fewer rows, it stays on this thread.
    constexpr int righePerBanda = 32;
    for (int alto = parte.top(); alto <= parte.bottom(); alto += righePerBanda) {
        const QRect banda = parte & QRect(parte.left(), alto, parte.width(), righePerBanda);
        painter.drawImage(
            QRectF(QPointF(banda.topLeft()) / rapporto_, QSizeF(banda.size()) / rapporto_),
            immagine_, QRectF(banda.translated(-origine_)));
    }
}

QRect Tela::zona() const
{
    return QRectF(QPointF(origine_) / rapporto_, QSizeF(immagine_.size()) / rapporto_)
        .toAlignedRect();
}

int Tela::pixel(float twips) const
{
    // Far off the window a coordinate still makes a whole number.
    constexpr double lontano = 1e9;
    return static_cast<int>(
        std::clamp(std::floor(static_cast<double>(twips) * scala_), -lontano, lontano));
}

void Tela::scrivi(float x, float y, QRgb colore)
{
    // The device pixel ⌊twips × ratio / 15⌋; inside the image, which lies
    // right and below the window's origin, truncating is flooring.
    const double px = static_cast<double>(x) * scala_;
    const double py = static_cast<double>(y) * scala_;
    if (!(px >= sinistra_ && px < destra_ && py >= cima_ && py < fondo_))
        return;
    pixel_[(static_cast<int>(py) - origine_.y()) * passoRiga_ + static_cast<int>(px) -
           origine_.x()] = colore;
}

} // namespace form8
