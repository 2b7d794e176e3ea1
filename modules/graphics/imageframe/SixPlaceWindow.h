// SixPlaceWindow: the frame of the windows that take the current image apart and put it
// back together (RGB decomposition, four-colour printing): six places in two rows, the
// image tools, the original drawn from the current image, and the copy of the montage.
#pragma once

#include "imaging/DibPlus.h"
#include "modules/graphics/imageframe/SixPlaceLayout.h"
#include "shell/ModuleWindow.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class QCheckBox;
class QLabel;
class QToolButton;

namespace kaleno {

class PaintBox;

class SixPlaceWindow : public ModuleWindow {
    Q_OBJECT

public:
    // One place: the paint box's name, and its label's name and text (no label when the
    // name is empty).
    struct PlaceName {
        const char *zone;
        const char *label;
        const char *text;
    };
    using PlaceNames = std::array<PlaceName, sixplaces::kPlaceCount>;

    // captionPrefix starts every caption (" Décomposition RGB d'une image"). With
    // logoInMiddle the bottom middle place shows the suite's logo instead of an image.
    SixPlaceWindow(const QString &className, const QString &helpKeyword,
        const QString &captionPrefix, const PlaceNames &places, bool logoInMiddle,
        QWidget *parent = nullptr);
    ~SixPlaceWindow() override;

    // The window that owns the open dialog; the window itself until one is given.
    void SetLauncher(QWidget *launcher) { launcher_ = launcher; }

    // Size of every image place after the last layout.
    int AreaW() const { return W_; }
    int AreaH() const { return H_; }
    const TDibPlus &Original() const { return original_; }
    const TDibPlus &EmptyFrame() const { return emptyFrame_; }
    const TDibPlus &Logo() const { return logo_; }
    PaintBox *PlaceBox(sixplaces::Place place) const { return places_[place]; }
    QLabel *PlaceLabel(sixplaces::Place place) const { return labels_[place]; }
    // The caption while the default image is shown.
    QString DefaultCaption() const;

    void FormShow();
    void FormResize();
    void OriginZonePaint();
    void LogoZonePaint();
    void OuvreBoutClick();
    void OuvrePlusBoutClick();
    void DefautBoutClick();
    void StretchCheckClick();
    // The current image redrawn into the original, by the shared redraw rule.
    void LoadImage();
    // After a new image: every switch off and every place repainted.
    void Reset();

protected:
    // The module's own part. ClearSwitches unchecks its boxes and clears its flags;
    // MakeBuffers makes its pictures anew at W x H (FreeBuffers drops them when the
    // window closes); PaintPlace draws one of its places (never the original or the logo);
    // MontageGround is the pixel value under the copied montage and AddToMontage lays the
    // module's pictures on it beside the original at (0, 0).
    virtual void ClearSwitches() = 0;
    virtual void MakeBuffers(int W, int H) = 0;
    virtual void FreeBuffers() = 0;
    virtual void PaintPlace(sixplaces::Place place) = 0;
    virtual uint32_t MontageGround() const = 0;
    virtual void AddToMontage(TDibPlus &montage) const = 0;

    // The module's check boxes, in columns right of the tools: a bold title, then boxes
    // side by side under it. Boxes go to the column added last.
    QLabel *AddCheckGroup(const QString &name, const QString &title);
    QCheckBox *AddGroupCheck(const QString &name, const QString &caption, const QString &hint);

    void DrawOnPlace(sixplaces::Place place, const TDibPlus &picture);
    void ShowEmptyFrame(sixplaces::Place place);
    bool Shown() const { return shown_; }

    void FormClose() override;
    QImage ClipboardImage() const override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct CheckGroup {
        QLabel *title = nullptr;
        std::vector<QCheckBox *> checks;
    };

    void buildControls(const PlaceNames &places);
    void loadLogo();
    void drawEmptyFrame();
    void layoutPanel(int top);
    void repaintAll();
    void placePaint(sixplaces::Place place);

    QString captionPrefix_;
    bool logoInMiddle_ = false;
    QWidget *launcher_ = nullptr;
    bool shown_ = false;
    int W_ = 0;
    int H_ = 0;

    TDibPlus original_ {0, 0};
    TDibPlus emptyFrame_ {0, 0};
    TDibPlus logo_ {0, 0};

    std::array<PaintBox *, sixplaces::kPlaceCount> places_ {};
    std::array<QLabel *, sixplaces::kPlaceCount> labels_ {};
    QWidget *bottomPanel_ = nullptr;
    QToolButton *ouvreBout_ = nullptr;
    QToolButton *ouvrePlusBout_ = nullptr;
    QToolButton *defautBout_ = nullptr;
    QCheckBox *stretchCheck_ = nullptr;
    std::vector<CheckGroup> groups_;
};

} // namespace kaleno
