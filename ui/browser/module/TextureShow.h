#pragma once

#include "ResolutionMessages.h"
#include "ToolkitPages.h"

#include <QHash>
#include <QString>

#include <optional>

struct FoundTexture;

// How the pane shows a skin or cape it fetched: a page of the toolbox's own
// with the drawing of it worn and the texture beside it, or, for a file that
// is no texture, the image alone as it is.
struct TextureShow {
    // The page ("/"), the texture and any drawing, for ToolkitPages.
    QHash<QString, ToolkitPages::File> files;
    // The texture's path among them.
    QString texturePath;
    // The name it is offered under when saved.
    QString fileName;
};

// The show for `texture` in a pane at `devicePixelRatio`; a failure when
// what came is no image the pane can show.
std::optional<TextureShow> ShowOf(const FoundTexture& texture, qreal devicePixelRatio,
                                  ResolutionFailure* failure);
