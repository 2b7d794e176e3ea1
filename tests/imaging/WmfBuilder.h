// Builds small Windows metafiles byte by byte for the metafile tests.
#pragma once

#include <QByteArray>
#include <QPoint>
#include <QRect>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace wmf {

inline void PutWord(QByteArray &out, uint32_t value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

inline void PutDword(QByteArray &out, uint32_t value)
{
    PutWord(out, value & 0xFFFF);
    PutWord(out, value >> 16);
}

// Words of a COLORREF (0x00BBGGRR), low first.
inline std::vector<int> Colour(uint32_t colour)
{
    return {int(colour & 0xFFFF), int(colour >> 16)};
}

// A DIB: BITMAPINFOHEADER, colour table and rows as given (rows padded by the caller).
inline std::vector<int> Dib(int width, int height, int bits, const std::vector<uint32_t> &palette,
    const std::vector<uint8_t> &rows, int coloursUsed = 0)
{
    QByteArray b;
    PutDword(b, 40);
    PutDword(b, uint32_t(width));
    PutDword(b, uint32_t(height));
    PutWord(b, 1);
    PutWord(b, uint32_t(bits));
    PutDword(b, 0); // BI_RGB
    PutDword(b, uint32_t(rows.size()));
    PutDword(b, 0);
    PutDword(b, 0);
    PutDword(b, uint32_t(coloursUsed));
    PutDword(b, 0);
    for (uint32_t c : palette)
        PutDword(b, c); // RGBQUAD: blue, green, red, 0 (a pixel value read little-endian)
    for (uint8_t v : rows)
        b.append(char(v));
    if (b.size() % 2)
        b.append('\0');
    std::vector<int> words;
    for (qsizetype i = 0; i < b.size(); i += 2)
        words.push_back(uint8_t(b[i]) | uint8_t(b[i + 1]) << 8);
    return words;
}

inline std::vector<int> operator+(std::vector<int> a, const std::vector<int> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class Builder {
public:
    // A record whose size word counts its parameters, as writers do.
    Builder &Add(uint16_t function, const std::vector<int> &params)
    {
        return Raw(uint32_t(params.size() + 3), function, params);
    }
    // A record with any size word, to build lies.
    Builder &Raw(uint32_t sizeWords, uint16_t function, const std::vector<int> &params)
    {
        PutDword(records_, sizeWords);
        PutWord(records_, function);
        for (int w : params)
            PutWord(records_, uint32_t(w) & 0xFFFF);
        maxRecord_ = std::max<uint32_t>(maxRecord_, uint32_t(params.size() + 3));
        return *this;
    }

    std::optional<QRect> placeable = QRect(0, 0, 100, 100); // frame; nothing for a plain file
    int unitsPerInch = 1440;
    int objects = 4;
    std::optional<uint32_t> maxRecord;
    std::optional<uint32_t> fileWords;
    bool endRecord = true;
    bool goodChecksum = true;

    QByteArray Build() const
    {
        QByteArray body = records_;
        if (endRecord) {
            PutDword(body, 3);
            PutWord(body, 0);
        }
        QByteArray out;
        if (placeable) {
            QByteArray head;
            PutDword(head, 0x9AC6CDD7u);
            PutWord(head, 0);
            PutWord(head, uint32_t(placeable->left()));
            PutWord(head, uint32_t(placeable->top()));
            PutWord(head, uint32_t(placeable->left() + placeable->width()));
            PutWord(head, uint32_t(placeable->top() + placeable->height()));
            PutWord(head, uint32_t(unitsPerInch));
            PutDword(head, 0);
            uint16_t sum = 0;
            for (qsizetype i = 0; i < head.size(); i += 2)
                sum ^= uint16_t(uint8_t(head[i]) | uint8_t(head[i + 1]) << 8);
            PutWord(head, goodChecksum ? sum : uint16_t(sum ^ 1));
            out += head;
        }
        PutWord(out, 1); // in memory
        PutWord(out, 9);
        PutWord(out, 0x0300);
        PutDword(out, fileWords.value_or(uint32_t(9 + body.size() / 2)));
        PutWord(out, uint32_t(objects));
        PutDword(out, maxRecord.value_or(std::max<uint32_t>(maxRecord_, 3)));
        PutWord(out, 0);
        return out + body;
    }

private:
    QByteArray records_;
    uint32_t maxRecord_ = 3;
};

// Record functions, named as the tests use them.
enum : uint16_t {
    SetBkMode = 0x0102,
    SetPolyFillMode = 0x0106,
    SelectObject = 0x012D,
    DeleteObject = 0x01F0,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    SetRop2 = 0x0104,
    Polygon = 0x0324,
    Rectangle = 0x041B,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    Escape = 0x0626,
    ExtTextOut = 0x0A32,
    DibStretchBlt = 0x0B41,
    StretchDib = 0x0F43,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
};

inline constexpr int kPenSolid = 0, kPenNull = 5;
inline constexpr int kBrushSolid = 0, kBrushNull = 1;

inline std::vector<int> Pen(int style, int width, uint32_t colour)
{
    return std::vector<int> {style, width, 0} + Colour(colour);
}
inline std::vector<int> Brush(int style, uint32_t colour)
{
    return std::vector<int> {style} + Colour(colour) + std::vector<int> {0};
}
// Parameters of a point record (y before x, as the file stores them).
inline std::vector<int> YX(int x, int y) { return {y, x}; }
inline std::vector<int> Points(const std::vector<QPoint> &points)
{
    std::vector<int> words {int(points.size())};
    for (const QPoint &p : points) {
        words.push_back(p.x());
        words.push_back(p.y());
    }
    return words;
}

inline std::vector<int> PolyPoints(const std::vector<std::vector<QPoint>> &polygons)
{
    std::vector<int> words {int(polygons.size())};
    for (const auto &polygon : polygons)
        words.push_back(int(polygon.size()));
    for (const auto &polygon : polygons) {
        for (const QPoint &p : polygon) {
            words.push_back(p.x());
            words.push_back(p.y());
        }
    }
    return words;
}

// TextOut's parameters: length, the bytes padded to a word, then y and x.
inline std::vector<int> Text(int x, int y, const QByteArray &text)
{
    std::vector<int> words {int(text.size())};
    for (qsizetype i = 0; i < text.size(); i += 2)
        words.push_back(uint8_t(text[i]) | (i + 1 < text.size() ? uint8_t(text[i + 1]) << 8 : 0));
    words.push_back(y);
    words.push_back(x);
    return words;
}

// A 2:1 placeable metafile (200 x 100 units at 96 per inch: 200 x 100 pixels) painted black.
inline QByteArray BlackWmf()
{
    Builder b;
    b.placeable = QRect(0, 0, 200, 100);
    b.unitsPerInch = 96;
    b.Add(CreateBrushIndirect, Brush(kBrushSolid, 0x000000));
    b.Add(SelectObject, {0});
    b.Add(Rectangle, {100, 200, 0, 0});
    return b.Build();
}

} // namespace wmf
