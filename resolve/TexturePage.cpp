#include "TexturePage.h"

#include <QUrl>

namespace {

QString Image(const QString& name, const QSize& size, const QString& alt, const QString& kind) {
    const QString sized =
        size.isEmpty()
            ? QString()
            : QStringLiteral(" width=\"%1\" height=\"%2\"").arg(size.width()).arg(size.height());
    return QStringLiteral("<img class=\"%1\" src=\"%2\"%3 alt=\"%4\">")
        .arg(kind, QString::fromLatin1(QUrl::toPercentEncoding(name)), sized, alt.toHtmlEscaped());
}

} // namespace

QString TexturePage(const TexturePageParts& parts) {
    const bool drawn = !parts.drawing.isEmpty();
    QString body;
    if (drawn) {
        body += Image(parts.drawing, parts.drawingSize, QStringLiteral("正面和背面"),
                      QStringLiteral("drawing"));
    }
    body += Image(parts.texture, parts.textureSize, parts.title, QStringLiteral("texture"));
    // Side by side in the middle; a texture shown as it is sits in the middle
    // too, and scrolls from its corner when it is larger than the pane.
    const QString layout =
        drawn ? QStringLiteral("body { justify-content: center; align-items: center; gap: %1px; "
                               "overflow: hidden; }")
                    .arg(parts.gap)
              : QStringLiteral("body { overflow: auto; } img { margin: auto; }");
    // Images by nearest neighbour, so no pixel is blurred.
    return QStringLiteral(
               "<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
               "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
               "img-src 'self'; style-src 'unsafe-inline'\">"
               "<title>%1</title><style>"
               "html, body { margin: 0; height: 100%; background: #303030; }"
               "body { display: flex; }"
               "img { display: block; flex: none; image-rendering: pixelated; }"
               // The texture's empty parts are set off from the page.
               ".texture { background: #484848; }"
               "%2</style></head><body>%3</body></html>")
        .arg(parts.title.toHtmlEscaped(), layout, body);
}
