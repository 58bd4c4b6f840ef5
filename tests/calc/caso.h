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

struct NomeCaso
{
    template <class Riga> std::string operator()(const testing::TestParamInfo<Riga>& info) const
    {
        return info.param.nome;
    }
};

} // namespace prova
