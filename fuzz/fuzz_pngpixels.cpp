// A texture's PNG cut down to its pixels, on any bytes: what it keeps is
// no larger than what came, begins with the PNG signature, holds only the
// chunks of the pixels and their colours, in whole chunks, with the IHDR's
// size within the bound; it keeps the same again when given what it kept;
// and what it refuses hands nothing on.
//
// Input: the file as it came.
#include "FuzzCheck.h"
#include "ImageBytes.h"

#include <QByteArrayList>
#include <QtEndian>

#include <cstdint>

namespace {

constexpr quint32 kLargestSide = 1024;

bool OnlyPixelChunks(const QByteArray& png) {
    static const QByteArrayList kAllowed{"IHDR", "PLTE", "IDAT", "IEND", "tRNS",
                                         "gAMA", "cHRM", "sRGB", "sBIT"};
    qint64 at = 8;
    QByteArray last;
    while (at + 12 <= png.size()) {
        const quint32 length = qFromBigEndian<quint32>(png.constData() + at);
        last = png.mid(at + 4, 4);
        if (!kAllowed.contains(last)) {
            return false;
        }
        at += 12 + qint64(length);
    }
    return at == png.size() && last == "IEND";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const PngPixels read = PixelsOfPng(file, kLargestSide);
    switch (read.verdict) {
    case PngPixels::Verdict::Kept: {
        FUZZ_CHECK(read.file.size() <= file.size());
        FUZZ_CHECK(read.file.startsWith("\x89PNG\r\n\x1a\n"));
        FUZZ_CHECK(read.width >= 1 && read.width <= kLargestSide);
        FUZZ_CHECK(read.height >= 1 && read.height <= kLargestSide);
        FUZZ_CHECK(OnlyPixelChunks(read.file));
        const PngPixels again = PixelsOfPng(read.file, kLargestSide);
        FUZZ_CHECK(again.verdict == PngPixels::Verdict::Kept && again.file == read.file);
        FUZZ_CHECK(FormatOf(read.file) == ImageFormat::Png);
        break;
    }
    case PngPixels::Verdict::TooLarge:
        FUZZ_CHECK(read.width > kLargestSide || read.height > kLargestSide);
        FUZZ_CHECK(read.file.isEmpty());
        break;
    case PngPixels::Verdict::Malformed:
    case PngPixels::Verdict::TooMuchData:
        FUZZ_CHECK(read.file.isEmpty());
        break;
    }
    return 0;
}
