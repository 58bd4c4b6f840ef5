// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A picture box: a bitmap shown unscaled from the top-left corner inside the
// box's sunken border, and cut off where it does not fit. It takes the
// keyboard focus like the program's other controls that can hold it.

#include <QFrame>
#include <QPixmap>

namespace form8 {

class RiquadroImmagine final : public QFrame
{
    Q_OBJECT

public:
    explicit RiquadroImmagine(const QPixmap& immagine, QWidget* parent);

    const QPixmap& immagine() const { return immagine_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap immagine_;
};

} // namespace form8
