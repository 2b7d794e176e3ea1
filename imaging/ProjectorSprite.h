// The projector sprite of the lighting windows: a picture whose beam takes the light's
// colour and which turns about its centre toward the spot it lights.
#pragma once

#include "imaging/DibPlus.h"

#include <cstdint>
#include <vector>

namespace kaleno {

struct SpritePoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const SpritePoint &, const SpritePoint &) = default;
};

// The source pixel shown at output pixel (x, y) when the sprite is turned by angle
// (radians) about (40, 40): each rotated offset rounded to nearest, ties to even.
SpritePoint SpriteSourcePoint(int x, int y, double angle);

class ProjectorSprite {
public:
    static constexpr int kSize = 81;
    static constexpr int kCentre = 40;
    static constexpr int kArtOffset = 11;
    static constexpr int kMaxBeamPixels = 120;
    // Pixel values (0x00RRGGBB).
    static constexpr uint32_t kYellow = 0xFFFF00;
    static constexpr uint32_t kCyan = 0x00FFFF;
    static constexpr uint32_t kBeam = 0x0000FF;

    ProjectorSprite();

    // Puts the art (the 57 x 57 projector on a yellow surround) at (11, 11) on a source
    // filled with the key colour, and lists its pure-blue beam pixels, x by x, each
    // column top to bottom, at most 120 of them.
    void Prepare(const TDibPlus &art);
    // Renders the output: beam in colour, turned by angle, key pixels black. A colour
    // equal to the key first swaps the key (yellow <-> cyan) so the beam stays visible.
    const TDibPlus &Render(uint32_t colour, double angle);
    // Render, then the output copied onto dst at (x, y), clipped.
    void Draw(TDibPlus &dst, int x, int y, uint32_t colour, double angle);

    uint32_t KeyColour() const { return key_; }
    const TDibPlus &Source() const { return source_; }
    const TDibPlus &Output() const { return output_; }
    const std::vector<SpritePoint> &BeamPixels() const { return beam_; }

private:
    TDibPlus source_;
    TDibPlus output_;
    uint32_t key_ = kYellow;
    std::vector<SpritePoint> beam_;
};

} // namespace kaleno
