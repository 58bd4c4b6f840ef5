// The accessible names and descriptions of Form8's controls, kept as a table.

#include "ui/accessibilita.h"

#include <QLabel>
#include <QVariant>
#include <QWidget>

namespace form8 {

namespace {

const char* const descrizioneRisultato =
    "Risultato: la distanza orizzontale d del bersaglio, in metri";

struct Descrizione
{
    const char* controllo = "";
    // The control whose caption names this one; without one, nome does.
    const char* didascalia = nullptr;
    const char* nome = "";        // UTF-8
    const char* descrizione = ""; // UTF-8
};

constexpr Descrizione descrizioni[] = {
    {.controllo = "Text1",
     .didascalia = "Label1",
     .descrizione = "Profondità h del fondo sotto i due sottomarini, in metri"},
    {.controllo = "Text2",
     .didascalia = "Label6",
     .descrizione = "Angolo di depressione b, in gradi sotto l'orizzontale, con cui arriva il "
                    "segnale riflesso dal fondo; limiti: da 5° a 50°"},
    {.controllo = "Command1",
     .didascalia = "Command1",
     .descrizione = "Calcola la distanza d dalla profondità e dall'angolo di depressione e "
                    "disegna il diagramma della distanza in funzione dell'angolo"},
    {.controllo = "Label3", .didascalia = "Label4", .descrizione = descrizioneRisultato},
    {.controllo = "Picture1",
     .nome = "Schema della riflessione dal fondo",
     .descrizione =
         "Schizzo di due sottomarini alla stessa quota sopra il fondo: il segnale del bersaglio "
         "attivo scende al fondo, vi si riflette a metà strada e risale all'altro sottomarino. "
         "Sono indicati la profondità h del fondo, la distanza orizzontale d tra i due "
         "sottomarini e l'angolo di depressione b del percorso riflesso"},
    {.controllo = "Picture2", .nome = "Sottomarino", .descrizione = "Sagoma di un sottomarino"},
};

const char* const grafico =
    "Diagramma in basso a sinistra: la distanza d, da 0 a 100 km verso l'alto, in funzione "
    "dell'angolo di depressione b, da 0° a 50° verso destra, con una griglia ogni 5 km e "
    "ogni 2,5°. Dopo ogni calcolo la curva blu mostra la distanza per la profondità "
    "impostata e per gli angoli da 1° a 50°; oltre 100 km resta sulla linea dei 100 km";

// A caption's runs of blanks lay it out on the form; read aloud they are
// one space.
QString testoDi(const QWidget& controllo)
{
    return controllo.property("text").toString().simplified();
}

} // namespace

void descriviAccessibilita(QWidget& finestra)
{
    for (const Descrizione& d : descrizioni) {
        auto* const controllo = finestra.findChild<QWidget*>(QString::fromLatin1(d.controllo));
        const auto* const didascalia =
            d.didascalia == nullptr
                ? nullptr
                : finestra.findChild<QWidget*>(QString::fromLatin1(d.didascalia));
        if (controllo == nullptr || (d.didascalia != nullptr && didascalia == nullptr)) {
            qWarning("descriviAccessibilita: no control %s", d.controllo);
            continue;
        }
        controllo->setAccessibleName(didascalia != nullptr ? testoDi(*didascalia)
                                                           : QString::fromUtf8(d.nome));
        controllo->setAccessibleDescription(QString::fromUtf8(d.descrizione));
    }
    finestra.setAccessibleDescription(QString::fromUtf8(grafico));
}

void descriviRisultato(QLabel& risultato)
{
    QString descrizione = QString::fromUtf8(descrizioneRisultato);
    if (!risultato.text().isEmpty())
        descrizione += QStringLiteral(": ") + risultato.text();
    risultato.setAccessibleDescription(descrizione);
}

} // namespace form8
