#include "WebPane.h"

#include "AddressUse.h"

#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <utility>

namespace {

// The engine drops a navigation to a longer address (its encoded form)
// without a word: no load starts and the old page stays.
constexpr qsizetype kLongestAddress = 2 * 1024 * 1024;

QString TooLongPage(qsizetype length) {
    return QStringLiteral("<title>无法打开此网页</title><body style=\"background:#fff;color:#000\">"
                          "<h3>无法打开此网页</h3><p>网址长度为 %1 个字符，超过了浏览器能打开的 "
                          "%2 个字符。</p></body>")
        .arg(length)
        .arg(kLongestAddress);
}

} // namespace

WebPane::WebPane(QWebEngineProfile& profile, QWidget* parent)
    : BrowserPane(parent)
    , view_(new QWebEngineView(&profile, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    connect(view_->page(), &QWebEnginePage::loadingChanged, this, &WebPane::OnLoadingChanged);
}

// The address is taken as written: no guessing of a scheme and no web search,
// only the tolerant repairs (spaces, stray percent signs) QUrl makes.
void WebPane::Navigate(const QString& address) {
    const QUrl url(address, QUrl::TolerantMode);
    const qsizetype length = url.toEncoded().size();
    if (length > kLongestAddress) {
        fileToOffer_ = QUrl();
        view_->setHtml(TooLongPage(length));
        return;
    }
    const AddressUse use = UseOf(url);
    fileToOffer_ = use == AddressUse::Download ? url : QUrl();
    view_->load(use == AddressUse::Blank ? QUrl(QStringLiteral("about:blank")) : url);
}

// A file the engine would show as text is loaded first, so that a wrong
// address shows the server's answer or the engine's error page like any
// other; once it has loaded, it is offered through the save dialog and a
// download window like any file the engine does not show.
void WebPane::OnLoadingChanged(const QWebEngineLoadingInfo& info) {
    // The engine reports one end for a load and for any load it cut short, so
    // the first end after Navigate is the answer to that address.
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus || fileToOffer_.isEmpty()) {
        return;
    }
    const QUrl file = std::exchange(fileToOffer_, QUrl());
    // Stopped: the engine took it as a download of its own already.
    if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus) {
        view_->page()->download(file);
    }
}
