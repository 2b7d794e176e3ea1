// TChooseF: the small colour choice of the optics dialogs, sixteen fixed colours in two
// rows of eight; the chosen cell blinks a dotted frame.
#pragma once

#include "imaging/DibPlus.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QPushButton;
class QTimer;

namespace kaleno {

class PaintBox;

class TChooseF : public QDialog {
    Q_OBJECT

public:
    static constexpr int kGridWidth = 224;
    static constexpr int kGridHeight = 56;
    static constexpr int kCellWidth = kGridWidth / 8;
    static constexpr int kCellHeight = kGridHeight / 2;
    // Cells 1..16 as TColor values (0x00BBGGRR).
    static const std::array<uint32_t, 16> kColours;

    explicit TChooseF(QWidget *parent = nullptr);

    // Shows the dialog modally on the cell of `colour` (cell 1 when none holds it) and
    // returns the colour of the cell chosen with Ok; otherwise `colour` itself.
    uint32_t Choose(uint32_t colour);
    // What Choose does before showing; tests then open() the dialog and press its buttons.
    void Start(uint32_t colour);
    // What Choose returns once the dialog has closed.
    uint32_t Result() const;

    // The cell (1..16) holding colour, 0 when none does.
    static int CellOf(uint32_t colour);
    // The cell under a point of the grid; points outside are taken at the nearest edge.
    static int CellAt(int x, int y);

    int Cell() const { return cell_; }
    // False while the frame is drawn black on the button face, true while reversed.
    bool Reversed() const { return reversed_; }
    const TDibPlus &Grid() const { return grid_; }

    void FormShow();
    void FormClose();
    void GrillePaint();
    void GrilleMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void PointiTimerTimer();
    void OkBoutClick();
    void AnnulBoutClick();
    void AideBoutClick();
    // Enter, Escape and the arrows, whichever control has the focus.
    bool FormKeyDown(int key);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void select(int cell);
    void drawGrid();

    int cell_ = 1;
    int startCell_ = 1;
    uint32_t given_ = 0;
    bool accepted_ = false;
    bool reversed_ = false;
    TDibPlus grid_ {kGridWidth, kGridHeight};

    PaintBox *Grille = nullptr;
    QPushButton *AnnulBout = nullptr;
    QPushButton *AideBout = nullptr;
    QPushButton *OkBout = nullptr;
    QTimer *PointiTimer = nullptr;
};

} // namespace kaleno
