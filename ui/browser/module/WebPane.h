#pragma once

#include "BrowserPane.h"

#include <QUrl>

class QWebEngineLoadingInfo;
class QWebEngineProfile;
class QWebEngineView;

// A browser pane that is one web view. Images, error pages and the right-click
// menu are the engine's own.
class WebPane final : public BrowserPane {
public:
    WebPane(QWebEngineProfile& profile, QWidget* parent);

    void Navigate(const QString& address) override;

private:
    void OnLoadingChanged(const QWebEngineLoadingInfo& info);

    QWebEngineView* view_;
    // A file the user asked for, to offer for download once its address has
    // loaded; if it does not load, the pane shows why instead. Empty when
    // there is none.
    QUrl fileToOffer_;
};
