// TAddF: the window "Synthèse trichromique additive", three light discs thrown on a black
// screen by three projectors; where they overlap their light adds.
#pragma once

#include "imaging/DibPlus.h"
#include "imaging/ProjectorSprite.h"
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

class TAddF : public ModuleWindow {
    Q_OBJECT

public:
    explicit TAddF(QWidget *parent = nullptr);
    ~TAddF() override;

    int ScreenWidth() const { return W_; }
    int ScreenHeight() const { return H_; }
    int Radius() const { return R_; }
    // 0 for none, else 1 red, 2 green, 3 blue.
    int SelectedDisc() const { return selected_; }
    const synthesis::DiscCentres &Centres() const { return centres_; }
    const synthesis::DiscColours &Colours() const { return colours_; }
    const synthesis::Levels &Intensities() const { return intensities_; }
    const std::array<double, 3> &Angles() const { return angles_; }
    const TDibPlus &Composite() const { return composite_; }
    const TDibPlus &Background() const { return background_; }
    const TDibPlus &Strip() const { return strip_; }
    const ProjectorSprite &Sprite() const { return sprite_; }

    void FormShow();
    void FormResize();
    void ZonePaint();
    void ProjoZonePaint();
    void ZoneMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void ZoneMouseMove(Qt::KeyboardModifiers shift, Qt::MouseButtons buttons, int x, int y);
    void ZoneMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // delta in eighths of a degree, 120 a notch.
    void FormMouseWheel(int delta);
    void BarChange(QScrollBar *moved);
    void LinkCheckClick();
    void EtenduCheckClick();

protected:
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
    void computeAngles();
    void drawProjector(int disc);
    void drawAllProjectors();
    void updateEdits();
    void setBarsQuietly(int position);

    int W_ = 0;
    int H_ = 0;
    int R_ = synthesis::kMinRadius;
    int halfR_ = synthesis::kMinRadius / 2;
    int diameter_ = 2 * synthesis::kMinRadius;
    synthesis::DiscCentres centres_ {};
    int selected_ = 0;
    synthesis::DiscColours colours_ {};
    synthesis::Levels intensities_ {100, 100, 100};
    bool linked_ = false;
    bool extended_ = false;
    // Cleared while the program moves the sliders itself: BarChange then does nothing.
    bool barsArmed_ = true;
    bool shown_ = false;
    std::array<double, 3> angles_ {};
    std::array<int, 3> projectorLefts_ {};

    std::array<TDibPlus, 3> discs_ {TDibPlus(0, 0), TDibPlus(0, 0), TDibPlus(0, 0)};
    TDibPlus background_ {0, 0};
    TDibPlus composite_ {0, 0};
    TDibPlus strip_ {0, 0};
    ProjectorSprite sprite_;

    PaintBox *zone_ = nullptr;
    PaintBox *projoZone_ = nullptr;
    QWidget *bottomPanel_ = nullptr;
    std::array<QScrollBar *, 3> bars_ {};
    std::array<QLineEdit *, 3> edits_ {};
    std::array<QLabel *, 3> barLabels_ {};
    QCheckBox *linkCheck_ = nullptr;
    QCheckBox *etenduCheck_ = nullptr;
};

} // namespace kaleno
