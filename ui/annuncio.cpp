// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/annuncio.h"

#include <QAccessible>
#include <QWidget>

namespace form8 {

Annuncio::Annuncio(QWidget* finestra) : QObject(finestra)
{
    setObjectName(QStringLiteral("Annuncio"));
}

QWidget& Annuncio::finestra() const
{
    return *static_cast<QWidget*>(parent());
}

void Annuncio::annuncia(const QString& testo)
{
    // Shown again, it is heard again: a reader speaks it when it appears.
    if (!testo_.isEmpty())
        notifica(false);
    testo_ = testo;
    if (!testo_.isEmpty())
        notifica(true);
}

void Annuncio::notifica(bool mostrato)
{
    QAccessibleEvent evento(this, mostrato ? QAccessible::ObjectShow : QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&evento);
}

} // namespace form8
