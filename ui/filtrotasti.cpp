// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/filtrotasti.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace {

// The characters at codes 128 to 159 of Windows-1252, 0 where it has none;
// the codes below and above are those of Unicode.
constexpr std::array<char16_t, 32> da128{
    u'\u20AC', 0,         u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', 0,         u'\u017D', 0,
    0,         u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', 0,         u'\u017E', u'\u0178'};

// What Windows types for a character its code page lacks.
constexpr std::int16_t fuoriCodifica = '?';

std::int16_t codiceWindows1252(char32_t carattere)
{
    if (carattere < 0x80 || (carattere >= 0xA0 && carattere <= 0xFF))
        return static_cast<std::int16_t>(carattere);
    const auto trovato = std::ranges::find(da128, carattere);
    if (trovato == da128.end())
        return fuoriCodifica;
    return static_cast<std::int16_t>(0x80 + (trovato - da128.begin()));
}

// The codes of what a key press types, in order; none for a key that types
// nothing and so keeps its own effect (moving, deleting, the focus).
std::vector<std::int16_t> codiciDelTasto(const QKeyEvent& tasto)
{
    const bool ctrl = tasto.modifiers().testFlag(Qt::ControlModifier);
    switch (tasto.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return {}; // Qt gives them a text, but they move the focus
    case Qt::Key_Backspace:
        return {ctrl ? std::int16_t{127} : std::int16_t{8}};
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return {13};
    case Qt::Key_Escape:
        return {27};
    default:
        break;
    }
    // Ctrl with a letter types a control character, whatever text the
    // platform gives it (the letter offscreen, the code under X11). With Alt
    // as well it is AltGr on Windows, which types what its text says.
    const bool alt = tasto.modifiers().testFlag(Qt::AltModifier);
    if (ctrl && !alt && tasto.key() >= Qt::Key_A && tasto.key() <= Qt::Key_Z)
        return {static_cast<std::int16_t>(tasto.key() - Qt::Key_A + 1)};
    // Otherwise the text is what was typed: the control codes some keys
    // carry (127 for Delete under X11) type nothing, but every other
    // character does, invisible ones (a soft hyphen, a zero-width space)
    // included, since the field would insert them.
    std::vector<std::int16_t> codici;
    for (const char32_t carattere : tasto.text().toUcs4()) {
        if (QChar::category(carattere) == QChar::Other_Control)
            return {};
        codici.push_back(codiceWindows1252(carattere));
    }
    return codici;
}

} // namespace

namespace form8 {

void filtranumerico(std::int16_t& KeyAscii)
{
    std::string ammessi = "-+.0123456789";
    ammessi += '\b';
    // Compared as codes, not as chars, so that no code outside 0 to 255
    // passes for the character it would be cut down to.
    const auto trovato = std::ranges::find_if(
        ammessi, [KeyAscii](char c) { return static_cast<unsigned char>(c) == KeyAscii; });
    if (trovato == ammessi.end())
        KeyAscii = 0;
}

FiltroTasti::FiltroTasti(Procedura procedura, QObject* parent)
    : QObject(parent), procedura_(std::move(procedura))
{}

bool FiltroTasti::eventFilter(QObject* watched, QEvent* event)
{
    // The field's procedure clears the code of a character it refuses.
    const auto passa = [this](std::int16_t KeyAscii) {
        procedura_(KeyAscii);
        return KeyAscii != 0;
    };
    switch (event->type()) {
    case QEvent::KeyPress: {
        // A key press cannot be cut short: one refused character drops it.
        const auto& tasto = *static_cast<const QKeyEvent*>(event);
        const std::vector<std::int16_t> codici = codiciDelTasto(tasto);
        if (!std::ranges::all_of(codici, passa))
            return true;
        // Ctrl+H types a backspace; left to the field, which knows it only as
        // a letter with modifiers, it could insert an "h" instead.
        if (codici == std::vector<std::int16_t>{8} && tasto.key() == Qt::Key_H) {
            if (auto* const campo = qobject_cast<QLineEdit*>(watched))
                campo->backspace();
            return true;
        }
        return false;
    }
    case QEvent::InputMethod: {
        // What an input method composes (dead keys, say) arrives as a string
        // and not as key presses; each of its characters counts as typed.
        auto* composizione = static_cast<QInputMethodEvent*>(event);
        QString tenuti;
        for (const char32_t carattere : composizione->commitString().toUcs4())
            if (passa(codiceWindows1252(carattere)))
                tenuti += QString::fromUcs4(&carattere, 1);
        if (tenuti != composizione->commitString())
            composizione->setCommitString(tenuti, composizione->replacementStart(),
                                          composizione->replacementLength());
        return false;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace form8
