#include "imaging/MetafileRecords.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace kaleno {

namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr qsizetype kPlaceableBytes = 22;
constexpr uint32_t kHeaderWords = 9;

constexpr uint32_t kExtTextOpaque = 0x0002;
constexpr uint32_t kExtTextClipped = 0x0004;

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

uint16_t ReadWord(QByteArrayView bytes, qsizetype at)
{
    return static_cast<uint16_t>(
        static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8);
}

uint32_t ReadDword(QByteArrayView bytes, qsizetype at)
{
    return ReadWord(bytes, at) | uint32_t(ReadWord(bytes, at + 2)) << 16;
}

bool IsKnown(uint16_t function)
{
    switch (static_cast<MetaFunction>(function)) {
    case MetaFunction::Eof:
    case MetaFunction::SaveDC:
    case MetaFunction::SetBkMode:
    case MetaFunction::SetRop2:
    case MetaFunction::SetPolyFillMode:
    case MetaFunction::RestoreDC:
    case MetaFunction::SelectObject:
    case MetaFunction::SetTextAlign:
    case MetaFunction::DeleteObject:
    case MetaFunction::SetBkColor:
    case MetaFunction::SetTextColor:
    case MetaFunction::SetWindowOrg:
    case MetaFunction::SetWindowExt:
    case MetaFunction::LineTo:
    case MetaFunction::MoveTo:
    case MetaFunction::SelectPalette:
    case MetaFunction::Polygon:
    case MetaFunction::Polyline:
    case MetaFunction::Ellipse:
    case MetaFunction::Rectangle:
    case MetaFunction::SetPixel:
    case MetaFunction::TextOut:
    case MetaFunction::PolyPolygon:
    case MetaFunction::RoundRect:
    case MetaFunction::Arc:
    case MetaFunction::Pie:
    case MetaFunction::Chord:
    case MetaFunction::DibBitBlt:
    case MetaFunction::ExtTextOut:
    case MetaFunction::DibStretchBlt:
    case MetaFunction::StretchDib:
    case MetaFunction::CreatePalette:
    case MetaFunction::DibCreatePatternBrush:
    case MetaFunction::CreatePatternBrush:
    case MetaFunction::CreatePenIndirect:
    case MetaFunction::CreateFontIndirect:
    case MetaFunction::CreateBrushIndirect:
    case MetaFunction::CreateRegion:
        return true;
    }
    return false;
}

// Fixed parameter words each record needs; the variable parts are checked apart.
std::size_t FixedWords(MetaFunction function)
{
    switch (function) {
    case MetaFunction::SetBkMode:
    case MetaFunction::SetRop2:
    case MetaFunction::SetPolyFillMode:
    case MetaFunction::RestoreDC:
    case MetaFunction::SelectObject:
    case MetaFunction::SetTextAlign:
    case MetaFunction::DeleteObject:
    case MetaFunction::SelectPalette:
    case MetaFunction::Polygon:
    case MetaFunction::Polyline:
    case MetaFunction::TextOut:
    case MetaFunction::PolyPolygon:
        return 1;
    case MetaFunction::SetBkColor:
    case MetaFunction::SetTextColor:
    case MetaFunction::SetWindowOrg:
    case MetaFunction::SetWindowExt:
    case MetaFunction::LineTo:
    case MetaFunction::MoveTo:
        return 2;
    case MetaFunction::Ellipse:
    case MetaFunction::Rectangle:
    case MetaFunction::SetPixel:
    case MetaFunction::ExtTextOut:
    case MetaFunction::CreateBrushIndirect:
        return 4;
    case MetaFunction::CreatePenIndirect:
        return 5;
    case MetaFunction::RoundRect:
        return 6;
    case MetaFunction::Arc:
    case MetaFunction::Pie:
    case MetaFunction::Chord:
    case MetaFunction::DibBitBlt:
        return 8;
    case MetaFunction::CreateFontIndirect:
        return 9; // the LOGFONT up to its face name
    case MetaFunction::DibStretchBlt:
        return 10;
    case MetaFunction::StretchDib:
        return 11;
    default:
        return 0;
    }
}

// A bitmap record's DIB, as its header describes it, byte offsets from the record's
// parameters.
struct DibLayout {
    enum class Status { Valid, Unsupported, Invalid } status = Status::Invalid;
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    std::size_t paletteAt = 0;
    std::size_t paletteEntries = 0;
    std::size_t entryBytes = 4;
    std::size_t bitsAt = 0;
    std::size_t stride = 0;
};

uint32_t ByteDword(const MetafileRecord &r, std::size_t at)
{
    return r.Byte(at) | uint32_t(r.Byte(at + 1)) << 8 | uint32_t(r.Byte(at + 2)) << 16
        | uint32_t(r.Byte(at + 3)) << 24;
}

uint16_t ByteWord(const MetafileRecord &r, std::size_t at)
{
    return static_cast<uint16_t>(r.Byte(at) | r.Byte(at + 1) << 8);
}

DibLayout ReadDibLayout(const MetafileRecord &record)
{
    using Status = DibLayout::Status;
    DibLayout layout;
    const std::size_t offset = DibOffset(record);
    if (offset == 0) {
        layout.status = Status::Unsupported;
        return layout;
    }
    const std::size_t total = 2 * record.size();
    const std::size_t at = 2 * offset;
    if (at + 4 > total)
        return layout;
    const uint32_t headerBytes = ByteDword(record, at);
    int64_t width = 0;
    int64_t height = 0;
    uint32_t compression = kBiRgb;
    uint32_t coloursUsed = 0;
    if (headerBytes == 12) {
        if (at + 12 > total)
            return layout;
        width = ByteWord(record, at + 4);
        height = ByteWord(record, at + 6);
        layout.bitCount = ByteWord(record, at + 10);
        layout.entryBytes = 3;
    } else if (headerBytes >= 40) {
        if (headerBytes > total - at)
            return layout;
        width = static_cast<int32_t>(ByteDword(record, at + 4));
        height = static_cast<int32_t>(ByteDword(record, at + 8));
        layout.bitCount = ByteWord(record, at + 14);
        compression = ByteDword(record, at + 16);
        coloursUsed = ByteDword(record, at + 32);
    } else {
        return layout;
    }
    layout.topDown = height < 0;
    height = std::abs(height);
    if (width <= 0 || height == 0 || width > kMaxBitmapSide || height > kMaxBitmapSide
        || width * height * 4 > kMaxBitmapBytes)
        return layout;
    layout.width = int(width);
    layout.height = int(height);
    const int bits = layout.bitCount;
    if (bits != 0 && bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return layout;

    // DIB_PAL_COLORS tables hold 16-bit indexes into a palette.
    const bool paletteIndexes = record.function == MetaFunction::StretchDib && record.Word(2) != 0;
    if (paletteIndexes)
        layout.entryBytes = 2;
    if (bits >= 1 && bits <= 8) {
        const uint32_t full = 1u << bits;
        if (coloursUsed > full)
            return layout;
        layout.paletteEntries = coloursUsed != 0 ? coloursUsed : full;
    } else {
        if (coloursUsed > 256)
            return layout;
        layout.paletteEntries = coloursUsed;
    }
    std::size_t masks = 0;
    if (compression == kBiBitfields && headerBytes == 40)
        masks = 12;
    layout.paletteAt = at + headerBytes + masks;
    layout.bitsAt = layout.paletteAt + layout.paletteEntries * layout.entryBytes;
    if (layout.bitsAt > total)
        return layout;
    const bool raw = compression == kBiRgb || compression == kBiBitfields;
    if (raw && bits != 0) {
        layout.stride = ((std::size_t(width) * std::size_t(bits) + 31) / 32) * 4;
        if (layout.stride * std::size_t(height) > total - layout.bitsAt)
            return layout;
    }
    const bool drawn = compression == kBiRgb && !paletteIndexes && bits != 0 && bits != 16;
    layout.status = drawn ? Status::Valid : Status::Unsupported;
    return layout;
}

bool CheckRecord(const MetafileRecord &r, MetafileObjectSlots &table)
{
    const std::size_t n = r.size();
    if (n < FixedWords(r.function))
        return false;
    switch (r.function) {
    case MetaFunction::Polygon:
    case MetaFunction::Polyline:
        return std::size_t(r.Word(0)) * 2 <= n - 1;
    case MetaFunction::PolyPolygon: {
        const std::size_t polygons = r.Word(0);
        if (polygons > n - 1)
            return false;
        std::size_t points = 0;
        for (std::size_t i = 0; i < polygons; ++i)
            points += r.Word(1 + i);
        return points * 2 <= n - 1 - polygons;
    }
    case MetaFunction::TextOut:
        return (std::size_t(r.Word(0)) + 1) / 2 + 2 <= n - 1;
    case MetaFunction::ExtTextOut: {
        std::size_t fixed = 4;
        if (r.Word(3) & (kExtTextOpaque | kExtTextClipped))
            fixed += 4;
        return fixed <= n && (std::size_t(r.Word(2)) + 1) / 2 <= n - fixed;
    }
    case MetaFunction::SelectObject:
    case MetaFunction::SelectPalette:
        return table.InRange(r.Word(0));
    case MetaFunction::DeleteObject:
        if (!table.InRange(r.Word(0)))
            return false;
        table.Release(r.Word(0));
        return true;
    case MetaFunction::StretchDib:
    case MetaFunction::DibStretchBlt:
    case MetaFunction::DibBitBlt:
        return ReadDibLayout(r).status != DibLayout::Status::Invalid;
    default:
        if (CreatesObject(r.function))
            return table.Take().has_value();
        return true;
    }
}

uint32_t PaletteColour(const MetafileRecord &r, const DibLayout &layout, std::size_t index)
{
    if (index >= layout.paletteEntries)
        return 0;
    const std::size_t at = layout.paletteAt + index * layout.entryBytes;
    // RGBQUAD and RGBTRIPLE both store blue, green, red.
    return uint32_t(r.Byte(at + 2)) << 16 | uint32_t(r.Byte(at + 1)) << 8 | r.Byte(at);
}

} // namespace

bool CreatesObject(MetaFunction function)
{
    switch (function) {
    case MetaFunction::CreatePalette:
    case MetaFunction::DibCreatePatternBrush:
    case MetaFunction::CreatePatternBrush:
    case MetaFunction::CreatePenIndirect:
    case MetaFunction::CreateFontIndirect:
    case MetaFunction::CreateBrushIndirect:
    case MetaFunction::CreateRegion:
        return true;
    default:
        return false;
    }
}

MetafileObjectSlots::MetafileObjectSlots(int count)
    : count_(std::max(count, 0))
    , used_(static_cast<std::size_t>(count_), false)
{
}

std::optional<int> MetafileObjectSlots::Take()
{
    int slot = -1;
    if (!freed_.empty()) {
        std::pop_heap(freed_.begin(), freed_.end(), std::greater<>());
        slot = freed_.back();
        freed_.pop_back();
    } else if (fresh_ < count_) {
        slot = fresh_++;
    } else {
        return std::nullopt;
    }
    used_[static_cast<std::size_t>(slot)] = true;
    return slot;
}

void MetafileObjectSlots::Release(int index)
{
    if (!InRange(index) || !used_[static_cast<std::size_t>(index)])
        return;
    used_[static_cast<std::size_t>(index)] = false;
    // Every freed slot lies below fresh_, so the heap's top is the lowest free slot.
    freed_.push_back(index);
    std::push_heap(freed_.begin(), freed_.end(), std::greater<>());
}

std::optional<Metafile> ParseMetafile(QByteArrayView bytes)
{
    Metafile metafile;
    qsizetype start = 0;
    if (bytes.size() >= 4 && ReadDword(bytes, 0) == kPlaceableKey) {
        if (bytes.size() < kPlaceableBytes)
            return std::nullopt;
        const auto left = static_cast<int16_t>(ReadWord(bytes, 6));
        const auto top = static_cast<int16_t>(ReadWord(bytes, 8));
        const auto right = static_cast<int16_t>(ReadWord(bytes, 10));
        const auto bottom = static_cast<int16_t>(ReadWord(bytes, 12));
        const int inch = ReadWord(bytes, 14);
        if (inch == 0)
            return std::nullopt;
        uint16_t checksum = 0;
        for (qsizetype i = 0; i < 20; i += 2)
            checksum ^= ReadWord(bytes, i);
        MetafileHeader &h = metafile.header;
        h.placeable = true;
        h.frame = QRect(left, top, int(right) - left, int(bottom) - top);
        h.unitsPerInch = inch;
        h.checksumValid = checksum == ReadWord(bytes, 20);
        start = kPlaceableBytes;
    }
    const QByteArrayView file = bytes.sliced(start);
    if (file.size() < qsizetype(2 * kHeaderWords))
        return std::nullopt;
    const uint16_t type = ReadWord(file, 0);
    const uint16_t headerWords = ReadWord(file, 2);
    const uint16_t version = ReadWord(file, 4);
    const uint32_t fileWords = ReadDword(file, 6);
    if ((type != 1 && type != 2) || headerWords != kHeaderWords
        || (version != 0x0100 && version != 0x0300))
        return std::nullopt;
    if (fileWords < kHeaderWords || qsizetype(fileWords) > file.size() / 2)
        return std::nullopt;
    metafile.header.objectCount = ReadWord(file, 10);
    metafile.header.maxRecordWords = ReadDword(file, 12);

    MetafileObjectSlots table(metafile.header.objectCount);
    uint32_t at = kHeaderWords; // in words
    for (;;) {
        if (fileWords - at < 3)
            return std::nullopt; // no end record
        const uint32_t recordWords = ReadDword(file, 2 * qsizetype(at));
        const uint16_t function = ReadWord(file, 2 * qsizetype(at) + 4);
        if (recordWords < 3 || recordWords > fileWords - at
            || recordWords > metafile.header.maxRecordWords)
            return std::nullopt;
        if (function == uint16_t(MetaFunction::Eof))
            break;
        if (IsKnown(function)) {
            MetafileRecord record;
            record.function = static_cast<MetaFunction>(function);
            record.words.resize(recordWords - 3);
            const qsizetype params = 2 * qsizetype(at) + 6;
            for (std::size_t i = 0; i < record.words.size(); ++i)
                record.words[i] = ReadWord(file, params + 2 * qsizetype(i));
            if (!CheckRecord(record, table))
                return std::nullopt;
            metafile.records.push_back(std::move(record));
        }
        at += recordWords;
    }
    return metafile;
}

QSize MetafileNaturalSize(const Metafile &metafile)
{
    const MetafileHeader &h = metafile.header;
    if (h.placeable && h.unitsPerInch > 0) {
        const auto pixels
            = [&](int units) { return int(std::lround(std::abs(units) * 96.0 / h.unitsPerInch)); };
        return QSize(pixels(h.frame.width()), pixels(h.frame.height()));
    }
    for (const MetafileRecord &r : metafile.records) {
        if (r.function == MetaFunction::SetWindowExt)
            return QSize(std::abs(int(r.Short(1))), std::abs(int(r.Short(0))));
    }
    return QSize();
}

std::size_t DibOffset(const MetafileRecord &record)
{
    switch (record.function) {
    case MetaFunction::StretchDib:
        return 11;
    case MetaFunction::DibStretchBlt:
        // A record exactly its fixed size plus one reserved word carries no bitmap.
        return record.size() == 11 ? 0 : 10;
    case MetaFunction::DibBitBlt:
        return record.size() == 9 ? 0 : 8;
    default:
        return 0;
    }
}

std::optional<MetafileBitmap> DecodeMetafileBitmap(const MetafileRecord &record)
{
    const DibLayout layout = ReadDibLayout(record);
    if (layout.status != DibLayout::Status::Valid)
        return std::nullopt;
    MetafileBitmap bitmap;
    bitmap.width = layout.width;
    bitmap.height = layout.height;
    bitmap.pixels.resize(std::size_t(layout.width) * std::size_t(layout.height));
    const int bits = layout.bitCount;
    std::vector<uint32_t> palette(layout.paletteEntries);
    for (std::size_t i = 0; i < palette.size(); ++i)
        palette[i] = PaletteColour(record, layout, i);
    const auto lookup
        = [&](std::size_t index) { return index < palette.size() ? palette[index] : 0u; };
    for (int y = 0; y < layout.height; ++y) {
        // Rows are stored bottom-up unless the height was negative.
        const int fileRow = layout.topDown ? y : layout.height - 1 - y;
        const std::size_t row = layout.bitsAt + std::size_t(fileRow) * layout.stride;
        uint32_t *out = bitmap.pixels.data() + std::size_t(y) * std::size_t(layout.width);
        for (int x = 0; x < layout.width; ++x) {
            const std::size_t ux = std::size_t(x);
            uint32_t value = 0;
            switch (bits) {
            case 1:
                value = lookup((record.Byte(row + ux / 8) >> (7 - ux % 8)) & 1);
                break;
            case 4:
                value = lookup((record.Byte(row + ux / 2) >> (ux % 2 == 0 ? 4 : 0)) & 15);
                break;
            case 8:
                value = lookup(record.Byte(row + ux));
                break;
            default: {
                const std::size_t p = row + ux * std::size_t(bits / 8);
                value = uint32_t(record.Byte(p + 2)) << 16 | uint32_t(record.Byte(p + 1)) << 8
                    | record.Byte(p);
                break;
            }
            }
            out[x] = value;
        }
    }
    return bitmap;
}

} // namespace kaleno
