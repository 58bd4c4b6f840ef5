#pragma once

// The canvas the chart is drawn on. The range calculation draws on it through
// calc::AreaDisegno in twips; it keeps what was drawn in an image of its own,
// so that a repaint of the window copies the chart back instead of losing it.
// Only the strip that the chart can reach is kept: from the left end of the
// frame to the right end of the horizontal axis, and from the top grid line
// down to the bottom of the window (a negative depth draws below the axis).

#include "calc/calcolo.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

class QPainter;

namespace form8 {

class Tela final : public calc::AreaDisegno
{
public:
    Tela(QColor sfondo, QColor primoPiano);

    // Makes the canvas reach the bottom of a window of this logical size at
    // this device pixel ratio. It only grows, keeping what was drawn; a new
    // ratio starts a new canvas with the frame alone.
    void adatta(QSize finestra, qreal rapporto);

    void pulisci() override;
    void punto(float x, float y) override;
    void punto(float x, float y, calc::Colore colore) override;
    void linea(float x1, float y1, float x2, float y2) override;

    // Copies back the part of the canvas that lies in zona (logical pixels).
    void copia(QPainter& painter, const QRect& zona) const;

    // The part of the window the canvas covers, in logical pixels.
    QRect zona() const;

    const QImage& immagine() const { return immagine_; }

private:
    QPoint dispositivo(float x, float y) const;
    void scrivi(QPoint pixel, QRgb colore);

    QRgb sfondo_;
    QRgb primoPiano_;
    qreal rapporto_ = 1;
    QPoint origine_;  // device pixel of the window at the canvas's top-left
    QImage immagine_; // Format_RGB32, written pixel by pixel
};

} // namespace form8
