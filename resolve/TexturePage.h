#pragma once

#include <QSize>
#include <QString>

// The pane's own page for a skin or cape: the drawing of it worn and the
// texture beside it, both images of the page's own address, and nothing the
// page may run or fetch besides.
struct TexturePageParts {
    // Plain text; escaped.
    QString title;
    // The images' names under the page's address, each a plain file name;
    // no drawing when `drawing` is empty.
    QString texture;
    QString drawing;
    // How large each is shown, in CSS pixels; a texture with no size is
    // shown as it is, at its own.
    QSize textureSize;
    QSize drawingSize;
    // Between the drawing and the texture, in CSS pixels.
    int gap = 0;
};

QString TexturePage(const TexturePageParts& parts);
