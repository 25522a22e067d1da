#pragma once

#include <QByteArray>

// What a texture server's bytes are as an image, told from the bytes
// themselves before any image plugin sees them.

// The formats a texture may be shown in, by their first bytes; None for
// anything else (SVG, TIFF, ICO, a page).
enum class ImageFormat { None, Png, Jpeg, Gif, Bmp, Webp };
ImageFormat FormatOf(const QByteArray& file);

// A PNG cut down to its pixels: the signature, IHDR, the palette and the
// small colour chunks (PLTE, tRNS, gAMA, cHRM, sRGB, sBIT), the IDATs and
// IEND. Text, ICC profiles and every other ancillary chunk are dropped
// unread; anything malformed, an unknown critical chunk, a side past
// `largestSide` or more IDAT than the image's rows can need refuses it all.
struct PngPixels {
    enum class Verdict { Kept, Malformed, TooLarge, TooMuchData };
    Verdict verdict = Verdict::Malformed;
    // Only when Kept.
    QByteArray file;
    // From IHDR, once read (TooLarge tells them too).
    quint32 width = 0;
    quint32 height = 0;
};
PngPixels PixelsOfPng(const QByteArray& file, quint32 largestSide);
