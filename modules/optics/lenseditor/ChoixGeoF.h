// TChoixGeoF: the choice of the optics bench's display colours and line width, with a
// small preview drawn in them; every change applies to the settings at once.
#pragma once

#include "imaging/DibPlus.h"
#include "modules/optics/lenseditor/LensPreview.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace kaleno {

class PaintBox;
class TChooseF;

class TChoixGeoF : public QDialog {
    Q_OBJECT

public:
    static constexpr int kItemCount = 6;

    explicit TChoixGeoF(QWidget *parent = nullptr);

    // The item whose colour "Changer..." edits: 0 background, 1 lens, 2 rays, 3 axis,
    // 4 frame, 5 text.
    int Item() const { return item_; }
    // The colour of an item in the settings.
    static uint32_t &ItemColour(int item);
    const TDibPlus &Preview() const { return preview_; }
    const TDibPlus &Swatch(int item) const { return swatches_[item]; }
    TChooseF *Chooser() const { return chooser_; }

    void FormShow();
    void ItemClick(int item);
    void SwatchMouseDown(int item);
    void ChangeBoutClick();
    void DefautBoutClick();
    void ImprimeBoutClick();
    // One step of the width's spin buttons, up or down.
    void EpaisSpinClick(bool up);
    void CanevasPaint();
    void OkBoutClick();
    void AideBoutClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void applyPreset(const PreviewColours &colours);
    void showWidth();
    void redraw();

    int item_ = 0;
    TDibPlus preview_ {kPreviewWidth, kPreviewHeight};
    std::array<TDibPlus, kItemCount> swatches_;

    std::array<QRadioButton *, kItemCount> radios_ {};
    std::array<PaintBox *, kItemCount> shapes_ {};
    PaintBox *Canevas = nullptr;
    QPushButton *ChangeBout = nullptr;
    QPushButton *DefautBout = nullptr;
    QPushButton *ImprimeBout = nullptr;
    QLineEdit *EpaisEdit = nullptr;
    QToolButton *EpaisUp = nullptr;
    QToolButton *EpaisDown = nullptr;
    QLabel *UnitLab = nullptr;
    QPushButton *AideBout = nullptr;
    QPushButton *OkBout = nullptr;
    TChooseF *chooser_ = nullptr;
};

} // namespace kaleno
