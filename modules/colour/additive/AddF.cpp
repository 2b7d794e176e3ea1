#include "modules/colour/additive/AddF.h"

#include "imaging/Canvas.h"
#include "imaging/ImageBuffer.h"
#include "shell/Bitmaps.h"

#include <QImage>

namespace kaleno {

using namespace synthesis;

namespace {

const SynthesisWindow::Look kAdditiveLook {
    QStringLiteral("TAddF"),
    QStringLiteral("ADDITIVE"),
    QStringLiteral(" Synthèse trichromique additive"),
    {"rBar", "gBar", "bBar"},
    {"Rouge", "Vert", "Bleu"},
    {" Intensité du rouge", " Intensité du vert", " Intensité du bleu"},
    "ProjoZone",
    QStringLiteral("Projecteurs"),
    kProjectorStripHeight,
    kAdditiveShowHeightMargin,
    kAdditiveResizeHeightMargin,
    kBlack,
    RasterOp::Or,
};

// The projector picture as a pixel buffer; a missing resource gives a surround alone, so
// the strip stays black rather than the window failing.
TDibPlus projectorArt()
{
    constexpr int side = ProjectorSprite::kSize - 2 * ProjectorSprite::kArtOffset + 1;
    const QImage image = LoadResourceBitmap(QStringLiteral("Projo"));
    if (!image.isNull())
        return BufferFromImage(image);
    TDibPlus art(side, side);
    art.Fill(ProjectorSprite::kYellow);
    return art;
}

} // namespace

TAddF::TAddF(QWidget *parent)
    : SynthesisWindow(kAdditiveLook, parent)
{
}

TAddF::~TAddF() = default;

void TAddF::prepareArt()
{
    sprite_ = ProjectorSprite();
    sprite_.Prepare(projectorArt());
}

void TAddF::releaseArt() { sprite_ = ProjectorSprite(); }

DiscColours TAddF::discColours(const Levels &levels, bool extended) const
{
    return LightColours(levels, extended);
}

void TAddF::drawDisc(int i, TDibPlus &disc)
{
    disc.Fill(kBlack);
    Canvas canvas(disc);
    // The canvas takes window colours; the discs hold pixel values.
    canvas.SetBrush(SwapRB(Colours()[i]));
    canvas.SetPen(SwapRB(Colours()[i]));
    canvas.Ellipse(0, 0, disc.Width(), disc.Height());
}

void TAddF::drawStripItem(int i, TDibPlus &strip)
{
    sprite_.Draw(strip, projectorLefts_[i], 0, Colours()[i], angles_[i]);
}

void TAddF::screenChanged() { projectorLefts_ = ProjectorLefts(ScreenWidth()); }

bool TAddF::discMoved(int i)
{
    angles_[i] = ProjectorAngle(Centres()[i], projectorLefts_[i], ScreenHeight());
    return true;
}

} // namespace kaleno
