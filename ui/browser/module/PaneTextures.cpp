#include "PaneTextures.h"

#include "TextureShow.h"
#include "ToolkitPages.h"

PaneTextures::PaneTextures(ToolkitPages& pages)
    : pages_(pages) {}

PaneTextures::~PaneTextures() {
    Withdraw();
}

QUrl PaneTextures::Publish(const TextureShow& show) {
    Withdraw();
    page_ = pages_.Publish(show.files);
    shown_.file = page_;
    shown_.file.setPath(show.texturePath, QUrl::DecodedMode);
    shown_.expected.fileName = show.fileName;
    return page_;
}

void PaneTextures::Withdraw() {
    if (!page_.isEmpty()) {
        pages_.Withdraw(page_);
    }
    page_.clear();
    shown_ = {};
}

std::optional<PaneTextures::Saved> PaneTextures::SavedFrom(const QUrl& page) const {
    // Each page is a host of its own.
    if (page_.isEmpty() || page.scheme() != page_.scheme() || page.host() != page_.host()) {
        return std::nullopt;
    }
    return shown_;
}
