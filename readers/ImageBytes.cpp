#include "ImageBytes.h"

#include <QtEndian>

#include <algorithm>
#include <array>

namespace {

const QByteArray kPngSignature = QByteArrayLiteral("\x89PNG\r\n\x1a\n");

// The ancillary chunks that only say how the pixels' colours are meant, each
// small, with the most it may hold; all must come before the pixels.
struct ColourChunk {
    const char* type;
    qint64 longest;
};
constexpr std::array<ColourChunk, 5> kColourChunks{
    {{"tRNS", 256}, {"gAMA", 4}, {"cHRM", 32}, {"sRGB", 1}, {"sBIT", 4}}};

// Channels per pixel by colour type, and the bit depths it allows; none for
// a type that does not exist.
struct ColourType {
    int channels;
    std::array<int, 5> depths;
};
const ColourType* ColourTypeOf(int type) {
    static constexpr std::array<ColourType, 7> kTypes{{{1, {1, 2, 4, 8, 16}},
                                                       {0, {}},
                                                       {3, {8, 16}},
                                                       {1, {1, 2, 4, 8}},
                                                       {2, {8, 16}},
                                                       {0, {}},
                                                       {4, {8, 16}}}};
    return type >= 0 && type < int(kTypes.size()) && kTypes[type].channels > 0 ? &kTypes[type]
                                                                               : nullptr;
}

// The most compressed pixel data an image of this header can need: every row
// with its filter byte (Adam7's passes add rows), stored without compression
// in the smallest blocks encoders use, with zlib's header and checksum.
qint64 LargestPixelData(quint32 width, quint32 height, int bitsPerPixel, bool interlaced) {
    qint64 raw = qint64(height) * ((qint64(width) * bitsPerPixel + 7) / 8 + 1);
    if (interlaced) {
        raw += 4 * qint64(height) + 16;
    }
    return raw + 5 * (raw / 16383 + 1) + 64;
}

} // namespace

ImageFormat FormatOf(const QByteArray& file) {
    if (file.startsWith(kPngSignature)) {
        return ImageFormat::Png;
    }
    if (file.startsWith("\xff\xd8\xff")) {
        return ImageFormat::Jpeg;
    }
    if (file.startsWith("GIF87a") || file.startsWith("GIF89a")) {
        return ImageFormat::Gif;
    }
    if (file.startsWith("BM") && file.size() >= 26) {
        return ImageFormat::Bmp;
    }
    if (file.startsWith("RIFF") && file.mid(8, 4) == "WEBP") {
        return ImageFormat::Webp;
    }
    return ImageFormat::None;
}

PngPixels PixelsOfPng(const QByteArray& file, quint32 largestSide) {
    PngPixels result;
    if (!file.startsWith(kPngSignature)) {
        return result;
    }
    QByteArray kept = kPngSignature;
    qint64 pixelData = 0;
    qint64 largestPixelData = -1;
    bool pixelsEnded = false; // a chunk came after the IDATs
    qint64 at = kPngSignature.size();
    for (;;) {
        if (file.size() - at < 12) {
            return result;
        }
        const auto* head = reinterpret_cast<const uchar*>(file.constData() + at);
        const quint32 length = qFromBigEndian<quint32>(head);
        const QByteArray type = file.mid(at + 4, 4);
        if (length > 0x7fffffffu || file.size() - at - 12 < qint64(length)) {
            return result;
        }
        for (const char c : type) {
            if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) {
                return result;
            }
        }
        const QByteArray chunk = file.mid(at, 12 + qint64(length));
        const uchar* data = head + 8;
        at += 12 + qint64(length);
        if (largestPixelData < 0) {
            // IHDR, first and only first.
            if (type != "IHDR" || length != 13) {
                return result;
            }
            result.width = qFromBigEndian<quint32>(data);
            result.height = qFromBigEndian<quint32>(data + 4);
            const int depth = data[8];
            const ColourType* colour = ColourTypeOf(data[9]);
            if (colour == nullptr || depth == 0 ||
                std::find(colour->depths.cbegin(), colour->depths.cend(), depth) ==
                    colour->depths.cend() ||
                result.width == 0 || result.height == 0 || data[10] != 0 || data[11] != 0 ||
                data[12] > 1) {
                return result;
            }
            if (result.width > largestSide || result.height > largestSide) {
                result.verdict = PngPixels::Verdict::TooLarge;
                return result;
            }
            largestPixelData = LargestPixelData(result.width, result.height,
                                                colour->channels * depth, data[12] == 1);
            kept += chunk;
            continue;
        }
        if (type == "IEND") {
            if (length != 0 || pixelData == 0) {
                return result;
            }
            result.verdict = PngPixels::Verdict::Kept;
            result.file = kept + chunk;
            return result;
        }
        if (type == "IDAT") {
            if (pixelsEnded) {
                return result;
            }
            pixelData += length;
            if (pixelData > largestPixelData) {
                result.verdict = PngPixels::Verdict::TooMuchData;
                return result;
            }
            kept += chunk;
            continue;
        }
        pixelsEnded = pixelData > 0;
        if (type == "PLTE") {
            if (pixelsEnded || length == 0 || length % 3 != 0 || length > 768) {
                return result;
            }
            kept += chunk;
            continue;
        }
        // Any other critical chunk is one no decoder here knows.
        if (type.at(0) >= 'A' && type.at(0) <= 'Z') {
            return result;
        }
        for (const ColourChunk& colour : kColourChunks) {
            if (type == colour.type && !pixelsEnded && length <= colour.longest) {
                kept += chunk;
            }
        }
    }
}
