#include "WebPane.h"

#include "AddressUse.h"
#include "DownloadStarter.h"
#include "LegacyAddress.h"
#include "LegacyResolver.h"
#include "ResolutionPage.h"

#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <utility>

namespace {

QString WhatIsLookedUp(const LegacyAddress& legacy) {
    switch (legacy.target) {
    case LegacyTarget::OfficialSkin:
        return QStringLiteral("正版玩家「%1」的皮肤").arg(legacy.name);
    case LegacyTarget::OfficialCape:
        return QStringLiteral("正版玩家「%1」的披风").arg(legacy.name);
    case LegacyTarget::StoreFile:
    case LegacyTarget::MirrorFile:
        return QStringLiteral("版本「%1」的文件").arg(legacy.version);
    case LegacyTarget::None:
        break;
    }
    return {};
}

// The engine drops a navigation to a longer address (its encoded form)
// without a word: no load starts and the old page stays.
constexpr qsizetype kLongestAddress = 2 * 1024 * 1024;

} // namespace

WebPane::WebPane(QWebEngineProfile& profile, DownloadStarter& downloads, QWidget* parent)
    : BrowserPane(parent)
    , view_(new QWebEngineView(&profile, this))
    , downloads_(downloads)
    , endpoints_(ConfiguredLegacyEndpoints())
    , resolver_(new LegacyResolver(endpoints_, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    connect(view_->page(), &QWebEnginePage::loadingChanged, this, &WebPane::OnLoadingChanged);
    connect(resolver_, &LegacyResolver::ImageFound, view_,
            [this](const QUrl& image) { view_->load(image); });
    connect(resolver_, &LegacyResolver::FileFound, this, &WebPane::OnFileFound);
    connect(resolver_, &LegacyResolver::Failed, this, &WebPane::OnResolutionFailed);
}

WebPane::~WebPane() {
    downloads_.Forget(*this);
}

// The address is taken as written: no guessing of a scheme and no web search,
// only the tolerant repairs (spaces, stray percent signs) QUrl makes.
void WebPane::Navigate(const QString& address) {
    // Whatever the last address was still waiting for is not wanted any more.
    resolver_->Cancel();
    downloads_.Forget(*this);
    fileToOffer_.clear();
    expectationToOffer_ = {};

    const QUrl url(address, QUrl::TolerantMode);
    const qsizetype length = url.toEncoded().size();
    if (length > kLongestAddress) {
        view_->setHtml(ResolutionErrorPage(
            QStringLiteral("无法打开此网页"),
            QStringLiteral("网址长度为 %1 个字符，超过了浏览器能打开的 %2 个字符。")
                .arg(length)
                .arg(kLongestAddress)));
        return;
    }
    if (endpoints_.resolve) {
        const LegacyAddress legacy = ReadLegacyAddress(url, endpoints_);
        if (legacy.target != LegacyTarget::None) {
            lookingFor_ = WhatIsLookedUp(legacy);
            view_->setHtml(LookingUpPage(lookingFor_));
            resolver_->Start(url, legacy);
            return;
        }
    }
    const AddressUse use = UseOf(url);
    fileToOffer_ = use == AddressUse::Download ? url : QUrl();
    view_->load(use == AddressUse::Blank ? QUrl(QStringLiteral("about:blank")) : url);
}

void WebPane::OnFileFound(const QUrl& file, bool showFirst, const DownloadExpectation& expected) {
    if (showFirst) {
        fileToOffer_ = file;
        expectationToOffer_ = expected;
        view_->load(file);
    } else {
        view_->setHtml(FoundPage(lookingFor_));
        Offer(file, expected);
    }
}

void WebPane::OnResolutionFailed(const QString& heading, const QString& detail) {
    view_->setHtml(ResolutionErrorPage(heading, detail));
}

void WebPane::Offer(const QUrl& file, DownloadExpectation expected) {
    if (expected.fileName.isEmpty()) {
        expected.fileName = file.fileName();
    }
    view_->page()->download(file, downloads_.Expect(*this, expected));
}

// A file the engine would show as text is loaded first, so that a wrong
// address shows the server's answer or the engine's error page like any
// other; once it has loaded, it is offered through the save dialog and a
// download window like any file the engine does not show.
void WebPane::OnLoadingChanged(const QWebEngineLoadingInfo& info) {
    // The engine reports one end for a load and for any load it cut short, so
    // the first end after Navigate is the answer to that address. The pane's
    // own "looking up" page is not an answer.
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus || fileToOffer_.isEmpty() ||
        info.url().scheme() == QLatin1String("data")) {
        return;
    }
    const QUrl file = std::exchange(fileToOffer_, QUrl());
    const DownloadExpectation expected = std::exchange(expectationToOffer_, {});
    // Stopped: the engine took it as a download of its own already.
    if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus) {
        Offer(file, expected);
    }
}
