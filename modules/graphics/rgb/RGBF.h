// TRGBF: the window "Décomposition RVB d'une image", the current image split into its red,
// green and blue light images, which the pupil adds back one, two or three at a time.
#pragma once

#include "imaging/DibPlus.h"
#include "modules/graphics/imageframe/SixPlaceWindow.h"

class QCheckBox;

namespace kaleno {

class TRGBF : public SixPlaceWindow {
    Q_OBJECT

public:
    explicit TRGBF(QWidget *parent = nullptr);
    ~TRGBF() override;

    bool Decomposing() const { return decompose_; }
    bool RedOn() const { return redOn_; }
    bool GreenOn() const { return greenOn_; }
    bool BlueOn() const { return blueOn_; }
    const TDibPlus &RedImage() const { return red_; }
    const TDibPlus &GreenImage() const { return green_; }
    const TDibPlus &BlueImage() const { return blue_; }
    const TDibPlus &Recomposed() const { return recomposed_; }

    void RGBCheckClick();
    // Shared by RCheck, GCheck and BCheck.
    void RecomposeCheck();
    void Zone1Paint();
    void Zone2Paint();
    void Zone3Paint();
    void Zone4Paint();
    void Decompose();
    void Recompose();

protected:
    void ClearSwitches() override;
    void MakeBuffers(int W, int H) override;
    void FreeBuffers() override;
    void PaintPlace(sixplaces::Place place) override;
    uint32_t MontageGround() const override { return 0x000000; }
    void AddToMontage(TDibPlus &montage) const override;

private:
    bool decompose_ = false;
    bool redOn_ = false;
    bool greenOn_ = false;
    bool blueOn_ = false;

    TDibPlus red_ {0, 0};
    TDibPlus green_ {0, 0};
    TDibPlus blue_ {0, 0};
    TDibPlus recomposed_ {0, 0};

    QCheckBox *rgbCheck_ = nullptr;
    QCheckBox *rCheck_ = nullptr;
    QCheckBox *gCheck_ = nullptr;
    QCheckBox *bCheck_ = nullptr;
};

} // namespace kaleno
