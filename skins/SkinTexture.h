#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <optional>

enum class TextureKind { Skin, Cape };
// Arms 4 pixels wide (classic) or 3 (slim).
enum class SkinModel { Classic, Slim };

// A texture in one of the layouts players' textures come in, `scale` of its
// pixels to each pixel of the layout: 1, or more for an HD texture.
struct SkinTexture {
    // Not premultiplied. A skin is in the 64x64 layout, an old 64x32 one
    // brought to it as the game does: the left limbs mirrored from the
    // right ones, the base layer opaque, a hat layer with no transparent
    // pixel at all dropped.
    QImage image;
    int scale = 1;
    // The file's layout, in its own pixels: 64x64 or 64x32 (a skin), 64x32
    // or 22x17 (a cape).
    QSize layout;
    // An old 64x32 skin: no slim arms and no overlays but the hat.
    bool legacy = false;
};

// The largest HD scale read: 1024 pixels wide.
inline constexpr int kLargestTextureScale = 16;

// `file` read as a texture of `kind`: a PNG of 64x64 or 64x32 (a skin), 64x32
// or 22x17 (a cape), or a whole multiple of one of those up to
// kLargestTextureScale. Nothing for anything else; only the PNG's chunks of
// its pixels reach Qt, once its size is known to be one of those.
std::optional<SkinTexture> ReadSkinTexture(const QByteArray& file, TextureKind kind);

// What a file is as an image, from its header alone: its format as Qt names
// it ("png", "jpeg", ...) as its first bytes tell, and its size. No format
// when it is no image the pane shows (a PNG whose chunks are refused among
// them).
struct ImageHeader {
    QByteArray format;
    QSize size;
    // What may be shown: a PNG cut down to its pixels' chunks (see
    // PixelsOfPng), any other image as it came; empty for a PNG too large
    // to be a texture.
    QByteArray file;
};
ImageHeader ReadImageHeader(const QByteArray& file);
