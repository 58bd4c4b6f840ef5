// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a fuzz target stops on a fault it finds: it prints what went wrong and
// the input, escaped so that every byte can be read, and traps, so libFuzzer
// keeps the input as a crash file.

#include <cctype>
#include <cstdio>
#include <string_view>

namespace fuzz {

// The text as a C string literal: printable ASCII as it is, the rest as \xNN.
inline void scrivitesto(std::string_view testo)
{
    std::fputc('"', stderr);
    bool dopoesadecimale = false;
    for (const char c : testo) {
        const auto byte = static_cast<unsigned char>(c);
        // A hex digit right after \xNN would join the escape: split the literal.
        if (dopoesadecimale && std::isxdigit(byte))
            std::fputs("\"\"", stderr);
        dopoesadecimale = false;
        if (c == '"' || c == '\\') {
            std::fprintf(stderr, "\\%c", c);
        } else if (byte >= 0x20 && byte < 0x7F) {
            std::fputc(c, stderr);
        } else {
            std::fprintf(stderr, "\\x%02X", byte);
            dopoesadecimale = true;
        }
    }
    std::fputc('"', stderr);
}

[[noreturn]] inline void difetto(std::string_view cosa, std::string_view ingresso)
{
    std::fprintf(stderr,
                 "\n==== fault: %.*s\n==== input (%zu bytes): ", static_cast<int>(cosa.size()),
                 cosa.data(), ingresso.size());
    scrivitesto(ingresso);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    __builtin_trap();
}

} // namespace fuzz
