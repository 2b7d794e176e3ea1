// TLensF: the window "Lentilles épaisses", an optical bench where a beam of rays crosses
// one thick lens; the pupil picks the lens, reshapes it and moves the beam with the mouse.
#pragma once

#include "imaging/DibPlus.h"
#include "modules/optics/lens/LensModel.h"
#include "shell/ModuleWindow.h"

#include <QPointer>

#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class QToolButton;

namespace kaleno {

class Canvas;
class PaintBox;
class TChoixGeoF;
class TLensEdF;

class TLensF : public ModuleWindow {
    Q_OBJECT

public:
    // What the mouse does on the drawing: move the beam, or wait for a click on a handle
    // of the surfaces, the thickness or the height, or drag that handle.
    enum Mode : int {
        kBeam = 0,
        kCurvatureWaiting = 1,
        kFirstSurfaceDrag = 2,
        kSecondSurfaceDrag = 3,
        kThicknessWaiting = 4,
        kThicknessDrag = 5,
        kHeightWaiting = 6,
        kHeightDrag = 7,
    };

    explicit TLensF(QWidget *parent = nullptr);
    ~TLensF() override;

    // The lens editor and the display-colours dialog, made once by the program; without
    // one, the button that opens it is disabled.
    void SetDialogs(TLensEdF *editor, TChoixGeoF *colours);

    int EditMode() const { return editMode_; }
    int MessageIndex() const { return messageIndex_; }
    bool BlinkOn() const { return blinkOn_; }
    const LensModel &Model() const { return *model_; }
    const TDibPlus &Work() const { return work_; }
    const TDibPlus &Back() const { return back_; }
    // The columns a dragged surface's vertex may take, and the rim's column between them.
    int DragLow() const { return dragLow_; }
    int DragHigh() const { return dragHigh_; }
    int RimColumn() const { return rimColumn_; }

    // Handle points in pixels of the drawing.
    QPoint FirstVertexHandle() const;
    QPoint SecondVertexHandle() const;
    QPoint ThicknessHandle() const;
    QPoint HeightHandle() const;

    // The whole picture made again from the background and shown.
    void Redraw();

    void FormShow();
    void FormResize();
    void DisplayPaint();
    void DisplayMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void DisplayMouseMove(Qt::KeyboardModifiers shift, Qt::MouseButtons buttons, int x, int y);
    void DisplayMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void ChangeHBoutClick();
    void ChangeLensBoutClick();
    void ChangeEpBoutClick();
    void SpeedButton1Click();
    void CentrerBoutClick();
    void NBRayComboChange(int item);
    void LFasciComboChange(int item);
    void TypeFasciComboChange(int item);
    void LensComboChange(int item);
    void LensTextCheckClick();
    void AddBoutClick();
    void FlashTimer();

protected:
    void FormClose() override;
    QImage ClipboardImage() const override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();
    void fillFixedLists();
    void rebuildLensCombo();
    void selectSettingsItems();
    void updateEnabling();
    void computeView();
    void paintBack();
    void drawLens(Canvas &canvas) const;
    void drawRays(Canvas &canvas) const;
    void drawHandles();
    void updateStatus();
    void toggleClicked(QToolButton *button, int mode, int message);
    void startDrag(int mode, int message, Qt::CursorShape cursor);
    void endDrag(int mode, int message);

    std::unique_ptr<LensModel> model_;
    int editMode_ = kBeam;
    int messageIndex_ = 0;
    int lastShown_ = -1;
    bool blinkOn_ = false;
    bool firstShow_ = false; // set once the view is computed after opening
    int dragLow_ = 0;
    int dragHigh_ = 0;
    int rimColumn_ = 0;
    int W_ = 0;
    int H_ = 0;

    TDibPlus work_ {0, 0};
    TDibPlus back_ {0, 0};
    TDibPlus carreR_ {0, 0};
    TDibPlus carreM_ {0, 0};
    TDibPlus carreNB_ {0, 0};

    QPointer<TLensEdF> editor_;
    QPointer<TChoixGeoF> colours_;

    PaintBox *display_ = nullptr;
    QWidget *panel_ = nullptr;
    QToolButton *changeHBout_ = nullptr;
    QToolButton *changeLensBout_ = nullptr;
    QToolButton *changeEpBout_ = nullptr;
    QToolButton *speedButton1_ = nullptr;
    QToolButton *centrerBout_ = nullptr;
    QComboBox *nbRayCombo_ = nullptr;
    QComboBox *lFasciCombo_ = nullptr;
    QComboBox *typeFasciCombo_ = nullptr;
    QComboBox *lensCombo_ = nullptr;
    QCheckBox *lensTextCheck_ = nullptr;
    QPushButton *addBout_ = nullptr;
    QFrame *bevel_ = nullptr;
    QLabel *messLab_ = nullptr;
    QTimer *flash_ = nullptr;
};

} // namespace kaleno
