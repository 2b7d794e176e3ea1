#include "shell/ConfusionText.h"

#include <QString>

#include <cmath>

namespace kaleno {

namespace {

constexpr double kMinMillimetres = 0.01;
constexpr double kMaxMillimetres = 0.3;

} // namespace

QString FormatConfusion(double metres)
{
    return QLatin1Char(' ') + QString::number(metres * 1000.0, 'f', 4);
}

double ParseConfusion(const QString &text)
{
    QString kept;
    bool separatorSeen = false;
    for (const QChar c : text) {
        // Only ASCII digits: QChar::isDigit would also let other scripts' digits through.
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            kept += c;
        } else if (!separatorSeen && (c == QLatin1Char(',') || c == QLatin1Char('.'))) {
            kept += QLatin1Char('.');
            separatorSeen = true;
        }
    }
    bool ok = false;
    double millimetres = kept.toDouble(&ok);
    // A digit string too long for a double overflows to infinity: it is a large number,
    // which the clamp below handles, not an unreadable one.
    if (!ok && !std::isinf(millimetres))
        millimetres = 0.0;
    if (millimetres > kMaxMillimetres)
        millimetres = kMaxMillimetres;
    if (millimetres < kMinMillimetres)
        millimetres = kMinMillimetres;
    return millimetres * 0.001;
}

} // namespace kaleno
