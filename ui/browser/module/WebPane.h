#pragma once

#include "BrowserPane.h"
#include "DownloadExpectation.h"
#include "LegacyEndpoints.h"
#include "PaneTextures.h"

#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

class EngineSession;
class PaneHistory;
struct FoundTexture;
class QWebEngineLoadingInfo;
class QWebEngineView;
class ResolutionFlow;

// A browser pane that is one web view. Images, error pages and the right-click
// menu are the engine's own. Addresses on the old official servers are
// resolved to where their files live today; a skin or cape found so is shown
// on a page of the toolbox's own, and saved from it as the file it is.
class WebPane final : public BrowserPane {
public:
    WebPane(EngineSession& session, QWidget* parent);
    ~WebPane() override;

    void Navigate(const QString& address) override;

protected:
    bool focusNextPrevChild(bool next) override;

private:
    // A file the user asked for, offered for download once its address has
    // loaded; if it does not load, the pane shows why instead.
    struct FileToOffer {
        QUrl file;
        DownloadExpectation expected;
    };

    void OnLoadingChanged(const QWebEngineLoadingInfo& info);
    void AfterRequest(std::function<void()> act);
    void OnFileFound(const QUrl& file, bool showFirst, const DownloadExpectation& expected);
    void OnResolutionFailed(const QString& heading, const QString& detail);
    void OnTextureFound(const FoundTexture& texture);
    // The texture of the page saved is offered, whichever way it was saved.
    void OnSaveWanted(const QUrl& page);
    // Loads a file to offer once it has loaded (see OnLoadingChanged).
    void LoadThenOffer(const FileToOffer& offer);
    void Offer(const FileToOffer& offer);
    // What the pane asked to download failed before its first byte.
    void OnOfferFailed(const QString& why);

    EngineSession& session_;
    QWebEngineView* view_;
    const LegacyEndpoints endpoints_;
    // The old address being resolved, and what it looks for in words.
    std::unique_ptr<ResolutionFlow> flow_;
    QString lookingFor_;
    std::optional<FileToOffer> loadThenOffer_;
    // The file last offered, to name in a page if it cannot be had.
    QUrl offered_;
    PaneTextures textures_;
    PaneHistory* history_;
    // Counts the addresses navigated to, so a late word about an older one
    // is known.
    quint64 navigations_ = 0;
};
