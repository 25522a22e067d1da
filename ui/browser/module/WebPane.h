#pragma once

#include "BrowserPane.h"
#include "DownloadExpectation.h"
#include "LegacyEndpoints.h"

#include <QUrl>

class DownloadStarter;
class LegacyResolver;
class QWebEngineLoadingInfo;
class QWebEngineProfile;
class QWebEngineView;

// A browser pane that is one web view. Images, error pages and the right-click
// menu are the engine's own. Addresses on the old official servers are
// resolved to where their files live today.
class WebPane final : public BrowserPane {
public:
    WebPane(QWebEngineProfile& profile, DownloadStarter& downloads, QWidget* parent);
    ~WebPane() override;

    void Navigate(const QString& address) override;

private:
    void OnLoadingChanged(const QWebEngineLoadingInfo& info);
    void OnFileFound(const QUrl& file, bool showFirst, const DownloadExpectation& expected);
    void OnResolutionFailed(const QString& heading, const QString& detail);
    void Offer(const QUrl& file, DownloadExpectation expected);

    QWebEngineView* view_;
    DownloadStarter& downloads_;
    LegacyEndpoints endpoints_;
    LegacyResolver* resolver_;
    // A file the user asked for, to offer for download once its address has
    // loaded; if it does not load, the pane shows why instead. Empty when
    // there is none.
    QUrl fileToOffer_;
    DownloadExpectation expectationToOffer_;
    // What the pane is looking up for an old address, in words.
    QString lookingFor_;
};
