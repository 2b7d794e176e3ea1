#include "catalogue/ThumbnailBatch.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace kaleno {

namespace {

// A few threads at most: each may hold a picture of up to the decoding cap at once.
constexpr unsigned kMaxThreads = 4;

} // namespace

std::vector<std::optional<ThumbnailSource>> LoadThumbnailSources(const QStringList &paths, int side)
{
    std::vector<std::optional<ThumbnailSource>> sources(size_t(paths.size()));
    std::atomic<qsizetype> next {0};
    auto work = [&] {
        for (qsizetype i = next++; i < paths.size(); i = next++)
            sources[size_t(i)] = LoadThumbnailSource(paths.at(i), side, side);
    };
    const unsigned threads = std::min<unsigned>(
        {std::max(1u, std::thread::hardware_concurrency()), kMaxThreads, unsigned(paths.size())});
    {
        std::vector<std::jthread> helpers;
        for (unsigned t = 1; t < threads; ++t)
            helpers.emplace_back(work);
        work();
    } // the helpers join here
    return sources;
}

} // namespace kaleno
