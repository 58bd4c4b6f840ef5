// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The two failures the calculation can meet, named as the user reads them.

#include "calc/calcolo.h"

namespace calc::errori {

[[noreturn]] inline void divisioneperzero()
{
    throw ErroreCalcolo("Divisione per zero");
}

[[noreturn]] inline void overflow()
{
    throw ErroreCalcolo("Overflow");
}

} // namespace calc::errori
