#pragma once

#include "DownloadExpectation.h"

#include <QString>
#include <QUrl>

#include <optional>

class ToolkitPages;
struct TextureShow;

// The skin or cape a pane shows on a page of the toolbox's own. Each page
// remembers its own texture: a save from a page the history brings back, or
// from its error page once withdrawn, never offers another player's.
class PaneTextures final {
public:
    explicit PaneTextures(ToolkitPages& pages);
    ~PaneTextures();
    PaneTextures(const PaneTextures&) = delete;
    PaneTextures& operator=(const PaneTextures&) = delete;

    // Serves `show` at a page of its own, withdrawing the last; returns the
    // page's address.
    QUrl Publish(const TextureShow& show);
    // Serves nothing more.
    void Withdraw();

    struct Saved {
        // The texture's own address on its page, and its name as a file.
        QUrl file;
        DownloadExpectation expected;
    };
    // What a save from the page at `page` offers: its own texture while it
    // is served, else nothing.
    std::optional<Saved> SavedFrom(const QUrl& page) const;

private:
    ToolkitPages& pages_;
    QUrl page_;
    Saved shown_;
};
