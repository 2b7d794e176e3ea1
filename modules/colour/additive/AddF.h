// TAddF: the window "Synthèse trichromique additive", three light discs thrown on a black
// screen by three projectors; where they overlap their light adds.
#pragma once

#include "imaging/ProjectorSprite.h"
#include "modules/colour/synthesis/SynthesisWindow.h"

#include <array>

namespace kaleno {

class TAddF : public SynthesisWindow {
    Q_OBJECT

public:
    explicit TAddF(QWidget *parent = nullptr);
    ~TAddF() override;

    const std::array<double, 3> &Angles() const { return angles_; }
    const ProjectorSprite &Sprite() const { return sprite_; }

    void ProjoZonePaint() { drawStripAll(); }

protected:
    void prepareArt() override;
    void releaseArt() override;
    synthesis::DiscColours discColours(
        const synthesis::Levels &levels, bool extended) const override;
    void drawDisc(int i, TDibPlus &disc) override;
    void drawStripItem(int i, TDibPlus &strip) override;
    void screenChanged() override;
    bool discMoved(int i) override;

private:
    std::array<double, 3> angles_ {};
    std::array<int, 3> projectorLefts_ {};
    ProjectorSprite sprite_;
};

} // namespace kaleno
