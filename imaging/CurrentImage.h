// The current image shared by the image modules (scene lighting, contrast, RGB
// decomposition, four-colour printing, television magnifier): its opening from a file or
// the catalogue, and its drawing into a module's working area.
#pragma once

#include "imaging/DibPlus.h"
#include "imaging/MetafileRecords.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

class QWidget;

namespace kaleno {

// What ImageKind says is in the current image.
inline constexpr int kImageNone = 0; // nothing drawn yet
inline constexpr int kImageTestCard = 1; // the default image (test card) is shown
inline constexpr int kImageMetafile = 2; // ImageMetafile holds a loaded WMF
inline constexpr int kImageBitmap = 3; // ImageBitmap holds a loaded BMP, JPEG or GIF

// One object for the whole process (TheImage()). Only one image module is open at a time;
// it sets AreaWidth/AreaHeight (and BackColour if it wants another) when laid out.
struct CurrentImage {
    int ImageKind = kImageNone;
    // The raster image, in the program's one pixel format (24-bit, 0x00RRGGBB). JPEG and
    // GIF files end here too.
    TDibPlus ImageBitmap {0, 0};
    // The vector image and the size it wants (MetafileNaturalSize). Fitting always starts
    // from this natural size, so the proportions never drift through rounding.
    Metafile ImageMetafile;
    QSize MetafileSize;
    // Natural size of ImageBitmap, recorded when it is drawn.
    int BitmapWidth = 0;
    int BitmapHeight = 0;
    // The open module's working area.
    int AreaWidth = 0;
    int AreaHeight = 0;
    // TColor (0x00BBGGRR) around the image.
    uint32_t BackColour = 0xFFFFFF;
    // Distort the image over the whole area instead of fitting it.
    bool StretchImage = false;
};

CurrentImage &TheImage();

// What an image module does when shown: fresh empty image, kind 0, stretch off, white
// background. And when closed: frees the image (kind back to 0).
void BeginImageModule();
void EndImageModule();

// Drawing. Each uses the area TheImage().AreaWidth x AreaHeight, normally the size of the
// target buffer; whatever falls outside the target is clipped.
// Fills the area with BackColour and plays the metafile fitted (or stretched); kind 2.
void DrawMetafileFitted(TDibPlus &target);
// Fills the area and draws the bitmap centred at its natural size (or stretched); records
// BitmapWidth/BitmapHeight; kind 3.
void DrawBitmapCentred(TDibPlus &target);
// Fills the area and draws the test card in its largest centred 4:3 frame. Does not change
// ImageKind (RedrawCurrentImage and the default button do).
void DrawTestCard(TDibPlus &target);
// The redraw of an image module: the test card when ImageKind < 2 (kind becomes 1), else
// the metafile or the bitmap. True when the card was drawn: the module then puts back its
// own default caption (" - Image par défaut").
bool RedrawCurrentImage(TDibPlus &target);

// Opening. Each returns the module's new caption: captionPrefix + " - " + path +
// " ( W sur H pixels )" for a raster image or " ( image vectorielle )" for a metafile, or
// currentCaption unchanged when nothing was loaded. A failed load has shown its message
// and left the image, its kind and the target untouched.
QString LoadImageFile(const QString &fileName, const QString &captionPrefix,
    const QString &currentCaption, TDibPlus &target);

// The open dialog (title " Ouvrir une image bitmap ou un métafichier", the five filters),
// opened in DirFichier (the program folder when it is "none"); the chosen file is loaded
// and DirFichier becomes its folder with a trailing separator, loaded or not. Cancelling
// returns currentCaption.
QString OpenImage(QWidget *launcher, TDibPlus &target, const QString &captionPrefix,
    const QString &currentCaption);

// The dialog's title and filters, as "description (patterns)" with the patterns separated
// by blanks (Qt's form; the dialog hides the pattern part).
QString OpenDialogTitle();
QStringList OpenDialogFilters();

// Chooses an existing file to open: the path, or an empty string when cancelled. The
// default is a Qt file dialog (objectName "OpenDial"); tests set their own so that no
// dialog blocks them. An empty function restores the default.
using ImageFileChooser = std::function<QString(
    QWidget *launcher, const QString &title, const QString &folder, const QStringList &filters)>;
void SetImageFileChooser(ImageFileChooser chooser);

// The catalogue in pick mode, registered by the program: returns the chosen file's path
// or "None". An empty function unregisters it.
void SetCataloguePicker(std::function<QString()> picker);
// The open-with-catalogue button: asks the picker and loads what it returns. Without a
// picker, or when it returns "None", nothing happens and currentCaption is returned.
QString OpenImageFromCatalogue(QWidget *launcher, TDibPlus &target, const QString &captionPrefix,
    const QString &currentCaption);

} // namespace kaleno
