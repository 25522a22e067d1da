#include "WebPane.h"

#include "AddressUse.h"

#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
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
    const QUrl url(address, QUrl::TolerantMode);
    switch (UseOf(url)) {
    case AddressUse::Show:
        view_->load(url);
        break;
    case AddressUse::Download:
        // Offered through the save dialog and a download window, like any
        // file the engine does not show; the page shown stays.
        view_->page()->download(url);
        break;
    case AddressUse::Blank:
        view_->load(QUrl(QStringLiteral("about:blank")));
        break;
    }
}
