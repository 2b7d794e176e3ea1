// Windows metafile (WMF) reader: turns the bytes of a placeable or plain metafile into a
// checked list of the records the player draws. QtCore only, so it is fuzzed headless.
#pragma once

#include <QByteArrayView>
#include <QRect>
#include <QSize>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kaleno {

// Record functions the player knows; every other record is skipped when read.
enum class MetaFunction : uint16_t {
    Eof = 0x0000,
    SaveDC = 0x001E,
    SetBkMode = 0x0102,
    SetRop2 = 0x0104,
    SetPolyFillMode = 0x0106,
    RestoreDC = 0x0127,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DeleteObject = 0x01F0,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    SelectPalette = 0x0234,
    Polygon = 0x0324,
    Polyline = 0x0325,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    SetPixel = 0x041F,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    RoundRect = 0x061C,
    Arc = 0x0817,
    Pie = 0x081A,
    Chord = 0x0830,
    DibBitBlt = 0x0940,
    ExtTextOut = 0x0A32,
    DibStretchBlt = 0x0B41,
    StretchDib = 0x0F43,
    // Records that create an object, each taking a slot of the object table.
    CreatePalette = 0x00F7,
    DibCreatePatternBrush = 0x0142,
    CreatePatternBrush = 0x01F9,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    CreateRegion = 0x06FF,
};

// True for the records that put a new object in the table.
bool CreatesObject(MetaFunction function);

// The object table's rule: a new object takes the lowest free slot. Each step costs a
// logarithm of the table, so a file of many creations and deletions stays cheap.
class MetafileObjectSlots {
public:
    explicit MetafileObjectSlots(int count);
    bool InRange(int index) const { return index >= 0 && index < count_; }
    // The slot the next object takes, now marked used; nothing when the table is full.
    std::optional<int> Take();
    // Frees a used slot; a free or out-of-range one is left as it is.
    void Release(int index);

private:
    int count_;
    int fresh_ = 0; // slots from here on were never used
    std::vector<int> freed_; // a min-heap of slots below fresh_ freed again
    std::vector<bool> used_;
};

struct MetafileHeader {
    bool placeable = false;
    // Placeable files only: the picture's frame in logical units and the units per inch.
    QRect frame; // left, top, width = right - left, height = bottom - top (may be negative)
    int unitsPerInch = 0;
    // Whether the placeable header's XOR checksum matches; a mismatch is not refused,
    // as writers commonly leave it wrong and nothing else depends on it.
    bool checksumValid = false;
    int objectCount = 0; // slots of the object table
    uint32_t maxRecordWords = 0;
};

// One record the player knows, its parameters as 16-bit words (little-endian in the file).
// Reads past the parameters give 0; the reader has already checked that every record's
// parameters are long enough for what the player reads.
struct MetafileRecord {
    MetaFunction function = MetaFunction::Eof;
    std::vector<uint16_t> words;

    std::size_t size() const { return words.size(); }
    uint16_t Word(std::size_t i) const { return i < words.size() ? words[i] : 0; }
    int16_t Short(std::size_t i) const { return static_cast<int16_t>(Word(i)); }
    // Two words, low first: a COLORREF or a raster operation.
    uint32_t Dword(std::size_t i) const { return Word(i) | uint32_t(Word(i + 1)) << 16; }
    // Byte i of the parameters (words are little-endian).
    uint8_t Byte(std::size_t i) const
    {
        return static_cast<uint8_t>(Word(i / 2) >> (i % 2 == 0 ? 0 : 8));
    }
};

struct Metafile {
    MetafileHeader header;
    std::vector<MetafileRecord> records; // in file order, without the end record
};

// The file, or nothing when it is not a metafile or is truncated or inconsistent: sizes
// past the end, a record under 3 words or over the words left or the header's maximum,
// a known record too short for its parameters or its counts, an object index outside the
// table, a new object with the table full, an embedded bitmap whose header disagrees with
// its record or passes the size cap. Nothing is read past the end of the bytes.
std::optional<Metafile> ParseMetafile(QByteArrayView bytes);

// The size the picture wants, in pixels: a placeable file's frame at 96 dots per inch;
// a plain file's first window extent; an empty size when a plain file sets none.
QSize MetafileNaturalSize(const Metafile &metafile);

// Embedded bitmaps, as images are capped: at most this many pixels a side and bytes decoded.
inline constexpr int kMaxBitmapSide = 16384;
inline constexpr int64_t kMaxBitmapBytes = int64_t(256) << 20;

// A device-independent bitmap decoded to pixel values 0x00RRGGBB, top row first.
struct MetafileBitmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// Where a bitmap record's DIB begins, in words: after the raster operation and the
// geometry (and the colour usage of StretchDib). 0 for a DibStretchBlt without bitmap.
std::size_t DibOffset(const MetafileRecord &record);

// Decodes the record's DIB: 1, 4, 8, 24 and 32 bits uncompressed with a table of RGB
// colours. Nothing for the bitmaps it does not draw (other depths and compressions,
// palette-index colours); ParseMetafile has refused the malformed ones.
std::optional<MetafileBitmap> DecodeMetafileBitmap(const MetafileRecord &record);

} // namespace kaleno
