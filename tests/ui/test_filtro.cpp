// SPDX-License-Identifier: GPL-3.0-or-later
// The keystroke filter of the two data fields: the rule on its own, then the
// keys as they reach the real fields of the window.

#include "finestradiprova.h"
#include "principale.h"

#include "ui/filtrotasti.h"
#include "ui/form8.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <iconv.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace {

const QStringList campi{QStringLiteral("Text1"), QStringLiteral("Text2")};
const QString appunti = QStringLiteral("99");

// The same state for every key: "123" with "2" selected, the cursor after
// it, one edit to undo, and something on the clipboard to paste.
void prepara(QLineEdit& campo)
{
    campo.setText(QStringLiteral("12"));
    campo.insert(QStringLiteral("3"));
    campo.setSelection(1, 1);
    QGuiApplication::clipboard()->setText(appunti);
}

// Presses and releases a key on the field; true when the field or its filter
// took the press, rather than passing it on to the window.
bool premi(QLineEdit& campo, int tasto, Qt::KeyboardModifiers modificatori, const QString& testo)
{
    QKeyEvent pressione(QEvent::KeyPress, tasto, modificatori, testo);
    QApplication::sendEvent(&campo, &pressione);
    QKeyEvent rilascio(QEvent::KeyRelease, tasto, modificatori, testo);
    QApplication::sendEvent(&campo, &rilascio);
    return pressione.isAccepted();
}

// The character at one code of Windows-1252, as the C library's own converter
// reads it; none where the code page has no character.
std::optional<char32_t> carattereWindows1252(unsigned char codice)
{
    const iconv_t convertitore = iconv_open("UTF-32LE", "WINDOWS-1252");
    if (convertitore == reinterpret_cast<iconv_t>(-1))
        qFatal("the C library cannot read Windows-1252");
    char ingresso = static_cast<char>(codice);
    char* da = &ingresso;
    std::size_t restaDa = 1;
    std::array<unsigned char, 4> uscita{};
    char* a = reinterpret_cast<char*>(uscita.data());
    std::size_t restaA = uscita.size();
    const std::size_t esito = iconv(convertitore, &da, &restaDa, &a, &restaA);
    iconv_close(convertitore);
    if (esito == static_cast<std::size_t>(-1) || restaA != 0)
        return std::nullopt;
    return char32_t{uscita[0]} | char32_t{uscita[1]} << 8 | char32_t{uscita[2]} << 16 |
           char32_t{uscita[3]} << 24;
}

} // namespace

class TestFiltro : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void regola_data();
    void regola();
    void tasti_data();
    void tasti();
    void composizione_data();
    void composizione();
    void codici_data();
    void codici();
    void tabulazione_data();
    void tabulazione();
    void calcolo();

private:
    QLineEdit* campo(const QString& nome) const
    {
        return banco_.finestra().findChild<QLineEdit*>(nome);
    }

    prova::FinestraDiProva banco_;
};

void TestFiltro::init()
{
    QVERIFY(banco_.apri());
}

void TestFiltro::cleanup()
{
    QVERIFY2(banco_.chiudi(), "a dialog appeared that the test did not expect");
}

void TestFiltro::regola_data()
{
    QTest::addColumn<std::int16_t>("codice");
    QTest::addColumn<std::int16_t>("atteso");

    for (const char c : std::string_view("-+.0123456789\b"))
        QTest::addRow("ammesso %d", c) << std::int16_t{c} << std::int16_t{c};

    const std::pair<const char*, std::int16_t> rifiutati[]{
        {"virgola", ','},
        {"barra, prima dello zero", '/'},
        {"due punti, dopo il nove", ':'},
        {"a", 'a'},
        {"e", 'e'},
        {"E", 'E'},
        {"spazio", ' '},
        {"Invio", 13},
        {"Esc", 27},
        {"Ctrl+A", 1},
        {"Ctrl+C", 3},
        {"Ctrl+V", 22},
        {"Ctrl+X", 24},
        {"Ctrl+Z", 26},
        {"Ctrl+Backspace", 127},
        {"à", 224},
        {"°", 176},
        {"€", 128},
        {"nessun carattere", 0},
        {"-1", -1},
        {"-211, che in un char è il meno", -211},
        {"305, che in un char è l'uno", 305},
        {"264, che in un char è Backspace", 264},
        {"il più basso", -32768},
        {"il più alto", 32767},
    };
    for (const auto& [nome, codice] : rifiutati)
        QTest::newRow(nome) << codice << std::int16_t{0};
}

void TestFiltro::regola()
{
    QFETCH(std::int16_t, codice);
    QFETCH(std::int16_t, atteso);

    form8::filtranumerico(codice);
    QCOMPARE(codice, atteso);
}

void TestFiltro::tasti_data()
{
    QTest::addColumn<int>("tasto");
    QTest::addColumn<Qt::KeyboardModifiers>("modificatori");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("atteso");
    QTest::addColumn<int>("cursore");
    QTest::addColumn<QString>("selezione");

    const auto riga = [](const QByteArray& nome, int tasto, Qt::KeyboardModifiers modificatori,
                         const QString& testo, const QString& atteso, int cursore,
                         const QString& selezione) {
        QTest::newRow(nome.constData())
            << tasto << modificatori << testo << atteso << cursore << selezione;
    };
    // A refused key leaves text, cursor and selection as they were.
    const auto rifiuta = [&riga](const QByteArray& nome, int tasto,
                                 Qt::KeyboardModifiers modificatori, const QString& testo) {
        riga(nome, tasto, modificatori, testo, "123", 2, "2");
    };
    const Qt::KeyboardModifiers nessuno = Qt::NoModifier;

    riga("cifra", Qt::Key_7, nessuno, "7", "173", 2, "");
    riga("cifra del tastierino", Qt::Key_5, Qt::KeypadModifier, "5", "153", 2, "");
    riga("punto", Qt::Key_Period, nessuno, ".", "1.3", 2, "");
    riga("meno", Qt::Key_Minus, nessuno, "-", "1-3", 2, "");
    riga("più", Qt::Key_Plus, Qt::ShiftModifier, "+", "1+3", 2, "");
    riga("Backspace", Qt::Key_Backspace, nessuno, "\b", "13", 1, "");
    // Ctrl+H types a backspace, whatever other modifiers come with it.
    riga("Ctrl+H", Qt::Key_H, Qt::ControlModifier, "h", "13", 1, "");
    riga("Ctrl+Meta+H", Qt::Key_H, Qt::ControlModifier | Qt::MetaModifier, "h", "13", 1, "");
    riga("Shift+Ins", Qt::Key_Insert, Qt::ShiftModifier, "", "1993", 3, "");
    riga("Canc", Qt::Key_Delete, nessuno, "\x7f", "13", 1, "");
    riga("freccia a sinistra", Qt::Key_Left, nessuno, "", "123", 1, "");
    riga("Shift+freccia a destra", Qt::Key_Right, Qt::ShiftModifier, "", "123", 3, "23");
    riga("Home", Qt::Key_Home, nessuno, "", "123", 0, "");
    riga("Fine", Qt::Key_End, nessuno, "", "123", 3, "");

    rifiuta("virgola", Qt::Key_Comma, nessuno, ",");
    rifiuta("lettera", Qt::Key_A, nessuno, "a");
    rifiuta("esponente", Qt::Key_E, Qt::ShiftModifier, "E");
    rifiuta("spazio", Qt::Key_Space, nessuno, " ");
    rifiuta("Invio", Qt::Key_Return, nessuno, "\r");
    rifiuta("Invio del tastierino", Qt::Key_Enter, Qt::KeypadModifier, "\r");
    rifiuta("Esc", Qt::Key_Escape, nessuno, "\x1b");
    rifiuta("à", Qt::Key_Agrave, nessuno, "à");
    rifiuta("°", Qt::Key_degree, Qt::ShiftModifier, "°");
    rifiuta("€", Qt::Key_unknown, nessuno, "€");
    rifiuta("fuori da Windows-1252", Qt::Key_unknown, nessuno, "ω");
    // Invisible, but the field would insert them.
    rifiuta("trattino morbido", Qt::Key_unknown, nessuno, QStringLiteral("\u00AD"));
    rifiuta("spazio di larghezza zero", Qt::Key_unknown, nessuno, QStringLiteral("\u200B"));
    rifiuta("Ctrl+Backspace", Qt::Key_Backspace, Qt::ControlModifier, "\b");
    // The text of a Ctrl combination is the letter offscreen, the control
    // code under X11: neither lets it through.
    for (const char lettera : std::string_view("VAZXC")) {
        const int tasto = Qt::Key_A + (lettera - 'A');
        const QByteArray nome = QByteArray("Ctrl+") + lettera;
        rifiuta(nome, tasto, Qt::ControlModifier, QString(QChar::fromLatin1(lettera).toLower()));
        rifiuta(nome + " come sotto X11", tasto, Qt::ControlModifier,
                QString(QChar(char16_t(lettera - 'A' + 1))));
    }
}

void TestFiltro::tasti()
{
    QFETCH(int, tasto);
    QFETCH(Qt::KeyboardModifiers, modificatori);
    QFETCH(QString, testo);
    QFETCH(QString, atteso);
    QFETCH(int, cursore);
    QFETCH(QString, selezione);

    for (const QString& nome : campi) {
        QLineEdit* const dati = campo(nome);
        QVERIFY(dati);
        prepara(*dati);

        QVERIFY2(premi(*dati, tasto, modificatori, testo), qPrintable(nome));
        QCOMPARE(dati->text(), atteso);
        QCOMPARE(dati->cursorPosition(), cursore);
        QCOMPARE(dati->selectedText(), selezione);
        QCOMPARE(QGuiApplication::clipboard()->text(), appunti);
    }
}

void TestFiltro::composizione_data()
{
    QTest::addColumn<QString>("composto");
    QTest::addColumn<QString>("atteso");

    QTest::newRow("lettera accentata") << QStringLiteral("à") << QStringLiteral("123");
    QTest::newRow("cifre e virgola") << QStringLiteral("4,5") << QStringLiteral("1453");
}

void TestFiltro::composizione()
{
    QFETCH(QString, composto);
    QFETCH(QString, atteso);

    for (const QString& nome : campi) {
        QLineEdit* const dati = campo(nome);
        QVERIFY(dati);
        prepara(*dati);

        QInputMethodEvent evento;
        evento.setCommitString(composto);
        QApplication::sendEvent(dati, &evento);
        QCOMPARE(dati->text(), atteso);
    }
}

void TestFiltro::codici_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QList<int>>("attesi");

    // Every character of the code page above ASCII arrives as its own code,
    // not as the "?" of a character the code page lacks.
    for (int codice = 0x80; codice <= 0xFF; ++codice) {
        const std::optional<char32_t> carattere = carattereWindows1252(codice);
        if (!carattere || QChar::category(*carattere) == QChar::Other_Control)
            continue;
        QTest::addRow("0x%02X", codice) << QString::fromUcs4(&*carattere, 1) << QList<int>{codice};
    }
    QTest::newRow("fuori da Windows-1252") << QStringLiteral("ω") << QList<int>{'?'};
    QTest::newRow("fuori dal piano di base") << QStringLiteral("\U0001F600") << QList<int>{'?'};
    QTest::newRow("più caratteri in un tasto")
        << QStringLiteral("7€a") << QList<int>{'7', 0x80, 'a'};
}

void TestFiltro::codici()
{
    QFETCH(QString, testo);
    QFETCH(QList<int>, attesi);

    QLineEdit campo;
    // The codes the field's keystroke procedure is handed, all let through.
    QList<int> codici;
    campo.installEventFilter(new form8::FiltroTasti(
        [&codici](std::int16_t& KeyAscii) { codici.push_back(KeyAscii); }, &campo));

    premi(campo, Qt::Key_unknown, Qt::NoModifier, testo);
    QCOMPARE(codici, attesi);
    QCOMPARE(campo.text(), testo);

    // What an input method commits is judged the same way.
    codici.clear();
    campo.clear();
    QInputMethodEvent evento;
    evento.setCommitString(testo);
    QApplication::sendEvent(&campo, &evento);
    QCOMPARE(codici, attesi);
    QCOMPARE(campo.text(), testo);
}

void TestFiltro::tabulazione_data()
{
    QTest::addColumn<QString>("da");
    QTest::addColumn<int>("tasto");
    QTest::addColumn<Qt::KeyboardModifiers>("modificatori");
    QTest::addColumn<QString>("a");

    QTest::newRow("Tab") << "Text2" << int(Qt::Key_Tab) << Qt::KeyboardModifiers() << "Text1";
    QTest::newRow("Shift+Tab") << "Text1" << int(Qt::Key_Backtab)
                               << Qt::KeyboardModifiers(Qt::ShiftModifier) << "Text2";
}

void TestFiltro::tabulazione()
{
    QFETCH(QString, da);
    QFETCH(int, tasto);
    QFETCH(Qt::KeyboardModifiers, modificatori);
    QFETCH(QString, a);

    QLineEdit* const partenza = campo(da);
    QVERIFY(partenza);
    partenza->setFocus();
    // Qt gives both the text of a tab, as a real keyboard does.
    QTest::sendKeyEvent(QTest::Click, partenza, Qt::Key(tasto), QStringLiteral("\t"), modificatori);
    QCOMPARE(banco_.finestra().focusWidget(), campo(a));
}

void TestFiltro::calcolo()
{
    QLineEdit* const profondita = campo(QStringLiteral("Text1"));
    auto* const pulsante = banco_.finestra().findChild<QPushButton*>(QStringLiteral("Command1"));
    auto* const risultato = banco_.finestra().findChild<QLabel*>(QStringLiteral("Label3"));
    QVERIFY(profondita && pulsante && risultato);

    QTest::keyClick(profondita, Qt::Key_End);
    QTest::keyClick(profondita, Qt::Key_Backspace);
    QTest::keyClicks(profondita, QStringLiteral("1.2.3"));
    QCOMPARE(profondita->text(), QStringLiteral("1.2.3"));
    QTest::mouseClick(pulsante, Qt::LeftButton);
    // The depth is read as far as it makes a number: 2 * 1.2 / tan(1°).
    QCOMPARE(risultato->text(), QStringLiteral("137"));
}

MISURA_TEST_MAIN(TestFiltro)
#include "test_filtro.moc"
