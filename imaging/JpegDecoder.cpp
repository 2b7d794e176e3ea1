// JPEG decoding through libjpeg-turbo. libjpeg reports errors by calling a function that
// must not return; its default ends the process, so ours jumps back into runJpeg, which
// holds no C++ object of its own across the jump (everything it builds lives in the job).
#include "imaging/ImageLoaders.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

namespace kaleno {

namespace {

// libjpeg's working memory (a progressive file keeps all its coefficients, about twice the
// decoded size); past it libjpeg asks for a backing store, which this build lacks: an error.
constexpr long kJpegMemoryLimit = 512L << 20;
// Real progressive files have about ten scans; thousands of tiny ones only burn time.
constexpr int kMaxJpegScans = 500;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void failJump(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(cinfo->err)->jump, 1);
}

// Warnings: a file cut short is refused; the rest (stray bytes, small corruptions that
// libjpeg repairs) decode as libjpeg decodes them. Nothing is printed.
void onMessage(j_common_ptr cinfo, int level)
{
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
        failJump(cinfo);
}

void onProgress(j_common_ptr cinfo)
{
    if (cinfo->is_decompressor
        && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxJpegScans)
        failJump(cinfo);
}

struct JpegJob {
    QByteArrayView bytes;
    int scaleDenom = 1;
    bool headerOnly = false;
    QSize size;
    std::optional<TDibPlus> image;
};

uint8_t inkProduct(int a, int b) { return static_cast<uint8_t>((a * b + 127) / 255); }

// Returns whether the job succeeded. After a jump the libjpeg objects are destroyed and
// the caller drops whatever the job holds.
bool runJpeg(JpegJob &job)
{
    jpeg_decompress_struct cinfo {};
    ErrorManager err;
    jpeg_progress_mgr progress;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = failJump;
    err.pub.emit_message = onMessage;
    progress.progress_monitor = onProgress;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &progress;
    cinfo.mem->max_memory_to_use = kJpegMemoryLimit;
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(job.bytes.data()),
        static_cast<unsigned long>(job.bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    job.size = QSize(int(std::min<JDIMENSION>(cinfo.image_width, 1u << 30)),
        int(std::min<JDIMENSION>(cinfo.image_height, 1u << 30)));
    if (!WithinImageCap(cinfo.image_width, cinfo.image_height))
        failJump(reinterpret_cast<j_common_ptr>(&cinfo));
    if (job.headerOnly) {
        jpeg_destroy_decompress(&cinfo);
        return true;
    }

    const bool ink = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    // libjpeg-turbo writes blue, green, red: the byte order of our rows.
    cinfo.out_color_space = ink ? JCS_CMYK : JCS_EXT_BGR;
    cinfo.dct_method = JDCT_IFAST;
    cinfo.dither_mode = JDITHER_NONE;
    cinfo.quantize_colors = FALSE;
    cinfo.scale_num = 1;
    cinfo.scale_denom = static_cast<unsigned>(job.scaleDenom);
    jpeg_start_decompress(&cinfo);
    if (!WithinImageCap(cinfo.output_width, cinfo.output_height))
        failJump(reinterpret_cast<j_common_ptr>(&cinfo));
    TDibPlus &image = job.image.emplace(int(cinfo.output_width), int(cinfo.output_height));
    if (!image.HasBitmap())
        failJump(reinterpret_cast<j_common_ptr>(&cinfo));

    JSAMPARRAY inkRow = ink ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo),
                            JPOOL_IMAGE, cinfo.output_width * 4, 1)
                            : nullptr;
    // Adobe writes CMYK inverted (0 = full ink); other writers store the inks themselves.
    const bool inverted = cinfo.saw_Adobe_marker;
    while (cinfo.output_scanline < cinfo.output_height) {
        uint8_t *row = image.Row(int(cinfo.output_scanline));
        if (!ink) {
            JSAMPROW rows[1] = {row};
            jpeg_read_scanlines(&cinfo, rows, 1);
            continue;
        }
        jpeg_read_scanlines(&cinfo, inkRow, 1);
        const uint8_t *src = inkRow[0];
        for (JDIMENSION x = 0; x < cinfo.output_width; ++x, src += 4, row += 3) {
            int c = src[0], m = src[1], y = src[2], k = src[3];
            if (!inverted) {
                c = 255 - c;
                m = 255 - m;
                y = 255 - y;
                k = 255 - k;
            }
            row[0] = inkProduct(y, k);
            row[1] = inkProduct(m, k);
            row[2] = inkProduct(c, k);
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

} // namespace

std::optional<QSize> JpegSize(QByteArrayView bytes)
{
    JpegJob job;
    job.bytes = bytes;
    job.headerOnly = true;
    if (!runJpeg(job))
        return std::nullopt;
    return job.size;
}

std::optional<TDibPlus> DecodeJpeg(QByteArrayView bytes, int scaleDenom)
{
    JpegJob job;
    job.bytes = bytes;
    job.scaleDenom = (scaleDenom == 2 || scaleDenom == 4 || scaleDenom == 8) ? scaleDenom : 1;
    if (!runJpeg(job))
        return std::nullopt;
    return std::move(job.image);
}

int JpegScaleFor(QSize natural, QSize minimum)
{
    if (minimum.isEmpty() || natural.isEmpty())
        return 1;
    const QSize need = FitThumbnail(natural, minimum).size();
    for (int denom : {8, 4, 2}) {
        const int w = (natural.width() + denom - 1) / denom;
        const int h = (natural.height() + denom - 1) / denom;
        if (w >= need.width() && h >= need.height())
            return denom;
    }
    return 1;
}

} // namespace kaleno
