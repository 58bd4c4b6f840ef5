// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The chart as the window should show it, worked out from the rule alone:
// the operations a run draws, recorded from the range calculation, and a
// point at (x, y) twips filling the device pixel (⌊x·r/15⌋, ⌊y·r/15⌋) at the
// device pixel ratio r. Lines (the chart has only the two axes) cover every
// device pixel between the device pixels of their ends.

#include "registro.h"

#include <QImage>
#include <QRgb>
#include <QString>

#include <vector>

class QWidget;

namespace prova {

struct ColoriGrafico
{
    QRgb sfondo = 0;
    QRgb primoPiano = 0;
    QRgb curva = 0;
};

// ⌊twips·r/15⌋.
int pixelDispositivo(float twips, double r);

// What a run with these texts draws, up to where it fails if it does.
std::vector<Operazione> registraRun(const char* profondita, const char* angolo);
// What a repaint before any run draws.
std::vector<Operazione> registraCornice();

// The window's picture at ratio r, dispositivo device pixels wide and high,
// background where nothing was drawn.
QImage graficoAtteso(const std::vector<Operazione>& operazioni, QSize dispositivo, double r,
                     const ColoriGrafico& colori);

// Compares the grabbed window with the expected picture over the chart's
// strip and a margin of a few device pixels around it (from the frame's left
// edge to the end of the horizontal axis, from the top grid line to the
// window's bottom), except where the window's controls lie. Empty when they
// agree; otherwise the differences, the first few by place.
QString confrontaStriscia(const QImage& vista, const QImage& atteso, double r,
                          const QWidget& finestra);

} // namespace prova
