#include "shell/TextCodec.h"

#include <array>
#include <cstdint>

namespace kaleno {

namespace {

// Characters of the bytes 0x80..0x9F; the undefined bytes keep their C1 control code.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

char16_t windows1252Char(uint8_t byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

// The byte of a character, or 0 when 1252 has none (NUL itself is handled by the caller).
uint8_t windows1252Byte(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return static_cast<uint8_t>(ch);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == ch)
            return static_cast<uint8_t>(0x80 + i);
    }
    return 0;
}

} // namespace

QString DecodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = windows1252Char(static_cast<uint8_t>(bytes[i]));
    return text;
}

QByteArray EncodeWindows1252(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        if (ch == 0) {
            bytes.append('\0');
            continue;
        }
        const uint8_t byte = windows1252Byte(ch);
        if (byte != 0) {
            bytes.append(static_cast<char>(byte));
            continue;
        }
        bytes.append('?');
        if (QChar::isHighSurrogate(ch) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
    }
    return bytes;
}

bool IsValidUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const uint8_t *>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const uint8_t lead = p[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int trail;
        // Bounds of the first trail byte exclude overlong forms, surrogates and code
        // points above U+10FFFF.
        uint8_t low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            trail = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            trail = 2;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            trail = 3;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (n - i - 1 < trail)
            return false;
        if (p[i + 1] < low || p[i + 1] > high)
            return false;
        for (int k = 2; k <= trail; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
        }
        i += trail + 1;
    }
    return true;
}

QString DecodeUtf8OrWindows1252(QByteArrayView bytes)
{
    if (!IsValidUtf8(bytes))
        return DecodeWindows1252(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    // QString::fromUtf8 drops a leading mark of its own; only the first is the header.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QChar(0xFEFF) + QString::fromUtf8(bytes);
    return QString::fromUtf8(bytes);
}

} // namespace kaleno
