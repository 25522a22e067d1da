#include "SkinTexture.h"

#include "ImageBytes.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include <array>
#include <tuple>
#include <utility>

namespace {

// Past this, a PNG is no texture and more than the pane shows.
constexpr quint32 kLargestPngSide = 64 * kLargestTextureScale;

// Qt's image plugin for a format, by the name Qt gives it.
const char* QtName(ImageFormat format) {
    switch (format) {
    case ImageFormat::Png:
        return "png";
    case ImageFormat::Jpeg:
        return "jpeg";
    case ImageFormat::Gif:
        return "gif";
    case ImageFormat::Bmp:
        return "bmp";
    case ImageFormat::Webp:
        return "webp";
    case ImageFormat::None:
        break;
    }
    return nullptr;
}

// The layouts of each kind, in their own pixels.
constexpr std::array<QSize, 2> kSkinLayouts{QSize(64, 64), QSize(64, 32)};
constexpr std::array<QSize, 2> kCapeLayouts{QSize(64, 32), QSize(22, 17)};

// A rectangle of the layout, in the texture's own pixels.
QRect Scaled(const QRect& rect, int scale) {
    return {rect.topLeft() * scale, rect.size() * scale};
}

// The left limbs' front and back of an old skin are its right limbs'
// mirrored, and the game copies them into the places the 64x64 layout has
// for them: {from, to}.
constexpr std::array<std::pair<QRect, QPoint>, 4> kMirroredLimbs{{
    {QRect(4, 20, 4, 12), QPoint(20, 52)},  // leg, front
    {QRect(12, 20, 4, 12), QPoint(28, 52)}, // leg, back
    {QRect(44, 20, 4, 12), QPoint(36, 52)}, // arm, front
    {QRect(52, 20, 4, 12), QPoint(44, 52)}, // arm, back
}};

QImage ToModernLayout(const QImage& old, int scale) {
    QImage modern(64 * scale, 64 * scale, QImage::Format_ARGB32);
    modern.fill(Qt::transparent);
    QPainter painter(&modern);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, old);
    for (const auto& [from, to] : kMirroredLimbs) {
        painter.drawImage(to * scale, old.copy(Scaled(from, scale)).mirrored(true, false));
    }
    return modern;
}

// The game draws the base layer opaque, whatever the file's alpha says.
void MakeBaseOpaque(QImage& image, int scale) {
    for (const QRect& base : {QRect(0, 0, 32, 16), QRect(0, 16, 64, 16), QRect(16, 48, 32, 16)}) {
        const QRect rect = Scaled(base, scale);
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = rect.left(); x <= rect.right(); ++x) {
                line[x] |= 0xff000000u;
            }
        }
    }
}

// Old skins often filled the hat layer with one opaque colour; the game takes
// a hat layer with no transparent pixel for no hat at all.
void DropSolidHat(QImage& image, int scale) {
    const QRect hat = Scaled(QRect(32, 0, 32, 16), scale);
    for (int y = hat.top(); y <= hat.bottom(); ++y) {
        for (int x = hat.left(); x <= hat.right(); ++x) {
            if (qAlpha(image.pixel(x, y)) < 128) {
                return;
            }
        }
    }
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(hat, Qt::transparent);
}

// The layout `size` is of, and its scale; nothing when none.
std::optional<std::pair<QSize, int>> LayoutOf(const QSize& size, TextureKind kind) {
    for (const QSize& layout : kind == TextureKind::Skin ? kSkinLayouts : kCapeLayouts) {
        const int scale = size.width() / layout.width();
        if (scale >= 1 && scale <= kLargestTextureScale && size == layout * scale) {
            return std::pair{layout, scale};
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<SkinTexture> ReadSkinTexture(const QByteArray& file, TextureKind kind) {
    // Qt's PNG reader reads every text chunk before it tells the size, so
    // it is given only the chunks of the pixels.
    const PngPixels png = PixelsOfPng(file, kLargestPngSide);
    const auto layout = LayoutOf(QSize(int(png.width), int(png.height)), kind);
    if (png.verdict != PngPixels::Verdict::Kept || !layout) {
        return std::nullopt;
    }
    QBuffer buffer;
    buffer.setData(png.file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    reader.setAutoDetectImageFormat(false);
    const QSize size = layout->first * layout->second;
    QImage image;
    if (reader.size() != size || !reader.read(&image) || image.size() != size) {
        return std::nullopt;
    }
    SkinTexture texture;
    texture.image = image.convertToFormat(QImage::Format_ARGB32);
    std::tie(texture.layout, texture.scale) = *layout;
    if (kind == TextureKind::Skin) {
        texture.legacy = texture.layout.height() == 32;
        if (texture.legacy) {
            texture.image = ToModernLayout(texture.image, texture.scale);
            DropSolidHat(texture.image, texture.scale);
        }
        MakeBaseOpaque(texture.image, texture.scale);
    }
    return texture;
}

ImageHeader ReadImageHeader(const QByteArray& file) {
    const ImageFormat format = FormatOf(file);
    if (format == ImageFormat::Png) {
        PngPixels png = PixelsOfPng(file, kLargestPngSide);
        if (png.verdict != PngPixels::Verdict::Kept &&
            png.verdict != PngPixels::Verdict::TooLarge) {
            return {};
        }
        return {"png", QSize(int(png.width), int(png.height)), std::move(png.file)};
    }
    if (format == ImageFormat::None) {
        return {};
    }
    // Only the plugin of the format the bytes begin as, never one that
    // guesses from them (SVG, TIFF and the like, where installed).
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, QtName(format));
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (!size.isValid()) {
        return {};
    }
    return {QtName(format), size, file};
}
