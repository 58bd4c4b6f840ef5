// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The chart as a screen reader knows it: an object of its own over the
// chart's strip of the window, with a description of what it shows that each
// run brings up to date: the depth the curve was drawn for and the distances
// it plots at 5°, 10°, ... 50°. The window draws the chart; this only tells
// about it.

#include <QObject>
#include <QRect>
#include <QString>

#include <string_view>

class QWidget;

namespace form8 {

class Diagramma final : public QObject
{
    Q_OBJECT

public:
    explicit Diagramma(QWidget* finestra);

    [[nodiscard]] QWidget& finestra() const;
    [[nodiscard]] static QString nome();
    [[nodiscard]] const QString& descrizione() const { return descrizione_; }
    // Where the chart lies, in the window's own pixels.
    [[nodiscard]] static QRect zona();

    // After a run that drew the whole curve for the depth in this field text.
    void curvaPer(std::string_view testoProfondita);
    // After a run that failed, which may have stopped part way.
    void curvaInterrotta();

private:
    void descrivi(const QString& descrizione);

    QString descrizione_;
};

} // namespace form8
