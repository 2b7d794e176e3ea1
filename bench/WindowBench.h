// What the window benchmarks share: the full-HD size they run at, the memcpy of a picture
// of that size they are read against, and a main() that runs them headless.
#pragma once

#include "imaging/DibPlus.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstring>

namespace kaleno::bench {

inline constexpr int kWidth = 1920;
inline constexpr int kHeight = 1080;

// Reports the bytes of a full-HD picture per iteration, so throughputs compare with memcpy.
inline void SetFullHdBytes(benchmark::State &state)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * TDibPlus(kWidth, kHeight).ImageSize());
}

inline void BM_Memcpy(benchmark::State &state)
{
    TDibPlus src(kWidth, kHeight);
    src.Fill(0x336699);
    TDibPlus dst(kWidth, kHeight);
    for (auto _ : state) {
        std::memcpy(dst.Bits(), src.Bits(), static_cast<std::size_t>(src.ImageSize()));
        benchmark::DoNotOptimize(dst.Bits());
        benchmark::ClobberMemory();
    }
    SetFullHdBytes(state);
}

inline int RunWindowBenchmarks(int argc, char **argv)
{
    // Headless by default: the window is measured, not looked at.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::RegisterBenchmark("BM_Memcpy", BM_Memcpy);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace kaleno::bench
