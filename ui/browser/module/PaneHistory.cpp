#include "PaneHistory.h"

#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

const QByteArray kWaitMark = QByteArrayLiteral("<!--creeper-toolkit-wait:");

// The number a wait page was marked with; 0 for any other page. The pane's
// own pages are data: addresses, which no page from the network can open.
quint64 WaitNumber(const QUrl& url) {
    if (url.scheme() != QLatin1String("data")) {
        return 0;
    }
    const QByteArray text = QByteArray::fromPercentEncoding(url.toEncoded());
    const qsizetype at = text.lastIndexOf(kWaitMark);
    if (at < 0) {
        return 0;
    }
    const qsizetype from = at + kWaitMark.size();
    const qsizetype end = text.indexOf("-->", from);
    return end < 0 ? 0 : text.mid(from, end - from).toULongLong();
}

} // namespace

PaneHistory::PaneHistory(QWebEngineView& view)
    : QObject(&view)
    , view_(view) {
    connect(view.page(), &QWebEnginePage::loadingChanged, this, &PaneHistory::OnLoadingChanged);
}

void PaneHistory::ShowWait(const QString& html) {
    live_ = ++shown_;
    view_.setHtml(html + QString::fromLatin1(kWaitMark) + QString::number(live_) +
                  QStringLiteral("-->"));
}

void PaneHistory::OnLoadingChanged(const QWebEngineLoadingInfo& info) {
    if (info.status() != QWebEngineLoadingInfo::LoadSucceededStatus) {
        return;
    }
    QWebEngineHistory* history = view_.history();
    const int index = history->currentItemIndex();
    const quint64 wait = WaitNumber(info.url());
    if (wait == 0 || wait == live_) {
        live_ = wait;
        lastIndex_ = index;
        return;
    }
    // On the way it was going; back where it came from at the end.
    const bool back = index < lastIndex_ ? history->canGoBack() : !history->canGoForward();
    lastIndex_ = index;
    // Not from inside the engine's report of the load.
    QTimer::singleShot(0, this, [this, back, index] {
        QWebEngineHistory* now = view_.history();
        if (now->currentItemIndex() != index) {
            return;
        }
        if (back && now->canGoBack()) {
            now->back();
        } else if (!back && now->canGoForward()) {
            now->forward();
        }
    });
}
