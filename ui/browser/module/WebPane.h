#pragma once

#include "BrowserPane.h"

class QWebEngineProfile;
class QWebEngineView;

// A browser pane that is one web view. Images, error pages and the right-click
// menu are the engine's own.
class WebPane final : public BrowserPane {
public:
    WebPane(QWebEngineProfile& profile, QWidget* parent);

    void Navigate(const QString& address) override;

private:
    QWebEngineView* view_;
};
