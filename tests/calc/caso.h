// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rows of the test tables: each carries a name, which names the test and
// stands for the row in failure messages.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace prova {

struct Caso
{
    const char* nome = "";
};

inline std::ostream& operator<<(std::ostream& os, const Caso& caso)
{
    return os << caso.nome;
}

// A long number text: prima, then zeri zeros, then dopo. (Built with append:
// GCC 12 at -O3 warns falsely about operator+ on such strings.)
inline std::string conZeri(const char* prima, std::size_t zeri, const char* dopo = "")
{
    return std::string(prima).append(zeri, '0').append(dopo);
}

struct NomeCaso
{
    template <class Riga> std::string operator()(const testing::TestParamInfo<Riga>& info) const
    {
        return info.param.nome;
    }
};

} // namespace prova
