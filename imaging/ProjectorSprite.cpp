#include "imaging/ProjectorSprite.h"

#include "imaging/RasterOps.h"

#include <cmath>

namespace kaleno {

namespace {

// nearbyint rounds ties to even in the default rounding mode, as the drawing expects.
SpritePoint rotated(int x, int y, double c, double s)
{
    const double dx = x - ProjectorSprite::kCentre;
    const double dy = y - ProjectorSprite::kCentre;
    return {ProjectorSprite::kCentre + static_cast<int>(std::nearbyint(dx * c - dy * s)),
        ProjectorSprite::kCentre + static_cast<int>(std::nearbyint(dx * s + dy * c))};
}

} // namespace

SpritePoint SpriteSourcePoint(int x, int y, double angle)
{
    return rotated(x, y, std::cos(angle), std::sin(angle));
}

ProjectorSprite::ProjectorSprite()
    : source_(kSize, kSize)
    , output_(kSize, kSize)
{
    source_.Fill(key_);
    beam_.reserve(kMaxBeamPixels);
}

void ProjectorSprite::Prepare(const TDibPlus &art)
{
    source_.Fill(key_);
    BitBlt(source_, kArtOffset, kArtOffset, art, RasterOp::Copy);
    beam_.clear();
    for (int x = 0; x < kSize; ++x)
        for (int y = 0; y < kSize; ++y)
            if (source_.GetPixelFast(x, y) == kBeam && beam_.size() < kMaxBeamPixels)
                beam_.push_back({x, y});
}

const TDibPlus &ProjectorSprite::Render(uint32_t colour, double angle)
{
    colour &= 0xFFFFFF;
    if (colour == key_) {
        const uint32_t newKey = key_ == kYellow ? kCyan : kYellow;
        source_.ReplaceColor(key_, newKey);
        key_ = newKey;
    }
    output_.Fill(0);
    for (const SpritePoint &p : beam_)
        source_.SetPixelFast(p.x, p.y, colour);

    const double c = std::cos(angle);
    const double s = std::sin(angle);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const auto [sx, sy] = rotated(x, y, c, s);
            // The window keeps a margin inside the source; its bounds are exclusive.
            if (sx <= 10 || sx >= 70 || sy <= 10 || sy >= 70)
                continue;
            const uint32_t value = source_.GetPixelFast(sx, sy);
            if (value != key_)
                output_.SetPixelFast(x, y, value);
        }
    }
    return output_;
}

void ProjectorSprite::Draw(TDibPlus &dst, int x, int y, uint32_t colour, double angle)
{
    BitBlt(dst, x, y, Render(colour, angle), RasterOp::Copy);
}

} // namespace kaleno
