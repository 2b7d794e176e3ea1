// Builds small BMP, JPEG and GIF files byte by byte (JPEG through libjpeg's encoder) for
// the loader and current-image tests.
#pragma once

#include <QByteArray>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

namespace imgfile {

inline void PutWord(QByteArray &out, uint32_t v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}
inline void PutDword(QByteArray &out, uint32_t v)
{
    PutWord(out, v & 0xFFFF);
    PutWord(out, v >> 16);
}

// Pixel values 0x00RRGGBB.
using PixelAt = std::function<uint32_t(int x, int y)>;

// A bottom-up 24-bit BMP; the header's size can lie (declaredWidth/Height, rows not
// written when `rows` is false).
inline QByteArray Bmp24(int width, int height, const PixelAt &pixel, int declaredWidth = 0,
    int declaredHeight = 0, bool rows = true)
{
    const int stride = (3 * width + 3) / 4 * 4;
    QByteArray out("BM");
    PutDword(out, uint32_t(54 + stride * height));
    PutDword(out, 0);
    PutDword(out, 54);
    PutDword(out, 40);
    PutDword(out, uint32_t(declaredWidth ? declaredWidth : width));
    PutDword(out, uint32_t(declaredHeight ? declaredHeight : height));
    PutWord(out, 1);
    PutWord(out, 24);
    PutDword(out, 0);
    PutDword(out, uint32_t(stride * height));
    PutDword(out, 2835);
    PutDword(out, 2835);
    PutDword(out, 0);
    PutDword(out, 0);
    if (!rows)
        return out;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t v = pixel(x, y);
            out.append(char(v & 0xFF));
            out.append(char((v >> 8) & 0xFF));
            out.append(char((v >> 16) & 0xFF));
        }
        out.append(QByteArray(stride - 3 * width, '\0'));
    }
    return out;
}

enum class JpegKind { Rgb, Grey, Progressive, AdobeCmyk, PlainCmyk };

// Encodes through libjpeg at quality 95. For AdobeCmyk the pixel's colour is written as
// Adobe's inverted CMYK (stored value = 255 - ink; no black ink), which libjpeg marks with
// its Adobe marker; PlainCmyk stores the inks themselves, without the marker.
inline QByteArray Jpeg(int width, int height, JpegKind kind, const PixelAt &pixel)
{
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = JDIMENSION(width);
    c.image_height = JDIMENSION(height);
    const bool cmyk = kind == JpegKind::AdobeCmyk || kind == JpegKind::PlainCmyk;
    const int components = kind == JpegKind::Grey ? 1 : cmyk ? 4 : 3;
    c.input_components = components;
    c.in_color_space = kind == JpegKind::Grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&c);
    if (kind == JpegKind::PlainCmyk)
        c.write_Adobe_marker = FALSE;
    jpeg_set_quality(&c, 95, TRUE);
    if (kind == JpegKind::Progressive)
        jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    std::vector<unsigned char> row(std::size_t(width) * components);
    while (c.next_scanline < c.image_height) {
        const int y = int(c.next_scanline);
        for (int x = 0; x < width; ++x) {
            const uint32_t v = pixel(x, y);
            const int r = (v >> 16) & 0xFF, g = (v >> 8) & 0xFF, b = v & 0xFF;
            unsigned char *p = row.data() + std::size_t(x) * components;
            if (kind == JpegKind::Grey) {
                p[0] = static_cast<unsigned char>(g);
            } else if (kind == JpegKind::AdobeCmyk) {
                // inks c = 255 - r ...; stored inverted: 255 - c = r.
                p[0] = static_cast<unsigned char>(r);
                p[1] = static_cast<unsigned char>(g);
                p[2] = static_cast<unsigned char>(b);
                p[3] = 255;
            } else if (kind == JpegKind::PlainCmyk) {
                p[0] = static_cast<unsigned char>(255 - r);
                p[1] = static_cast<unsigned char>(255 - g);
                p[2] = static_cast<unsigned char>(255 - b);
                p[3] = 0;
            } else {
                p[0] = static_cast<unsigned char>(r);
                p[1] = static_cast<unsigned char>(g);
                p[2] = static_cast<unsigned char>(b);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    QByteArray out(reinterpret_cast<const char *>(buffer), qsizetype(size));
    jpeg_destroy_compress(&c);
    std::free(buffer);
    return out;
}

// Rewrites the picture size in a JPEG's start-of-frame segment.
inline QByteArray JpegWithSize(QByteArray jpeg, int width, int height)
{
    for (qsizetype i = 2; i + 8 < jpeg.size(); ++i) {
        const auto m = uint8_t(jpeg[i + 1]);
        if (uint8_t(jpeg[i]) == 0xFF && (m == 0xC0 || m == 0xC2)) {
            jpeg[i + 5] = char(height >> 8);
            jpeg[i + 6] = char(height & 0xFF);
            jpeg[i + 7] = char(width >> 8);
            jpeg[i + 8] = char(width & 0xFF);
            break;
        }
    }
    return jpeg;
}

struct GifFrame {
    int left = 0, top = 0, width = 1, height = 1;
    std::vector<uint32_t> localMap; // pixel values; empty: none
    bool interlaced = false;
    std::vector<int> indexes; // width * height, in the order of the rows of the file
};

// Colour tables hold 2, 4, ... 256 entries: the map is padded with black.
inline void PutMap(QByteArray &out, std::vector<uint32_t> map)
{
    std::size_t n = 2;
    while (n < map.size())
        n *= 2;
    map.resize(n, 0);
    for (uint32_t v : map) {
        out.append(char((v >> 16) & 0xFF));
        out.append(char((v >> 8) & 0xFF));
        out.append(char(v & 0xFF));
    }
}
inline int MapBits(std::size_t size)
{
    int bits = 1;
    while ((std::size_t(1) << bits) < size)
        ++bits;
    return bits;
}

// A GIF89a with one frame, its LZW data made of 8-bit literal codes only, a clear code
// before every 100 of them, so that the code width stays 9 bits.
inline QByteArray Gif(int screenWidth, int screenHeight, const std::vector<uint32_t> &globalMap,
    const GifFrame &frame, int transparent = -1)
{
    QByteArray out("GIF89a");
    PutWord(out, uint32_t(screenWidth));
    PutWord(out, uint32_t(screenHeight));
    out.append(char(globalMap.empty() ? 0 : 0x80 | 0x70 | (MapBits(globalMap.size()) - 1)));
    out.append('\0');
    out.append('\0');
    if (!globalMap.empty())
        PutMap(out, globalMap);
    if (transparent >= 0) {
        out.append(QByteArray("\x21\xF9\x04\x01\x00\x00", 6));
        out.append(char(transparent));
        out.append('\0');
    }
    out.append(char(0x2C));
    PutWord(out, uint32_t(frame.left));
    PutWord(out, uint32_t(frame.top));
    PutWord(out, uint32_t(frame.width));
    PutWord(out, uint32_t(frame.height));
    uint8_t flags = frame.interlaced ? 0x40 : 0;
    if (!frame.localMap.empty())
        flags |= 0x80 | (MapBits(frame.localMap.size()) - 1);
    out.append(char(flags));
    if (!frame.localMap.empty())
        PutMap(out, frame.localMap);
    out.append(char(8));

    std::vector<int> codes {256};
    for (std::size_t i = 0; i < frame.indexes.size(); ++i) {
        if (i > 0 && i % 100 == 0)
            codes.push_back(256);
        codes.push_back(frame.indexes[i]);
    }
    codes.push_back(257);
    QByteArray data;
    uint32_t bits = 0;
    int count = 0;
    for (int code : codes) {
        bits |= uint32_t(code) << count;
        count += 9;
        while (count >= 8) {
            data.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0)
        data.append(char(bits & 0xFF));
    for (qsizetype i = 0; i < data.size(); i += 255) {
        const qsizetype n = std::min<qsizetype>(255, data.size() - i);
        out.append(char(n));
        out.append(data.mid(i, n));
    }
    out.append('\0');
    out.append(char(0x3B));
    return out;
}

} // namespace imgfile
