// The circle of confusion as the options window shows and reads it: held in metres,
// written and typed in millimetres.
#pragma once

class QString;

namespace kaleno {

// " " + millimetres with four decimals and a point: 3e-5 m gives " 0.0300".
QString FormatConfusion(double metres);

// The typed text back to metres. Only the digits 0-9 and the first "," or "." count, so
// stray letters, signs and further separators are dropped rather than refused; an empty or
// unreadable result is 0, and the value is clamped to 0.01..0.30 mm without a message.
double ParseConfusion(const QString &text);

} // namespace kaleno
