#include "modules/graphics/rgb/RGBF.h"

#include "imaging/RasterOps.h"
#include "modules/graphics/rgb/RGBSplit.h"

#include <QCheckBox>
#include <QSignalBlocker>
#include <QToolButton>

namespace kaleno {

using namespace sixplaces;

namespace {

const SixPlaceWindow::PlaceNames kPlaces = {{
    {"OriginZone", "Lab", "Image originale"},
    {"Zone1", "Lab1", "Composante Rouge"},
    {"Zone2", "Lab2", "Composante Verte"},
    {"Zone3", "Lab3", "Composante Bleue"},
    {"LogoZone", "", ""},
    {"Zone4", "Lab4", "Image recomposée"},
}};

} // namespace

TRGBF::TRGBF(QWidget *parent)
    : SixPlaceWindow(QStringLiteral("TRGBF"), QStringLiteral("RGB"),
        QStringLiteral(" Décomposition RGB d'une image"), kPlaces, true, parent)
{
    const QString copyHint = QStringLiteral(" Copier les images dans le presse-papiers");
    CopierBout()->setToolTip(copyHint);
    CopierBout()->setAccessibleName(copyHint.trimmed());

    AddCheckGroup(QStringLiteral("DecompositionLab"), QStringLiteral("Décomposition de l'image"));
    rgbCheck_ = AddGroupCheck(QStringLiteral("RGBCheck"), QStringLiteral(" Activée"),
        QStringLiteral(" Activer / Désactiver la décomposition de l'image"));
    AddCheckGroup(QStringLiteral("RecompositionLab"),
        QStringLiteral("Recomposer à partir des composantes :"));
    rCheck_ = AddGroupCheck(QStringLiteral("RCheck"), QStringLiteral(" Rouge"),
        QStringLiteral(" Recomposer l'image en utilisant la composante Rouge"));
    gCheck_ = AddGroupCheck(QStringLiteral("GCheck"), QStringLiteral(" Verte"),
        QStringLiteral(" Recomposer l'image en utilisant la composante Verte"));
    bCheck_ = AddGroupCheck(QStringLiteral("BCheck"), QStringLiteral("Bleue"),
        QStringLiteral(" Recomposer l'image en utilisant la composante Bleue"));
    connect(rgbCheck_, &QCheckBox::clicked, this, &TRGBF::RGBCheckClick);
    connect(rCheck_, &QCheckBox::clicked, this, &TRGBF::RecomposeCheck);
    connect(gCheck_, &QCheckBox::clicked, this, &TRGBF::RecomposeCheck);
    connect(bCheck_, &QCheckBox::clicked, this, &TRGBF::RecomposeCheck);
}

TRGBF::~TRGBF() = default;

void TRGBF::ClearSwitches()
{
    for (QCheckBox *check : {rgbCheck_, rCheck_, gCheck_, bCheck_}) {
        const QSignalBlocker block(check);
        check->setChecked(false);
    }
    decompose_ = redOn_ = greenOn_ = blueOn_ = false;
}

void TRGBF::MakeBuffers(int W, int H)
{
    red_ = TDibPlus(W, H);
    green_ = TDibPlus(W, H);
    blue_ = TDibPlus(W, H);
    recomposed_ = TDibPlus(W, H);
}

void TRGBF::FreeBuffers() { MakeBuffers(0, 0); }

void TRGBF::RGBCheckClick()
{
    decompose_ = rgbCheck_->isChecked();
    if (!Shown())
        return;
    if (!decompose_) {
        for (Place place : {kTopMiddle, kTopRight, kBottomLeft, kBottomRight})
            ShowEmptyFrame(place);
        return;
    }
    Decompose();
    Recompose();
}

void TRGBF::RecomposeCheck()
{
    redOn_ = rCheck_->isChecked();
    greenOn_ = gCheck_->isChecked();
    blueOn_ = bCheck_->isChecked();
    if (!Shown())
        return;
    if (!decompose_)
        ShowEmptyFrame(kBottomRight);
    else
        Recompose();
}

void TRGBF::Decompose()
{
    rgbsplit::SplitChannels(Original(), red_, green_, blue_);
    DrawOnPlace(kTopMiddle, red_);
    DrawOnPlace(kTopRight, green_);
    DrawOnPlace(kBottomLeft, blue_);
}

void TRGBF::Recompose()
{
    recomposed_.Fill(0x000000);
    if (decompose_) {
        // The channels are disjoint bytes, so OR adds them back without carry.
        if (redOn_)
            BitBlt(recomposed_, 0, 0, red_, RasterOp::Or);
        if (greenOn_)
            BitBlt(recomposed_, 0, 0, green_, RasterOp::Or);
        if (blueOn_)
            BitBlt(recomposed_, 0, 0, blue_, RasterOp::Or);
    }
    DrawOnPlace(kBottomRight, recomposed_);
}

void TRGBF::Zone1Paint()
{
    if (decompose_)
        DrawOnPlace(kTopMiddle, red_);
    else
        ShowEmptyFrame(kTopMiddle);
}

void TRGBF::Zone2Paint()
{
    if (decompose_)
        DrawOnPlace(kTopRight, green_);
    else
        ShowEmptyFrame(kTopRight);
}

void TRGBF::Zone3Paint()
{
    if (decompose_)
        DrawOnPlace(kBottomLeft, blue_);
    else
        ShowEmptyFrame(kBottomLeft);
}

void TRGBF::Zone4Paint()
{
    if (decompose_)
        Recompose();
    else
        ShowEmptyFrame(kBottomRight);
}

void TRGBF::PaintPlace(Place place)
{
    switch (place) {
    case kTopMiddle:
        Zone1Paint();
        break;
    case kTopRight:
        Zone2Paint();
        break;
    case kBottomLeft:
        Zone3Paint();
        break;
    case kBottomRight:
        Zone4Paint();
        break;
    default:
        break;
    }
}

void TRGBF::AddToMontage(TDibPlus &montage) const
{
    if (!decompose_)
        return;
    const int W = AreaW();
    const int H = AreaH();
    BitBlt(montage, W, 0, red_, RasterOp::Copy);
    BitBlt(montage, 2 * W, 0, green_, RasterOp::Copy);
    BitBlt(montage, 0, H, blue_, RasterOp::Copy);
    if (redOn_ || greenOn_ || blueOn_)
        BitBlt(montage, 2 * W, H, recomposed_, RasterOp::Copy);
}

} // namespace kaleno
