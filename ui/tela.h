// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The canvas the chart is drawn on. The range calculation draws on it through
// calc::AreaDisegno in twips; it keeps what was drawn in an image, so that a
// repaint of the window copies the chart back instead of losing it. The image
// holds the strip of the window that the chart can reach, in device pixels:
// from the frame's left edge to the end of the horizontal axis, and from the
// top grid line down to the bottom of the window (a negative depth draws
// below the axis).

#include "calc/calcolo.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

class QPainter;

namespace form8 {

class Tela final : public calc::AreaDisegno
{
public:
    // Makes the canvas fit a window of this logical size at this device
    // pixel ratio, drawn in these colours. True when it had to start again
    // blank: the chart must then be drawn on it again.
    [[nodiscard]] bool adatta(QSize finestra, qreal rapporto, QRgb sfondo, QRgb primoPiano);

    void pulisci() override;
    void punto(float x, float y) override;
    void punto(float x, float y, calc::Colore colore) override;
    void linea(float x1, float y1, float x2, float y2) override;

    // Copies the canvas back where it lies in zona (logical pixels).
    void copia(QPainter& painter, const QRect& zona) const;

    // The logical pixels that the canvas covers, wholly or in part.
    QRect zona() const;

private:
    // The device pixel of the window that holds a coordinate in twips.
    int pixel(float twips) const;
    void scrivi(float x, float y, QRgb colore);
    void scegliColore(calc::Colore colore);

    qreal rapporto_ = 0;
    // Device pixels per twip, ratio / 15. Multiplying by it lands each
    // coordinate on the same pixel as dividing ratio × twips by 15 would,
    // wherever ratio × twips is exact in double precision, as it is at
    // 1.25, 1.5, 1.75, 2, 2.5, 3 and every ratio of a few binary digits
    // (elsewhere a point may fall one device pixel off); a division for each
    // point made a run take an eighth longer.
    double scala_ = 0;
    QRgb sfondo_ = 0;
    QRgb primoPiano_ = 0;
    // The last explicit colour asked for and how it is drawn on sfondo_: a
    // run asks for the same one thousands of times.
    std::optional<calc::Colore> coloreChiesto_;
    QRgb coloreDisegnato_ = 0;
    QPoint origine_;  // the device pixel of the window at the image's top-left
    QImage immagine_; // Format_RGB32, one pixel per device pixel
    // Points are stored straight into the pixels, tested against the
    // image's edges in device pixels of the window: calling scanLine(),
    // width() and height() for each point made a run take half as long
    // again.
    QRgb* pixel_ = nullptr;
    qsizetype passoRiga_ = 0;
    double sinistra_ = 0;
    double cima_ = 0;
    double destra_ = 0;
    double fondo_ = 0;
};

} // namespace form8
