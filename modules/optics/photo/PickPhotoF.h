// TPickPhotoF: the dialog where the pupil changes the photographed object of the camera
// window: its shape and its two colours, taken from a palette of sixteen and tuned by bars.
#pragma once

#include "imaging/DibPlus.h"
#include "modules/optics/camera/CameraShapes.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QScrollBar;
class QToolButton;

namespace kaleno {

class PaintBox;

class TPickPhotoF : public QDialog {
    Q_OBJECT

public:
    explicit TPickPhotoF(QWidget *parent = nullptr);
    ~TPickPhotoF() override;

    // 1 or 2: the object colour the bars edit.
    int EditedColour() const { return edited_; }
    // 0..15: the palette entry in use, the pressed swatch.
    int SelectedSwatch() const { return selected_; }
    // The object's colours as CopyTxtBout puts them on the clipboard.
    QString ColoursText() const;
    // The object preview as drawn last (90 x 90).
    const TDibPlus &Preview() const { return preview_; }

    void FormShow();
    void Radio1Click();
    void Radio2Click();
    void rBarChange();
    void gBarChange();
    void bBarChange();
    // A click on palette swatch `index` (0..15).
    void SwatchClick(int index);
    void RazBoutClick();
    void ShapeComboChange(int index);
    void CopyTxtBoutClick();
    void AideBoutClick();
    void CloseBoutClick();
    void DisplayPaint();
    void RectaPaint();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    // Takes the palette entry of the edited colour (the nearest one when it is not in
    // the palette), makes it the edited colour and shows it.
    void chooseEditedColour();
    // The edited colour (a TColor) written to the settings and the palette, then shown.
    void applyColour(uint32_t colour);
    void barChange(int component);
    void showColour();
    void paintSwatch(int index);
    void drawPreview();
    uint32_t &editedSetting();

    int edited_ = 1;
    int selected_ = 0;
    // Cleared while the program moves the bars itself.
    bool barsArmed_ = true;

    QRadioButton *radio1_ = nullptr;
    QRadioButton *radio2_ = nullptr;
    QLabel *coulLab_ = nullptr;
    std::array<QScrollBar *, 3> bars_ {};
    std::array<QLabel *, 3> barLabels_ {};
    QCheckBox *linkCheck_ = nullptr;
    std::array<QToolButton *, 16> swatches_ {};
    QToolButton *razBout_ = nullptr;
    QLabel *motifLab_ = nullptr;
    QComboBox *shapeCombo_ = nullptr;
    PaintBox *display_ = nullptr;
    PaintBox *recta_ = nullptr;
    QToolButton *copyTxtBout_ = nullptr;
    QToolButton *closeBout_ = nullptr;
    QToolButton *aideBout_ = nullptr;

    // The shapes of the shape chosen, loaded when shown and when the choice changes.
    std::optional<CameraShapePair> shapes_;
    TDibPlus preview_ {0, 0};
    TDibPlus swatchPicture_ {0, 0};
};

} // namespace kaleno
