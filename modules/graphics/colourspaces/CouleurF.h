// TCouleurF: the window "Systèmes de mesure de la couleur", one colour shown at once in
// the RGB, CMY, CMYK and HSV systems, each component with its bar, gauge and label.
#pragma once

#include "imaging/DibPlus.h"
#include "modules/graphics/colourspaces/ColourGauges.h"
#include "modules/graphics/conversions/ColourConversions.h"
#include "shell/ModuleWindow.h"

#include <array>
#include <cstdint>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QScrollBar;
class QToolButton;

namespace kaleno {

class PaintBox;

class TCouleurF : public ModuleWindow {
    Q_OBJECT

public:
    // The system a recomputation starts from.
    enum SourceSystem : uint8_t { kSourceAll = 0, kSourceRGB, kSourceCMY, kSourceCMYK, kSourceHSV };
    // The thirteen components, in the order of their controls.
    enum Component { kR, kG, kB, kC0, kM0, kY0, kC, kM, kY, kK, kH, kS, kV };
    static constexpr int kComponentCount = 13;

    explicit TCouleurF(QWidget *parent = nullptr);
    ~TCouleurF() override;

    const ColourState &State() const { return state_; }
    int Format() const { return format_; }
    // The colour text CopyTxtBout puts on the clipboard.
    QString ColourText() const;
    // Diameter of the disc and width of the gauges after the last layout.
    int DiscDiameter() const { return discSide_; }
    int GaugeWidth() const { return gaugeWidth_; }

    // The central routine: converts from the source system, moves the other systems'
    // bars, rewrites the labels and redraws what the change touched.
    void Recompute();

    void FormShow();
    void FormResize();
    void RBarChange();
    void GBarChange();
    void BBarChange();
    void c0BarChange();
    void m0BarChange();
    void y0BarChange();
    void cBarChange();
    void mBarChange();
    void yBarChange();
    void kBarChange();
    void hBarChange();
    void sBarChange();
    void vBarChange();
    void CDisplayMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void CDisplayMouseMove(Qt::KeyboardModifiers shift, Qt::MouseButtons buttons, int x, int y);
    // delta in eighths of a degree, 120 a notch.
    void FormMouseWheel(int delta);
    void ComposComboChange(int index);
    void HexaCheckClick();
    void ColorDisplayPaint();
    void CDisplayPaint();
    void BarresPaint(int component);
    void CopyTxtBoutClick();

protected:
    void FormClose() override;
    QImage ClipboardImage() const override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Row {
        QScrollBar *bar = nullptr;
        PaintBox *gauge = nullptr;
        QLabel *label = nullptr;
    };

    void buildControls();
    void layoutControls();
    void componentBarChange(Component component, SourceSystem source);
    void pickOnDisc(int x, int y);
    void setBars(Component first, Component last);
    void setHsvBars();
    void rewriteLabels();
    void drawDiscCursor();
    double componentValue(Component component) const;
    double &componentField(Component component);

    ColourState state_;
    SourceSystem source_ = kSourceAll;
    bool barsEnabled_ = true;
    double previousH_ = -1, previousS_ = -1, previousV_ = -1;
    int format_ = 0;
    bool shown_ = false;

    int gaugeWidth_ = 1;
    int discSide_ = 1;
    int swatchWidth_ = 1, swatchHeight_ = 1;

    std::array<Row, kComponentCount> rows_;
    std::array<QLabel *, 4> systemTitles_ {};
    QLabel *coulLab_ = nullptr;
    QLabel *cercleLab_ = nullptr;
    PaintBox *colorDisplay_ = nullptr;
    PaintBox *cDisplay_ = nullptr;
    QToolButton *copyTxtBout_ = nullptr;
    QComboBox *composCombo_ = nullptr;
    QCheckBox *hexaCheck_ = nullptr;
    QLineEdit *hexaEd_ = nullptr;
    std::array<QFrame *, 2> verticalBevels_ {};
    std::array<QFrame *, 3> horizontalBevels_ {};

    // Pictures of one showing, freed when the window closes.
    std::vector<TDibPlus> gaugeImages_;
    TDibPlus work_ {0, 0};
    TDibPlus discBuffer_ {0, 0};
    TDibPlus discBitmap_ {0, 0};
    TDibPlus swatch_ {0, 0};
    TDibPlus cursor_ {0, 0};
    TDibPlus cursorMask_ {0, 0};
};

} // namespace kaleno
