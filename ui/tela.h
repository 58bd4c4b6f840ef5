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

#include <algorithm>

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

    // The part of the window where the canvas holds a drawing, in logical
    // pixels: the frame's rows and any drawn on below them. Beyond it the
    // canvas is all background, which the window paints anyway.
    QRect zona() const;

private:
    QPoint dispositivo(float x, float y) const;
    void scrivi(float x, float y, QRgb colore);
    void tieniPixel(); // after the image itself changed
    void segnaRiga(int riga)
    {
        // Only rows below the frame need keeping track of: doing it for every
        // point would chain each point to the one before through memory.
        if (riga > ultimaRigaCornice_)
            ultimaRiga_ = std::max(ultimaRiga_, riga);
    }

    QRgb sfondo_;
    QRgb primoPiano_;
    bool conAvx_ = false; // the processor has AVX
    qreal rapporto_ = 1;
    double scala_ = 0; // device pixels per twip
    QPoint origine_;   // device pixel of the window at the canvas's top-left
    double origineX_ = 0;
    double origineY_ = 0;
    QImage immagine_; // Format_RGB32
    // A run plots thousands of points: they go straight into the pixels.
    QRgb* pixel_ = nullptr;
    qsizetype passoRiga_ = 0;
    double larghezza_ = 0;
    double altezza_ = 0;
    // A clear erases the rows of the frame, where every run draws, and down
    // to the lowest row drawn on below them since the last clear.
    int ultimaRigaCornice_ = 0;
    int ultimaRiga_ = 0;
};

} // namespace form8
