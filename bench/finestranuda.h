// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The floor that the window's costs are measured against: a plain QWidget
// with the same eighteen controls, texts and fonts as Form8, but with no
// chart and empty picture boxes.

#include <QWidget>

namespace banco {

class FinestraNuda final : public QWidget
{
    Q_OBJECT

public:
    explicit FinestraNuda(QWidget* parent = nullptr);
};

} // namespace banco
