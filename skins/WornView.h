#pragma once

#include "SkinTexture.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <optional>

// The skin fetcher's pane, in CSS pixels.
inline constexpr QSize kPaneSize{201, 65};

// What the pane shows of a texture: the drawing of it worn, with the texture
// itself scaled to fit beside it.
struct WornView {
    // A skin's front and back side by side, the back seen from behind (the
    // left arm on the left); a cape's outer face. Transparent around them.
    // Drawn at the device pixel ratio asked for, by nearest neighbour.
    QImage drawing;
    // How large the drawing and the texture are shown, in CSS pixels: side by
    // side, with room between, they fit kPaneSize.
    QSize drawingSize;
    QSize textureSize;
};

// Gaps in the pane, in CSS pixels: between front and back, and between the
// drawing and the texture.
inline constexpr int kFrontBackGap = 6;
inline constexpr int kTextureGap = 8;

// The view of `file` as a texture of `kind` on `model`, for a pane at
// `devicePixelRatio`; nothing when `file` is no such texture (the caller
// shows the file as it is).
std::optional<WornView> DrawWornView(const QByteArray& file, TextureKind kind, SkinModel model,
                                     qreal devicePixelRatio);
