#include "shell/TipList.h"

#include "shell/TextCodec.h"

namespace kaleno {

QStringList ParseTips(QByteArrayView bytes)
{
    QStringList tips;
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = bytes.indexOf('\r', start);
        if (end < 0)
            end = n;
        const QByteArrayView line = bytes.sliced(start, end - start);
        if (line == "FIN")
            break;
        tips.append(DecodeWindows1252(line));
        start = end + 1;
        // Only a line feed is skipped: a lone carriage return keeps the next tip whole.
        if (start < n && bytes[start] == '\n')
            ++start;
    }
    return tips;
}

} // namespace kaleno
