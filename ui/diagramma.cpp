// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/diagramma.h"

#include "calc/calcolo.h"
#include "ui/twips.h"

#include <QAccessible>
#include <QStringList>
#include <QWidget>

namespace form8 {

namespace {

const char* const nomeDiagramma = "Diagramma della distanza in funzione dell'angolo di depressione";

const char* const assi = "La distanza d, da 0 a 100 km verso l'alto, in funzione dell'angolo di "
                         "depressione b, da 0° a 50° verso destra.";

const char* const senzaCurva = "Nessuna curva: la disegna il pulsante Calcolo.";

const char* const senzaFine =
    "L'ultimo calcolo non è riuscito: la curva può mancare o essere incompleta.";

QString testo(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// "a 5° 22860 m", in whole metres like the result; on the 100 km line, what
// the curve hides beyond it is said instead.
QString lettura(const calc::PuntoCurva& punto)
{
    const QString angolo = QString::number(punto.angolo) + QStringLiteral("°");
    if (punto.oltre)
        return QStringLiteral("a %1 oltre 100 km").arg(angolo);
    return QStringLiteral("a %1 %2 m")
        .arg(angolo, QString::fromStdString(calc::testorisultato(punto.distanza)));
}

} // namespace

Diagramma::Diagramma(QWidget* finestra)
    : QObject(finestra), descrizione_(testo(assi) + QLatin1Char(' ') + testo(senzaCurva))
{
    setObjectName(QStringLiteral("Diagramma"));
}

QWidget& Diagramma::finestra() const
{
    return *static_cast<QWidget*>(parent());
}

QString Diagramma::nome()
{
    return testo(nomeDiagramma);
}

QRect Diagramma::zona()
{
    const calc::Riquadro& z = calc::zonagrafico;
    return rettangoloDaTwips(static_cast<int>(z.sinistra), static_cast<int>(z.alto),
                             static_cast<int>(z.destra - z.sinistra),
                             static_cast<int>(z.basso - z.alto));
}

void Diagramma::curvaPer(std::string_view testoProfondita)
{
    const double h = calc::valoretesto(testoProfondita);
    QStringList letture;
    for (const calc::PuntoCurva& punto : calc::distanzegrafico(h))
        letture << lettura(punto);
    descrivi(testo(assi) + QStringLiteral(" Curva per la profondità h = %1 m: %2.")
                               .arg(QString::number(h), letture.join(QStringLiteral("; "))));
}

void Diagramma::curvaInterrotta()
{
    descrivi(testo(assi) + QLatin1Char(' ') + testo(senzaFine));
}

void Diagramma::descrivi(const QString& descrizione)
{
    descrizione_ = descrizione;
    QAccessibleEvent evento(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&evento);
}

} // namespace form8
