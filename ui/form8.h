// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's one window. It builds its eighteen controls from the table in
// controlli.h, hands the range calculation its canvas and the texts of the
// two data fields when "Calcolo" is clicked, and shows the result. It does no
// arithmetic of its own.

#include "ui/fabbricacontrolli.h"
#include "ui/tela.h"

#include <QWidget>

#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace form8 {
class Annuncio;
class Diagramma;
} // namespace form8

class Form8 : public QWidget
{
    Q_OBJECT

public:
    explicit Form8(QWidget* parent = nullptr);

    void Command1_Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The texts of the last run, whose chart the window keeps.
    struct Testi
    {
        std::string profondita;
        std::string angolo;
    };

    void Form_Paint(const QRect& zona);
    void creaControlli();
    void preparaTela();
    void coloraEtichette();
    void text1_KeyPress(short& KeyAscii);
    void text2_KeyPress(short& KeyAscii);

    form8::Tela tela_;
    std::optional<Testi> ultimoRun_;
    form8::Creati creati_{}; // every control, row by row of the table
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Label3 = nullptr;
    form8::Diagramma* diagramma_ = nullptr;
    form8::Annuncio* annuncio_ = nullptr;
};
