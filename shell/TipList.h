// The list of tips of the day: one tip per line of a Windows-1252 text, up to "FIN".
#pragma once

#include <QByteArrayView>
#include <QStringList>

namespace kaleno {

// A line ends at a carriage return, whose line feed is skipped; the line "FIN" ends the
// list and is not a tip. Text after the last carriage return is a last tip.
QStringList ParseTips(QByteArrayView bytes);

} // namespace kaleno
