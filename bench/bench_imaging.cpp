// Pixel buffer and raster operations at full-HD size. Every benchmark reports the bytes of
// the buffer it walks, so its throughput reads directly against memcpy of the same bytes.
#include "imaging/DibPlus.h"
#include "imaging/RasterOps.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

namespace {

using kaleno::TDibPlus;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kSmallSide = 300;

// Random pixels, a quarter of them `common` so that ReplaceColor has work to do.
TDibPlus makePicture(int width, int height, uint32_t common = 0x336699)
{
    TDibPlus dib(width, height);
    std::minstd_rand random(42);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            dib.SetPixelFast(x, y, random() % 4 == 0 ? common : random() & 0xFFFFFF);
    return dib;
}

void setBytes(benchmark::State &state, const TDibPlus &dib)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * dib.ImageSize());
}

void memcpyOf(benchmark::State &state, int width, int height)
{
    const TDibPlus src = makePicture(width, height);
    TDibPlus dst(width, height);
    for (auto _ : state) {
        std::memcpy(dst.Bits(), src.Bits(), static_cast<std::size_t>(src.ImageSize()));
        benchmark::DoNotOptimize(dst.Bits());
        benchmark::ClobberMemory();
    }
    setBytes(state, src);
}

void BM_Memcpy(benchmark::State &state) { memcpyOf(state, kWidth, kHeight); }
void BM_Memcpy300(benchmark::State &state) { memcpyOf(state, kSmallSide, kSmallSide); }

void blit(benchmark::State &state, kaleno::RasterOp op)
{
    const TDibPlus src = makePicture(kWidth, kHeight);
    TDibPlus dst = makePicture(kWidth, kHeight, 0xFFFFFF);
    for (auto _ : state) {
        kaleno::BitBlt(dst, 0, 0, src, op);
        benchmark::ClobberMemory();
    }
    setBytes(state, dst);
}

void BM_BitBltCopy(benchmark::State &state) { blit(state, kaleno::RasterOp::Copy); }
void BM_BitBltOr(benchmark::State &state) { blit(state, kaleno::RasterOp::Or); }
void BM_BitBltAnd(benchmark::State &state) { blit(state, kaleno::RasterOp::And); }

void BM_ScaleAll(benchmark::State &state)
{
    TDibPlus dib = makePicture(kWidth, kHeight);
    for (auto _ : state) {
        dib.ScaleAll(256, 255, 200);
        benchmark::ClobberMemory();
    }
    setBytes(state, dib);
}

void BM_LightRowEveryRow(benchmark::State &state)
{
    TDibPlus dib = makePicture(kWidth, kHeight);
    for (auto _ : state) {
        for (int y = 0; y < kHeight; ++y)
            dib.LightRow(100, kWidth - 100, y, 250, 240, 230);
        benchmark::ClobberMemory();
    }
    setBytes(state, dib);
}

// A drawing: discs of random colours on a background of `background`, the kind of picture
// whose background or ink colour the program replaces.
TDibPlus makeDrawing(int width, int height, uint32_t background)
{
    TDibPlus dib(width, height);
    dib.Fill(background);
    std::minstd_rand random(7);
    for (int disc = 0; disc < 300; ++disc) {
        const int cx = static_cast<int>(random() % width);
        const int cy = static_cast<int>(random() % height);
        const int r = 5 + static_cast<int>(random() % 80);
        const uint32_t colour = random() & 0xFFFFFF;
        for (int y = std::max(cy - r, 0); y <= std::min(cy + r, height - 1); ++y) {
            const int half = static_cast<int>(std::sqrt(double(r * r - (y - cy) * (y - cy))));
            for (int x = std::max(cx - half, 0); x <= std::min(cx + half, width - 1); ++x)
                dib.SetPixelFast(x, y, colour);
        }
    }
    return dib;
}

void replaceBackAndForth(benchmark::State &state, TDibPlus &dib)
{
    // Back and forth, so that every pass finds the same pixels to replace.
    bool forth = true;
    for (auto _ : state) {
        dib.ReplaceColor(forth ? 0x336699 : 0x996633, forth ? 0x996633 : 0x336699);
        forth = !forth;
        benchmark::ClobberMemory();
    }
    setBytes(state, dib);
}

void BM_ReplaceColorDrawing(benchmark::State &state)
{
    TDibPlus dib = makeDrawing(kWidth, kHeight, 0x336699);
    replaceBackAndForth(state, dib);
}

// Worst case: a quarter of the pixels match, scattered one by one, so that nearly every
// block of sixteen pixels takes the blend.
void BM_ReplaceColorNoise(benchmark::State &state)
{
    TDibPlus dib = makePicture(kWidth, kHeight);
    replaceBackAndForth(state, dib);
}

void BM_ClearRows(benchmark::State &state)
{
    TDibPlus dib(kWidth, kHeight);
    for (auto _ : state) {
        dib.ClearRows(0, kHeight);
        benchmark::ClobberMemory();
    }
    setBytes(state, dib);
}

void BM_Smooth5(benchmark::State &state)
{
    TDibPlus dib = makePicture(kWidth, kHeight);
    for (auto _ : state) {
        dib.Smooth5(1, 1, kWidth - 2, kHeight - 2);
        benchmark::ClobberMemory();
    }
    setBytes(state, dib);
}

void BM_Blur25(benchmark::State &state)
{
    TDibPlus dib = makePicture(kSmallSide, kSmallSide);
    for (auto _ : state) {
        dib.Blur25(2, 2, kSmallSide - 3, kSmallSide - 3);
        benchmark::ClobberMemory();
    }
    setBytes(state, dib);
}

} // namespace

BENCHMARK(BM_Memcpy);
BENCHMARK(BM_BitBltCopy);
BENCHMARK(BM_BitBltOr);
BENCHMARK(BM_BitBltAnd);
BENCHMARK(BM_ScaleAll);
BENCHMARK(BM_LightRowEveryRow);
BENCHMARK(BM_ReplaceColorDrawing);
BENCHMARK(BM_ReplaceColorNoise);
BENCHMARK(BM_ClearRows);
BENCHMARK(BM_Smooth5);
BENCHMARK(BM_Memcpy300);
BENCHMARK(BM_Blur25);

BENCHMARK_MAIN();
