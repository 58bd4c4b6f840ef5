// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the two data fields of Form8 take from the keyboard. filtranumerico is
// the program's rule for one typed character; FiltroTasti sits on a field,
// turns each Qt key press into the code of the character typed, hands it to
// the field's keystroke procedure in Form8 and drops the key when the
// procedure clears the code.

#include <QObject>

#include <cstdint>
#include <functional>

namespace form8 {

// Leaves KeyAscii as it is when it is the code of a character a number needs
// (sign, point, digit) or of Backspace; otherwise sets it to 0.
void filtranumerico(std::int16_t& KeyAscii);

class FiltroTasti final : public QObject
{
    Q_OBJECT

public:
    using Procedura = std::function<void(std::int16_t& KeyAscii)>;

    explicit FiltroTasti(Procedura procedura, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Procedura procedura_;
};

} // namespace form8
