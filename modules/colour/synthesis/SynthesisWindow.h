// The frame both synthesis windows share: three discs on a screen, mixed by a raster
// operation, dragged with the mouse, sized with the wheel and the right button, dimmed by
// three sliders in the extended mode; under the screen a strip of what throws the colours.
// The additive and subtractive windows only say how a disc and a strip item are drawn.
#pragma once

#include "imaging/DibPlus.h"
#include "imaging/RasterOps.h"
#include "modules/colour/synthesis/SynthesisRules.h"
#include "shell/ModuleWindow.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class QWheelEvent;

namespace kaleno {

class PaintBox;

class SynthesisWindow : public ModuleWindow {
    Q_OBJECT

public:
    // What tells the two windows apart, besides their drawing.
    struct Look {
        QString className;
        QString helpKeyword;
        QString caption; // before " - " and the application title
        std::array<const char *, 3> barNames;
        std::array<const char *, 3> labelTexts;
        std::array<const char *, 3> barHints;
        const char *stripName;
        QString stripAccessibleName;
        int stripHeight;
        int showHeightMargin; // client height - H at show
        int resizeHeightMargin; // and on resize
        uint32_t paper; // screen and strip ground, a pixel value
        RasterOp mix; // Or for lights, And for inks
    };

    ~SynthesisWindow() override;

    int ScreenWidth() const { return W_; }
    int ScreenHeight() const { return H_; }
    int Radius() const { return R_; }
    // 0 for none, else the disc 1..3 being dragged.
    int SelectedDisc() const { return selected_; }
    const synthesis::DiscCentres &Centres() const { return centres_; }
    const synthesis::DiscColours &Colours() const { return colours_; }
    const synthesis::Levels &Intensities() const { return levels_; }
    const TDibPlus &Composite() const { return composite_; }
    const TDibPlus &Background() const { return background_; }
    const TDibPlus &Strip() const { return strip_; }

    void FormShow();
    void FormResize();
    void ZonePaint();
    void ZoneMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void ZoneMouseMove(Qt::KeyboardModifiers shift, Qt::MouseButtons buttons, int x, int y);
    void ZoneMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // delta in eighths of a degree, 120 a notch.
    void FormMouseWheel(int delta);
    void BarChange(QScrollBar *moved);
    void LinkCheckClick();
    void EtenduCheckClick();

protected:
    SynthesisWindow(const Look &look, QWidget *parent);

    // At show, before anything is drawn: load the pictures the discs and strip need.
    virtual void prepareArt() = 0;
    // At close: free them.
    virtual void releaseArt() = 0;
    virtual synthesis::DiscColours discColours(
        const synthesis::Levels &levels, bool extended) const = 0;
    // Disc i (0..2) in its colour on the paper, into a buffer of 2R x 2R.
    virtual void drawDisc(int i, TDibPlus &disc) = 0;
    // Item i (0..2) of the strip drawn over its place in the strip buffer.
    virtual void drawStripItem(int i, TDibPlus &strip) = 0;
    // The screen's width changed (items may be placed from it).
    virtual void screenChanged() { }
    // Disc i has moved (a projector turns toward it): true when the strip must be redrawn.
    virtual bool discMoved(int /*i*/) { return false; }

    // One item of the strip redrawn and shown; the whole strip redrawn and shown.
    void drawStripOne(int i);
    void drawStripAll();
    bool Shown() const { return shown_; }
    PaintBox *StripZone() const { return stripZone_; }

    void FormClose() override;
    QImage ClipboardImage() const override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void buildControls();
    void setRadius(int wanted);
    void computeColours();
    void drawDiscs();
    void rebuildBackground();
    void rebuildComposite();
    void showComposite();
    void renewRadiusView();
    void renewColours();
    void updateEdits();
    void setBarsQuietly(int position);

    Look look_;
    int W_ = 0;
    int H_ = 0;
    int R_ = synthesis::kMinRadius;
    int diameter_ = 2 * synthesis::kMinRadius;
    synthesis::DiscCentres centres_ {};
    int selected_ = 0;
    synthesis::DiscColours colours_ {};
    synthesis::Levels levels_ {100, 100, 100};
    bool linked_ = false;
    bool extended_ = false;
    // Cleared while the program moves the sliders itself: BarChange then does nothing.
    bool barsArmed_ = true;
    bool shown_ = false;

    std::array<TDibPlus, 3> discs_ {TDibPlus(0, 0), TDibPlus(0, 0), TDibPlus(0, 0)};
    TDibPlus background_ {0, 0};
    TDibPlus composite_ {0, 0};
    TDibPlus strip_ {0, 0};

    PaintBox *zone_ = nullptr;
    PaintBox *stripZone_ = nullptr;
    QWidget *bottomPanel_ = nullptr;
    std::array<QScrollBar *, 3> bars_ {};
    std::array<QLineEdit *, 3> edits_ {};
    std::array<QLabel *, 3> barLabels_ {};
    QCheckBox *linkCheck_ = nullptr;
    QCheckBox *etenduCheck_ = nullptr;
};

} // namespace kaleno
