#include "WebPane.h"

#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

WebPane::WebPane(QWebEngineProfile& profile, QWidget* parent)
    : BrowserPane(parent)
    , view_(new QWebEngineView(&profile, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
}

// The address is taken as written: no guessing of a scheme and no web search,
// only the tolerant repairs (spaces, stray percent signs) QUrl makes.
void WebPane::Navigate(const QString& address) {
    view_->load(QUrl(address, QUrl::TolerantMode));
}
