// The system clipboard as the program uses it: put a picture or a text, test, empty.
#pragma once

class QImage;
class QString;

namespace kaleno::platform {

void PutImage(const QImage &image);
void PutText(const QString &text);
// True when the clipboard holds a picture (the Edition menu enables "Vider" on it).
bool HasBitmap();
void Clear();

} // namespace kaleno::platform
