#include "WornView.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// CSS pixels to each pixel of the layout in the drawing: a figure is 32
// layout pixels tall and a cape 16, and the pane is 65 high.
constexpr int kSkinUnit = 2;
constexpr int kCapeUnit = 4;
constexpr QSize kFigure{16, 32};
constexpr QRect kCapeOuterFace{1, 1, 10, 16};

// One part of a figure: its face on the base layer and on the overlay, both
// in the 64x64 layout, and where it goes in the figure.
struct Part {
    QRect base;
    QRect overlay;
    QPoint at;
};

// Seen from the front, the player's right arm and leg are on the left.
std::array<Part, 6> Front(int arm) {
    return {{
        {{8, 8, 8, 8}, {40, 8, 8, 8}, {4, 0}},                // head, hat
        {{20, 20, 8, 12}, {20, 36, 8, 12}, {4, 8}},           // body, jacket
        {{44, 20, arm, 12}, {44, 36, arm, 12}, {4 - arm, 8}}, // right arm
        {{36, 52, arm, 12}, {52, 52, arm, 12}, {12, 8}},      // left arm
        {{4, 20, 4, 12}, {4, 36, 4, 12}, {4, 20}},            // right leg, trousers
        {{20, 52, 4, 12}, {4, 52, 4, 12}, {8, 20}},           // left leg
    }};
}

// Seen from behind, the left arm and leg are on the left. A back face is laid
// out in the texture as it is seen from behind, so it is not mirrored.
std::array<Part, 6> Back(int arm) {
    return {{
        {{24, 8, 8, 8}, {56, 8, 8, 8}, {4, 0}},
        {{32, 20, 8, 12}, {32, 36, 8, 12}, {4, 8}},
        {{40 + arm, 52, arm, 12}, {56 + arm, 52, arm, 12}, {4 - arm, 8}}, // left arm
        {{48 + arm, 20, arm, 12}, {48 + arm, 36, arm, 12}, {12, 8}},      // right arm
        {{28, 52, 4, 12}, {12, 52, 4, 12}, {4, 20}},                      // left leg
        {{12, 20, 4, 12}, {12, 36, 4, 12}, {8, 20}},                      // right leg
    }};
}

// Draws the face `face` of `texture` at `at`, both in layout pixels, with
// `pixels` device pixels to each layout pixel: nearest neighbour, so an HD
// texture is never blurred.
void DrawFace(QPainter& painter, const SkinTexture& texture, const QRect& face, const QPoint& at,
              int pixels) {
    const QRect source(face.topLeft() * texture.scale, face.size() * texture.scale);
    painter.drawImage(at * pixels,
                      texture.image.copy(source).scaled(face.size() * pixels, Qt::IgnoreAspectRatio,
                                                        Qt::FastTransformation));
}

// The overlays over the base. An old skin's overlays but the hat lie where
// its file had nothing, and are transparent.
void DrawFigure(QPainter& painter, const SkinTexture& texture, const std::array<Part, 6>& parts,
                const QPoint& origin, int pixels) {
    for (const Part& part : parts) {
        DrawFace(painter, texture, part.base, origin + part.at, pixels);
    }
    for (const Part& part : parts) {
        DrawFace(painter, texture, part.overlay, origin + part.at, pixels);
    }
}

// The largest whole multiple of `layout` that fits `room`, or the layout's
// own size when none does.
QSize Fitted(const QSize& layout, const QSize& room) {
    const int times =
        std::max(1, std::min(room.width() / layout.width(), room.height() / layout.height()));
    return layout * times;
}

} // namespace

std::optional<WornView> DrawWornView(const QByteArray& file, TextureKind kind, SkinModel model,
                                     qreal devicePixelRatio) {
    const std::optional<SkinTexture> texture = ReadSkinTexture(file, kind);
    if (!texture) {
        return std::nullopt;
    }
    const bool cape = kind == TextureKind::Cape;
    const int unit = cape ? kCapeUnit : kSkinUnit;
    const int pixels = std::max(1, static_cast<int>(std::lround(unit * devicePixelRatio)));
    // The gap between front and back, in layout pixels, rounded up.
    const int gap = (kFrontBackGap + unit - 1) / unit;
    const QSize layoutSize = cape ? kCapeOuterFace.size() : QSize(2 * kFigure.width() + gap, 32);

    WornView view;
    view.drawing = QImage(layoutSize * pixels, QImage::Format_ARGB32_Premultiplied);
    view.drawing.fill(Qt::transparent);
    QPainter painter(&view.drawing);
    if (cape) {
        DrawFace(painter, *texture, kCapeOuterFace, {0, 0}, pixels);
    } else {
        const int arm = model == SkinModel::Slim && !texture->legacy ? 3 : 4;
        DrawFigure(painter, *texture, Front(arm), {0, 0}, pixels);
        DrawFigure(painter, *texture, Back(arm), {kFigure.width() + gap, 0}, pixels);
    }
    painter.end();
    view.drawingSize = layoutSize * unit;
    const QSize room(kPaneSize.width() - view.drawingSize.width() - kTextureGap,
                     kPaneSize.height());
    view.textureSize = Fitted(texture->layout, room);
    return view;
}
