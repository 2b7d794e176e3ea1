// TSubF: the window "Synthèse soustractive", three ink blots on white paper with the three
// brushes that laid them; where the blots overlap the inks absorb together.
#pragma once

#include "imaging/MetafileRecords.h"
#include "modules/colour/synthesis/SynthesisWindow.h"

#include <optional>

namespace kaleno {

class TSubF : public SynthesisWindow {
    Q_OBJECT

public:
    explicit TSubF(QWidget *parent = nullptr);
    ~TSubF() override;

    // The 140 x 43 buffer in which the last brush was recoloured.
    const TDibPlus &BrushBuffer() const { return brush_; }

    void PinceauZonePaint() { drawStripAll(); }

protected:
    void prepareArt() override;
    void releaseArt() override;
    synthesis::DiscColours discColours(
        const synthesis::Levels &levels, bool extended) const override;
    void drawDisc(int i, TDibPlus &disc) override;
    void drawStripItem(int i, TDibPlus &strip) override;

private:
    std::optional<Metafile> trace_;
    TDibPlus pinceau_ {0, 0}; // the brush picture, its paint pure yellow
    TDibPlus brush_ {0, 0};
};

} // namespace kaleno
