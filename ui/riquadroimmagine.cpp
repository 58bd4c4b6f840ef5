// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/riquadroimmagine.h"

#include <QPainter>

namespace form8 {

RiquadroImmagine::RiquadroImmagine(const QPixmap& immagine, QWidget* parent)
    : QFrame(parent), immagine_(immagine)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
}

void RiquadroImmagine::paintEvent(QPaintEvent* /*event*/)
{
    // One painter for the border and the picture inside it.
    QPainter pittore(this);
    drawFrame(&pittore);
    pittore.setClipRect(contentsRect());
    pittore.drawPixmap(contentsRect().topLeft(), immagine_);
}

} // namespace form8
