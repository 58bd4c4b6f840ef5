// SPDX-License-Identifier: GPL-3.0-or-later
// The window's two costs that a user feels, each against its floor in the
// same run: a click on "Calcolo" against the bare arithmetic and pixel stores
// of a run, and a full repaint against a window with the same controls and no
// chart. The machines are shared and noisy: only the ratios mean anything.

#include "finestranuda.h"

#include "ui/form8.h"
#include "ui/metaalte.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// A run evaluates the formula once per curve point and plots 11,516 points.
constexpr int puntiRun = 11516;

void click(benchmark::State& stato, Form8* finestra)
{
    for (auto _ : stato)
        finestra->Command1_Click();
}

// What a run cannot do without: the formula for 4,901 angles and one 32-bit
// store per point into a plain array, at positions computed beforehand. It
// starts in the clean state that the run gives its points: the application's
// start leaves the vector registers' upper halves in use too.
void pavimentoClick(benchmark::State& stato)
{
    std::vector<std::uint32_t> pixel(226 * 400);
    std::vector<std::size_t> posizioni(puntiRun);
    for (std::size_t i = 0; i < posizioni.size(); ++i)
        posizioni[i] = (i * 7919) % pixel.size();
    double h = 1;
    for (auto _ : stato) {
        form8::azzeraMetaAlte();
        benchmark::DoNotOptimize(h);
        double somma = 0;
        for (double b = 1; b <= 50; b += 0.01)
            somma += (h * 2) / std::tan((3.14159 * b) / 180);
        for (const std::size_t p : posizioni)
            pixel[p] = 0xFF0000FF;
        benchmark::DoNotOptimize(somma);
        benchmark::DoNotOptimize(pixel.data());
        benchmark::ClobberMemory();
    }
}

void ridisegno(benchmark::State& stato, QWidget* finestra)
{
    for (auto _ : stato)
        finestra->repaint();
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication applicazione(argc, argv);

    Form8 finestra;
    finestra.showMaximized();
    banco::FinestraNuda nuda;
    nuda.showMaximized();
    if (!QTest::qWaitForWindowExposed(&finestra) || !QTest::qWaitForWindowExposed(&nuda))
        return 1;
    QTest::qWait(100); // let maximizing take effect
    // A run first, so that the repaint copies a frame and a curve.
    finestra.Command1_Click();

    benchmark::RegisterBenchmark("click", click, &finestra);
    benchmark::RegisterBenchmark("click_pavimento", pavimentoClick);
    benchmark::RegisterBenchmark("repaint", ridisegno, &finestra);
    benchmark::RegisterBenchmark("repaint_pavimento", ridisegno, &nuda);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
