#pragma once

#include "BrowserPane.h"
#include "DownloadExpectation.h"
#include "LegacyEndpoints.h"

#include <QUrl>

#include <memory>
#include <optional>

class EngineSession;
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
    void OnFileFound(const QUrl& file, bool showFirst, const DownloadExpectation& expected);
    void OnResolutionFailed(const QString& heading, const QString& detail);
    void OnTextureFound(const FoundTexture& texture);
    // The texture shown is offered, whichever way the page was saved.
    void OnSaveWanted();
    void WithdrawTexture();
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
    // The toolbox's page of the texture shown, the texture's own address
    // there, and its name as a file.
    struct ShownTexture {
        QUrl page;
        QUrl file;
        QString fileName;
    };
    std::optional<ShownTexture> texture_;
    // Counts the addresses navigated to, so a late word about an older one
    // is known.
    quint64 navigations_ = 0;
};
