// Text decoding for files that come from Windows: the settings file and the menu script
// may be UTF-8 or Windows-1252 (the ANSI code page of French Windows).
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace kaleno {

// Every byte maps to one character: 0x80..0x9F to their Windows-1252 characters (the five
// bytes 1252 leaves undefined, 0x81, 0x8D, 0x8F, 0x90, 0x9D, to U+0081 etc., as Windows
// does), every other byte to the Latin-1 character of the same value.
QString DecodeWindows1252(QByteArrayView bytes);

// The inverse of DecodeWindows1252; a character 1252 cannot represent becomes one '?'
// (a surrogate pair too, since it is one character).
QByteArray EncodeWindows1252(QStringView text);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(QByteArrayView bytes);

// UTF-8 when the bytes are valid UTF-8 (a leading byte-order mark dropped), else
// Windows-1252. Plain ASCII reads the same either way.
QString DecodeUtf8OrWindows1252(QByteArrayView bytes);

} // namespace kaleno
