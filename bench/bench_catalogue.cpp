// The image catalogue: one page of twelve thumbnails read from 12-megapixel JPEG photos
// (reported with the bytes of the twelve decoded photos, so it reads against memcpy of
// those bytes), and a search through a folder of 5 000 files, by the model alone and by the
// window with its page.
#include "bench/WindowBench.h"
#include "catalogue/BrowserF.h"
#include "catalogue/BrowserModel.h"
#include "shell/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kPhotoWidth = 4000;
constexpr int kPhotoHeight = 3000;
constexpr int kPhotos = 12;
constexpr int kScanFiles = 5000;

// A photograph stand-in: colour gradients, fine texture and grain, so that the compressed
// size (about 3 MB at quality 85) and the decoding work are those of a real photo.
QImage PhotoLike()
{
    QImage image(kPhotoWidth, kPhotoHeight, QImage::Format_RGB888);
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> grain(-12, 12);
    for (int y = 0; y < kPhotoHeight; ++y) {
        uchar *row = image.scanLine(y);
        for (int x = 0; x < kPhotoWidth; ++x) {
            const int texture = ((x * 7 + y * 3) % 23 + (x * y) % 17) - 20;
            const int r = 30 + 160 * x / kPhotoWidth + texture + grain(random);
            const int g = 50 + 140 * y / kPhotoHeight + texture / 2 + grain(random);
            const int b = 200 - 150 * (x + y) / (kPhotoWidth + kPhotoHeight) + grain(random);
            row[3 * x] = uchar(std::clamp(r, 0, 255));
            row[3 * x + 1] = uchar(std::clamp(g, 0, 255));
            row[3 * x + 2] = uchar(std::clamp(b, 0, 255));
        }
    }
    return image;
}

// Folders made once per run and shared by the iterations.
struct Folders {
    QTemporaryDir photos;
    QTemporaryDir many;
    qint64 jpegBytes = 0;

    Folders()
    {
        const QImage photo = PhotoLike();
        const QString first = QDir(photos.path()).filePath(QStringLiteral("photo00.jpg"));
        photo.save(first, "JPG", 85);
        jpegBytes = QFileInfo(first).size();
        for (int i = 1; i < kPhotos; ++i)
            QFile::copy(first,
                QDir(photos.path())
                    .filePath(QStringLiteral("photo%1.jpg").arg(i, 2, 10, QLatin1Char('0'))));

        // 5 000 files of the four kinds and of others, in 50 sub-folders.
        const char *const extensions[] = {"bmp", "wmf", "gif", "jpg", "txt"};
        const QByteArray tiny = "x";
        for (int i = 0; i < kScanFiles; ++i) {
            const QString folder = QDir(many.path()).filePath(QStringLiteral("d%1").arg(i % 50));
            QDir().mkpath(folder);
            QFile file(QDir(folder).filePath(
                QStringLiteral("f%1.%2").arg(i).arg(QLatin1String(extensions[i % 5]))));
            if (file.open(QIODevice::WriteOnly))
                file.write(tiny);
        }
    }
};

Folders &TheFolders()
{
    static Folders folders;
    return folders;
}

qint64 DecodedPhotoBytes() { return qint64(kPhotos) * kPhotoWidth * kPhotoHeight * 3; }

// memcpy of the twelve photos' decoded bytes, photo by photo (one 36 MB buffer reused).
void BM_MemcpyPhotos(benchmark::State &state)
{
    const std::size_t bytes = std::size_t(kPhotoWidth) * kPhotoHeight * 3;
    std::vector<uint8_t> src(bytes, 0x5a);
    std::vector<uint8_t> dst(bytes);
    for (auto _ : state) {
        for (int i = 0; i < kPhotos; ++i) {
            std::memcpy(dst.data(), src.data(), bytes);
            benchmark::DoNotOptimize(dst.data());
            benchmark::ClobberMemory();
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * DecodedPhotoBytes());
}

// A search of the folder of twelve photos: the scan, then twelve thumbnails decoded at a
// reduced scale and drawn.
void BM_CataloguePage(benchmark::State &state)
{
    Folders &folders = TheFolders();
    kaleno::AppSettings().brwPath = folders.photos.path();
    kaleno::AppSettings().brwRecurseFlag = false;
    kaleno::AppSettings().wThumb = static_cast<int>(state.range(0));
    kaleno::TBrowserF window;
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.SearchBoutClick();
        benchmark::DoNotOptimize(window.Result().FileCount);
    }
    state.counters["files"] = window.Result().FileCount;
    state.counters["jpeg_MB"] = double(folders.jpegBytes) / 1e6;
    state.SetBytesProcessed(int64_t(state.iterations()) * DecodedPhotoBytes());
}

// The model's scan of 5 000 files in 50 folders (2 000 of them images past the limit).
void BM_FolderScan(benchmark::State &state)
{
    Folders &folders = TheFolders();
    for (auto _ : state) {
        const kaleno::catalogue::SearchResult result = kaleno::catalogue::SearchFolder(
            folders.many.path(), true, kaleno::catalogue::ScanKinds());
        benchmark::DoNotOptimize(result.FileCount);
    }
    kaleno::bench::SetFullHdBytes(state);
}

// The same search from the window: events run during the scan, then the first page.
void BM_WindowSearch(benchmark::State &state)
{
    Folders &folders = TheFolders();
    kaleno::AppSettings().brwPath = folders.many.path();
    kaleno::AppSettings().brwRecurseFlag = true;
    kaleno::AppSettings().wThumb = 80;
    kaleno::TBrowserF window;
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.SearchBoutClick();
        benchmark::DoNotOptimize(window.Result().FileCount);
    }
    kaleno::bench::SetFullHdBytes(state);
}

} // namespace

BENCHMARK(BM_MemcpyPhotos)->Unit(benchmark::kMillisecond);
// The page decodes on several threads: its CPU time is that of the whole process.
BENCHMARK(BM_CataloguePage)
    ->Arg(80)
    ->Arg(120)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FolderScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowSearch)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) { return kaleno::bench::RunWindowBenchmarks(argc, argv); }
