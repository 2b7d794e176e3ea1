#include "modules/colour/subtractive/SubF.h"

#include "imaging/Canvas.h"
#include "imaging/ImageBuffer.h"
#include "imaging/Metafile.h"
#include "imaging/RasterOps.h"
#include "shell/Bitmaps.h"

#include <QFile>
#include <QImage>
#include <QRect>

namespace kaleno {

using namespace synthesis;

namespace {

constexpr int kBrushWidth = 140;
constexpr int kBrushHeight = 43;

const SynthesisWindow::Look kSubtractiveLook {
    QStringLiteral("TSubF"),
    QStringLiteral("SOUSTRACTIVE"),
    QStringLiteral(" Synthèse soustractive"),
    {"CBar", "MBar", "JBar"},
    {"Cyan", "Magenta", "Jaune"},
    {" Intensité du cyan", " Intensité du magenta", " Intensité du jaune"},
    "PinceauZone",
    QStringLiteral("Pinceaux"),
    kBrushStripHeight,
    kSubtractiveHeightMargin,
    kSubtractiveHeightMargin,
    kWhite,
    RasterOp::And,
};

std::optional<Metafile> loadTrace()
{
    QFile file(QStringLiteral(":/metafiles/Trace.wmf"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return ParseMetafile(file.readAll());
}

// The brush picture as pixel values; without the resource the brush is a plain yellow
// block, so the strip still shows each ink.
TDibPlus pinceauArt()
{
    TDibPlus art(kBrushWidth, kBrushHeight);
    art.Fill(kBrushPaint);
    const QImage image = LoadResourceBitmap(QStringLiteral("Pinceau"));
    if (!image.isNull()) {
        art.Fill(kWhite);
        BitBlt(art, 0, 0, BufferFromImage(image), RasterOp::Copy);
    }
    return art;
}

} // namespace

TSubF::TSubF(QWidget *parent)
    : SynthesisWindow(kSubtractiveLook, parent)
{
}

TSubF::~TSubF() = default;

void TSubF::prepareArt()
{
    trace_ = loadTrace();
    pinceau_ = pinceauArt();
    brush_ = TDibPlus(kBrushWidth, kBrushHeight);
}

void TSubF::releaseArt()
{
    trace_.reset();
    pinceau_ = TDibPlus(0, 0);
    brush_ = TDibPlus(0, 0);
}

DiscColours TSubF::discColours(const Levels &levels, bool extended) const
{
    return InkColours(levels, extended);
}

void TSubF::drawDisc(int i, TDibPlus &disc)
{
    disc.Fill(kWhite);
    {
        Canvas canvas(disc);
        if (trace_) {
            PlayMetafile(canvas, *trace_, QRect(0, 0, disc.Width(), disc.Height()));
        } else {
            // Without its shape the blot is a round one rather than nothing.
            canvas.SetBrush(0);
            canvas.SetPen(0);
            canvas.Ellipse(0, 0, disc.Width(), disc.Height());
        }
    }
    disc.ReplaceColor(kBlack, Colours()[i]);
}

void TSubF::drawStripItem(int i, TDibPlus &strip)
{
    // Refilled before each replacement: the paint is yellow, and a yellow ink would
    // otherwise leave the next brush nothing yellow to replace.
    BitBlt(brush_, 0, 0, pinceau_, RasterOp::Copy);
    brush_.ReplaceColor(kBrushPaint, Colours()[i]);
    BitBlt(strip, kBrushX[i], kBrushY, brush_, RasterOp::Copy);
}

} // namespace kaleno
