#include "ui/riquadroimmagine.h"

#include <QPainter>

namespace form8 {

RiquadroImmagine::RiquadroImmagine(const QPixmap& immagine, QWidget* parent)
    : QFrame(parent), immagine_(immagine)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
}

void RiquadroImmagine::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter pittore(this);
    pittore.setClipRect(contentsRect());
    pittore.drawPixmap(contentsRect().topLeft(), immagine_);
}

} // namespace form8
