// One cell of the image catalogue: a panel holding a thumbnail and the file's name, blue
// while selected. It keeps its file's picture, already made small, for redraws.
#pragma once

#include "imaging/DibPlus.h"

#include <QFrame>
#include <QRect>
#include <QSize>
#include <QString>

class QLabel;

namespace kaleno {

class PaintBox;
struct ThumbnailSource;

class BrowserCell : public QFrame {
    Q_OBJECT

public:
    // number 1..12 names the cell "Cell<number>"; its children are "Image" and "Label".
    BrowserCell(int number, QWidget *parent = nullptr);

    // Sizes the panel for thumbnails of side `thumb`. A picture already decoded is
    // fitted again into the new square from what was kept, without reading the file.
    void SetThumbSize(int thumb);
    int ThumbSize() const { return thumb_; }

    // No file: "Pas d'image" and the empty thumbnail.
    void ShowEmpty();
    // Shows `path` from its decoded source (LoadThumbnailSources); without one (a file
    // that cannot be decoded) the cell keeps the empty thumbnail.
    void ShowFile(const QString &path, const ThumbnailSource *source);
    void SetSelected(bool selected);
    // Drops the decoded picture and the file.
    void Release();

    bool HasFile() const { return !path_.isEmpty(); }
    const QString &FilePath() const { return path_; }
    bool Loaded() const { return loaded_; }
    // Natural size of the image shown, 0 x 0 when nothing was decoded.
    QSize NaturalSize() const { return naturalSize_; }
    bool Selected() const { return selected_; }
    // The square shown, for tests and the copy.
    const TDibPlus &Thumbnail() const { return thumbnail_; }

signals:
    void Clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void ImagePaint();
    void Redraw();
    void DrawEmptyThumbnail();
    void UpdateLabel();
    void UpdatePanelColour();

    PaintBox *Image;
    QLabel *Label;
    int thumb_ = 80;
    QString path_;
    bool loaded_ = false;
    bool selected_ = false;
    QSize naturalSize_;
    // The decoded picture already fitted to the square it was read for.
    TDibPlus picture_ {0, 0};
    TDibPlus thumbnail_ {0, 0};
};

} // namespace kaleno
