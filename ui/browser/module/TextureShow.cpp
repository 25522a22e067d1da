#include "TextureShow.h"

#include "FoundTexture.h"
#include "SaveName.h"
#include "SkinTexture.h"
#include "TexturePage.h"
#include "WornView.h"

#include <QBuffer>

namespace {

// Images the engine shows, by Qt's name of their format, with the suffix a
// file of theirs takes. Anything else (SVG among them) is not shown.
struct Shown {
    const char* format;
    const char* mimeType;
    const char* suffix;
};
constexpr Shown kShown[] = {
    {"png", "image/png", "png"}, {"jpeg", "image/jpeg", "jpg"},  {"gif", "image/gif", "gif"},
    {"bmp", "image/bmp", "bmp"}, {"webp", "image/webp", "webp"},
};

// Larger than any texture and more than the engine should decode for one.
constexpr int kLargestShownSide = 4096;

const QString kDrawing = QStringLiteral("worn");

QByteArray Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

std::optional<TextureShow> ShowOf(const FoundTexture& texture, qreal devicePixelRatio,
                                  ResolutionFailure* failure) {
    const Failure notShown = texture.cape ? Failure::CapeNotShown : Failure::SkinNotShown;
    const QString host = texture.address.authority();
    const ImageHeader header = ReadImageHeader(texture.bytes);
    const Shown* shown = nullptr;
    for (const Shown& candidate : kShown) {
        if (header.format == candidate.format) {
            shown = &candidate;
        }
    }
    if (shown == nullptr) {
        *failure =
            Explain(notShown, texture.player,
                    Because(Reason::NotAnImage, host, QString::number(texture.bytes.size())));
        return std::nullopt;
    }
    if (header.file.isEmpty() || header.size.width() > kLargestShownSide ||
        header.size.height() > kLargestShownSide) {
        *failure = Explain(
            notShown, texture.player,
            Because(Reason::ImageTooLarge, host,
                    QStringLiteral("%1×%2").arg(header.size.width()).arg(header.size.height())));
        return std::nullopt;
    }

    TextureShow show;
    // Named as the save dialog will offer it, so the page's address and the
    // file agree.
    show.fileName = PlainFileName(TextureFileName(texture, QString::fromLatin1(shown->suffix)));
    show.texturePath = QLatin1Char('/') + show.fileName;
    // Only what was read is shown and saved: a PNG without its text chunks.
    show.files.insert(show.texturePath, {shown->mimeType, header.file});
    TexturePageParts page;
    page.title = show.fileName;
    page.texture = show.fileName;
    const auto view =
        DrawWornView(header.file, texture.cape ? TextureKind::Cape : TextureKind::Skin,
                     texture.slim ? SkinModel::Slim : SkinModel::Classic, devicePixelRatio);
    if (view) {
        show.files.insert(QLatin1Char('/') + kDrawing, {"image/png", Png(view->drawing)});
        page.drawing = kDrawing;
        page.drawingSize = view->drawingSize;
        page.textureSize = view->textureSize;
        page.gap = kTextureGap;
    }
    show.files.insert(QStringLiteral("/"), {"text/html", TexturePage(page).toUtf8()});
    return show;
}
