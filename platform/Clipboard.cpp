#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QString>

namespace kaleno::platform {

void PutImage(const QImage &image) { QGuiApplication::clipboard()->setImage(image); }

void PutText(const QString &text) { QGuiApplication::clipboard()->setText(text); }

bool HasBitmap()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasImage();
}

void Clear() { QGuiApplication::clipboard()->clear(); }

} // namespace kaleno::platform
