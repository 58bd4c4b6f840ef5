// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The eighteen controls of Form8, as data: the window builds them from this
// table, in its order, so that layout, texts and fonts live in one place.

#include "calc/calcolo.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace form8 {

enum class Tipo
{
    immagine,
    campo,
    pulsante,
    etichetta
};

// The fonts in use, all of the "MS Sans Serif" family.
enum class Carattere
{
    finestra,
    grassetto825,
    grassetto975,
    grassetto135
};

struct Controllo
{
    const char* nome = "";
    Tipo tipo = Tipo::etichetta;
    // Position and size in twips from the top-left corner of the window.
    int sinistra = 0;
    int alto = 0;
    int larghezza = 0;
    int altezza = 0;
    const char* testo = ""; // UTF-8; for a picture, its resource
    Carattere carattere = Carattere::finestra;
    std::optional<calc::Colore> coloreTesto{};
    bool adattaAlTesto = false; // the label sizes itself to its text
    bool trasparente = false;   // the grid shows through
    bool bordo = false;         // a single-line border
    int ordineTab = 0;
    // What a screen reader is told. A control with a didascalia is named by
    // that label's caption, and the label is linked to it as its label; a
    // label reads its own text; nomeAccessibile names what has no text.
    const char* didascalia = nullptr;      // the name of the captioning label
    const char* nomeAccessibile = nullptr; // UTF-8
    const char* descrizione = nullptr;     // UTF-8
};

inline constexpr calc::Colore rosso = 0x000000FF;

// Captions keep their runs of blanks exactly: the labels wrap them at word
// boundaries within their width.
inline constexpr std::array<Controllo, 18> controlli{{
    {.nome = "Picture2",
     .tipo = Tipo::immagine,
     .sinistra = 9600,
     .alto = 0,
     .larghezza = 2295,
     .altezza = 1095,
     .testo = ":/picture2.bmp",
     .ordineTab = 10,
     .nomeAccessibile = "Sottomarino",
     .descrizione = "Sagoma di un sottomarino, disegnata di sbieco"},
    {.nome = "Picture1",
     .tipo = Tipo::immagine,
     .sinistra = 2520,
     .alto = 1680,
     .larghezza = 3615,
     .altezza = 2175,
     .testo = ":/picture1.bmp",
     .ordineTab = 9,
     .nomeAccessibile = "Schema della riflessione dal fondo",
     .descrizione =
         "Schizzo di due sottomarini alla stessa quota sopra il fondo: il segnale del bersaglio "
         "attivo scende al fondo, vi si riflette a metà strada e risale all'altro sottomarino. "
         "Sono indicati la profondità h del fondo, la distanza orizzontale d tra i due "
         "sottomarini e l'angolo di depressione b del percorso riflesso"},
    {.nome = "Text1",
     .tipo = Tipo::campo,
     .sinistra = 240,
     .alto = 1200,
     .larghezza = 855,
     .altezza = 465,
     .testo = "1",
     .carattere = Carattere::grassetto135,
     .ordineTab = 2,
     .didascalia = "Label1",
     .descrizione = "Profondità h del fondo sotto i due sottomarini, in metri"},
    {.nome = "Text2",
     .tipo = Tipo::campo,
     .sinistra = 2160,
     .alto = 1200,
     .larghezza = 735,
     .altezza = 375,
     .testo = "1",
     .carattere = Carattere::grassetto135,
     .ordineTab = 1,
     .didascalia = "Label6",
     .descrizione = "Angolo di depressione b, in gradi sotto l'orizzontale, con cui arriva il "
                    "segnale riflesso dal fondo; limiti: da 5° a 50°"},
    {.nome = "Command1",
     .tipo = Tipo::pulsante,
     .sinistra = 120,
     .alto = 3840,
     .larghezza = 1455,
     .altezza = 720,
     .testo = "Calcolo",
     .carattere = Carattere::grassetto975,
     .ordineTab = 0,
     .descrizione = "Calcola la distanza d dalla profondità e dall'angolo di depressione e "
                    "disegna il diagramma della distanza in funzione dell'angolo"},
    {.nome = "Label12",
     .sinistra = 3600,
     .alto = 8280,
     .larghezza = 300,
     .altezza = 195,
     .testo = "50°",
     .carattere = Carattere::grassetto825,
     .adattaAlTesto = true,
     .ordineTab = 17},
    {.nome = "Label11",
     .sinistra = 240,
     .alto = 8120,
     .larghezza = 375,
     .altezza = 375,
     .testo = "0        0",
     .carattere = Carattere::grassetto825,
     .trasparente = true,
     .ordineTab = 16},
    {.nome = "Label10",
     .sinistra = 120,
     .alto = 5880,
     .larghezza = 735,
     .altezza = 255,
     .testo = "100 Km",
     .carattere = Carattere::grassetto825,
     .trasparente = true,
     .ordineTab = 15},
    {.nome = "Label15",
     .sinistra = 6120,
     .alto = 4680,
     .larghezza = 1935,
     .altezza = 1215,
     .testo = "Esempio di calcolo:           Per h = 1000 m e  b = 7°                        "
              "                       Si ha: d =    16288 m",
     .coloreTesto = calc::blu,
     .ordineTab = 14},
    {.nome = "Label9",
     .sinistra = 15,
     .alto = 5520,
     .larghezza = 675,
     .altezza = 195,
     .testo = "  distanza",
     .adattaAlTesto = true,
     .ordineTab = 13},
    {.nome = "Label7",
     .sinistra = 3855,
     .alto = 8040,
     .larghezza = 1545,
     .altezza = 195,
     .testo = "angolo di depressione",
     .adattaAlTesto = true,
     .ordineTab = 12},
    {.nome = "Label8",
     .sinistra = 3860,
     .alto = 5880,
     .larghezza = 2175,
     .altezza = 615,
     .testo = "Il diagramma assume come valore di profondità il valore dell'impostazione dati",
     .ordineTab = 11},
    {.nome = "Label2",
     .sinistra = 3240,
     .alto = 1200,
     .larghezza = 1695,
     .altezza = 375,
     .testo = "Limiti: da 5° a 50°",
     .coloreTesto = rosso,
     .ordineTab = 8},
    {.nome = "Label6",
     .sinistra = 2040,
     .alto = 600,
     .larghezza = 3135,
     .altezza = 495,
     .testo = "Angolo di depressione  (b)          gradi",
     .carattere = Carattere::grassetto975,
     .ordineTab = 7},
    {.nome = "Label5",
     .sinistra = 240,
     .alto = 0,
     .larghezza = 3135,
     .altezza = 495,
     .testo = "Impostazione dati:",
     .carattere = Carattere::grassetto135,
     .ordineTab = 6},
    {.nome = "Label4",
     .sinistra = 3240,
     .alto = 4080,
     .larghezza = 1575,
     .altezza = 495,
     .testo = "Distanza   (d)         metri",
     .carattere = Carattere::grassetto975,
     .ordineTab = 5},
    {.nome = "Label3",
     .sinistra = 5040,
     .alto = 4080,
     .larghezza = 1095,
     .altezza = 495,
     .testo = "",
     .carattere = Carattere::grassetto135,
     .bordo = true,
     .ordineTab = 4,
     .didascalia = "Label4",
     .descrizione = "Risultato: la distanza orizzontale d del bersaglio, in metri"},
    {.nome = "Label1",
     .sinistra = 120,
     .alto = 600,
     .larghezza = 1575,
     .altezza = 495,
     .testo = "Profondità  (h)       metri",
     .carattere = Carattere::grassetto975,
     .ordineTab = 3},
}};

// The row of a control; where it is a constant, a name the table lacks does
// not compile.
constexpr std::size_t riga(std::string_view nome)
{
    for (std::size_t i = 0; i < controlli.size(); ++i)
        if (controlli[i].nome == nome)
            return i;
    throw "no control of that name";
}

// Every caption that names a control is a label of the table.
consteval bool didascalieEtichette()
{
    for (const Controllo& c : controlli)
        if (c.didascalia != nullptr && controlli[riga(c.didascalia)].tipo != Tipo::etichetta)
            return false;
    return true;
}
static_assert(didascalieEtichette());

} // namespace form8
