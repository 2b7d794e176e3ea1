// TPhotoF: the window "Appareil photographique", a camera seen from the side: the object,
// the objective and its diaphragm, the rays, the film and the picture the film receives.
#pragma once

#include "imaging/DibPlus.h"
#include "modules/optics/camera/CameraModel.h"
#include "modules/optics/camera/CameraShapes.h"
#include "shell/ModuleWindow.h"

#include <QPoint>
#include <QRegion>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

class QComboBox;
class QFrame;
class QLabel;
class QToolButton;

namespace kaleno {

class Canvas;
class PaintBox;
class TPickPhotoF;

class TPhotoF : public ModuleWindow {
    Q_OBJECT

public:
    enum DragModes : uint8_t {
        kIdle = 0,
        kPlacingCursors = 1,
        kDraggingFilm = 2,
        kDraggingObject = 3,
        kOverObject = 4,
        kOverFilm = 5,
    };

    explicit TPhotoF(QWidget *parent = nullptr);
    ~TPhotoF() override;

    // The object dialog ColorBout opens; without one the button stays disabled.
    void SetPickDialog(TPickPhotoF *dialog);

    const CameraState &Camera() const { return camera_; }
    int DragMode() const { return dragMode_; }
    int MessageIndex() const { return messageIndex_; }
    // Cursor 1 or 2 as a pixel column and row; a column of -1 when it is absent.
    QPoint CursorPosition(int number) const;
    bool HorizontalCursors() const { return horizontalCursors_; }
    // The texts of the cursor readout, in the order they are drawn.
    const QStringList &ReadoutTexts() const { return readoutTexts_; }
    // The drawing without the cursors (what CopierBout copies), its background, and the
    // film picture drawn into it last.
    const TDibPlus &Scene() const { return scene_; }
    const TDibPlus &Background() const { return background_; }
    const TDibPlus &FilmPicture() const { return filmPicture_; }
    // Where the film picture stands in the drawing.
    QPoint FilmPictureOrigin() const;

    void FormShow();
    void FormResize();
    void DisplayPaint();
    void InfosZonePaint();
    void DisplayMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void DisplayMouseMove(Qt::KeyboardModifiers shift, Qt::MouseButtons buttons, int x, int y);
    void DisplayMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void FocaleComboChange(int index);
    void RayComboChange(int index);
    void NComboChange(int index);
    void AutoFocusBoutClick();
    void ColorBoutClick();
    void CalcBoutClick();
    void RazCurBoutClick();
    void HorizonBoutClick();

protected:
    void FormClose() override;
    QImage ClipboardImage() const override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();
    void layoutPanel();
    void computeView();
    void loadPictures();
    void makePreview();
    void paintBackground();
    void drawRulers(Canvas &canvas);
    void drawScene();
    void Redraw();
    void showDrawing();
    void drawReadout();
    void setMessage(int index);
    void showMessage();
    void placeCursor(Qt::MouseButtons buttons, int x, int y);
    void setPointerMode(int x, int y);

    CameraState camera_;
    ColourRamp ramp_ {};
    std::optional<CameraShapePair> shapes_;
    std::optional<Metafile> lensPicture_;

    int W_ = 0;
    int H_ = 0;
    uint8_t dragMode_ = kIdle;
    int messageIndex_ = 0;
    int lastMessage_ = -1;
    std::array<QPoint, 2> cursors_ {QPoint(-1, 0), QPoint(-1, 0)};
    bool horizontalCursors_ = false;
    bool shown_ = false;
    // Set until the view has been computed for this opening.
    bool firstShow_ = true;
    QStringList readoutTexts_;
    // The display's frame as it was when the drawing was last put into it.
    qint64 shownFrame_ = 0;
    // What the scene drew over its background last time, and what changed since the
    // display was last given the scene.
    QRegion sceneMarks_;
    QRegion changed_;

    TDibPlus background_ {0, 0};
    TDibPlus scene_ {0, 0};
    TDibPlus withCursors_ {0, 0};
    TDibPlus preview_ {0, 0};
    TDibPlus filmPicture_ {0, 0};
    TDibPlus infos_ {0, 0};

    TPickPhotoF *pickDialog_ = nullptr;
    PaintBox *display_ = nullptr;
    QWidget *panel_ = nullptr;
    PaintBox *infosZone_ = nullptr;
    QToolButton *calcBout_ = nullptr;
    QToolButton *colorBout_ = nullptr;
    QToolButton *autoFocusBout_ = nullptr;
    QToolButton *razCurBout_ = nullptr;
    QToolButton *horizonBout_ = nullptr;
    QLabel *focaleLab_ = nullptr;
    QComboBox *focaleCombo_ = nullptr;
    QLabel *rayLab_ = nullptr;
    QComboBox *rayCombo_ = nullptr;
    QLabel *nLab_ = nullptr;
    QComboBox *nCombo_ = nullptr;
    QFrame *bevel_ = nullptr;
    QLabel *messLab_ = nullptr;
};

} // namespace kaleno
