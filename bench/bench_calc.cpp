// SPDX-License-Identifier: GPL-3.0-or-later
// The range calculation's own costs: reading a field text and the formula.

#include "calc/calcolo.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void valoretesto(benchmark::State& stato, const std::string& testo)
{
    for (auto _ : stato)
        benchmark::DoNotOptimize(calc::valoretesto(testo));
}

BENCHMARK_CAPTURE(valoretesto, breve, std::string("1000"));
// A pasted text: blanks to drop and a long run of digits to round correctly.
BENCHMARK_CAPTURE(valoretesto, lungo,
                  std::string("  12 345 678.") + std::string(200, '9') + " metri, circa");

void distfondo(benchmark::State& stato)
{
    double b = 7;
    for (auto _ : stato) {
        benchmark::DoNotOptimize(b);
        benchmark::DoNotOptimize(calc::distfondo(1000, b));
    }
}
BENCHMARK(distfondo);

} // namespace

BENCHMARK_MAIN();
