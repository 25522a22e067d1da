#include "WebPane.h"

#include "AddressUse.h"
#include "DownloadMessages.h"
#include "DownloadStarter.h"
#include "EngineQuirks.h"
#include "EngineSession.h"
#include "InterruptWords.h"
#include "LegacyAddress.h"
#include "MenuSaves.h"
#include "PaneHistory.h"
#include "PanePage.h"
#include "ResolutionFlow.h"
#include "ResolutionMessages.h"
#include "ResolutionPage.h"
#include "TextureShow.h"

#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <utility>

WebPane::WebPane(EngineSession& session, QWidget* parent)
    : BrowserPane(parent)
    , session_(session)
    , view_(new QWebEngineView(this))
    , endpoints_(ConfiguredLegacyEndpoints())
    , textures_(session.Pages()) {
    auto* page = new PanePage(session.Profile(), view_);
    view_->setPage(page);
    history_ = new PaneHistory(*view_);
    connect(page, &PanePage::SaveWanted, this, &WebPane::OnSaveWanted);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    // One stop in the window's tab order; the focus goes on into the page.
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(view_);
    connect(view_->page(), &QWebEnginePage::loadingChanged, this, &WebPane::OnLoadingChanged);
    MenuSaves::Route(*view_, session_.Downloads());
    connect(&session_.Downloads(), &DownloadStarter::AskFailed, this,
            [this](QObject* asker, const QString& why) {
                if (asker == this) {
                    AfterRequest([this, why] { OnOfferFailed(why); });
                }
            });
    connect(&session_.Downloads(), &DownloadStarter::PageDownloadRefused, this,
            [this](QObject* pane, const QString& why) {
                if (pane == this) {
                    AfterRequest([this, why] {
                        view_->setHtml(ResolutionErrorPage(Say(DownloadText::PageRefused), why));
                    });
                }
            });
    connect(&session_.Downloads(), &DownloadStarter::AskRerouted, this,
            [this](QObject* asker, const QString& refusal) {
                if (asker == this) {
                    view_->setHtml(FetchingPage(OfficialInsteadOfMirror(refusal), lookingFor_));
                }
            });
}

WebPane::~WebPane() {
    session_.Downloads().Forget(*this);
}

// Told from inside the engine's download request, where the page must not be
// made to load anything: acted on once that has returned, unless the user
// has gone to another address by then.
void WebPane::AfterRequest(std::function<void()> act) {
    QTimer::singleShot(0, this, [this, act = std::move(act), navigation = navigations_] {
        if (navigation == navigations_) {
            act();
        }
    });
}

// Only the engine moves the focus on from inside the pane, handing it out of
// the page; it may do so twice for one key, or late (see EngineQuirks). One
// that comes once the focus has left the pane moves nothing.
bool WebPane::focusNextPrevChild(bool next) {
    QWidget* focus = window()->focusWidget();
    if (focus != this && !isAncestorOf(focus)) {
        return true;
    }
    return BrowserPane::focusNextPrevChild(next);
}

// The address is taken as written: no guessing of a scheme and no web search,
// only the tolerant repairs (spaces, stray percent signs) QUrl makes.
void WebPane::Navigate(const QString& address) {
    // Whatever the last address was still waiting for is not wanted any more;
    // its flow is never in the middle of telling anything here.
    flow_.reset();
    ++navigations_;
    session_.Downloads().Forget(*this);
    session_.Downloads().UserNavigated(*this);
    loadThenOffer_.reset();
    offered_.clear();
    textures_.Withdraw();

    const QUrl url(address, QUrl::TolerantMode);
    const qsizetype length = url.toEncoded().size();
    if (length > EngineQuirks::kLongestAddress) {
        view_->setHtml(AddressTooLongPage(length, EngineQuirks::kLongestAddress));
        return;
    }
    if (endpoints_.resolve) {
        const LegacyAddress legacy = ReadLegacyAddress(url, endpoints_);
        flow_ = ResolutionFlow::For(url, legacy, endpoints_, session_.Network(),
                                    session_.KnownPlayers());
        if (flow_ != nullptr) {
            lookingFor_ = WhatIsLookedUp(legacy, endpoints_);
            history_->ShowWait(LookingUpPage(lookingFor_));
            connect(flow_.get(), &ResolutionFlow::TextureFound, this, &WebPane::OnTextureFound);
            connect(flow_.get(), &ResolutionFlow::FileFound, this, &WebPane::OnFileFound);
            connect(flow_.get(), &ResolutionFlow::Failed, this, &WebPane::OnResolutionFailed);
            connect(flow_.get(), &ResolutionFlow::Rerouted, this, [this](const QString& refusal) {
                history_->ShowWait(ReroutedPage(refusal, lookingFor_));
            });
            flow_->Start();
            return;
        }
    }
    const AddressUse use = UseOf(url);
    if (use == AddressUse::Download) {
        LoadThenOffer({url, ExpectedOfDownload()});
        return;
    }
    view_->load(use == AddressUse::Blank ? QUrl(QStringLiteral("about:blank")) : url);
}

void WebPane::LoadThenOffer(const FileToOffer& offer) {
    loadThenOffer_ = offer;
    // Answered as an attachment, it is downloaded at once: still this file.
    session_.Downloads().ExpectLoad(*this, offer.file, offer.expected);
    view_->load(offer.file);
}

void WebPane::OnFileFound(const QUrl& file, bool showFirst, const DownloadExpectation& expected) {
    if (showFirst) {
        LoadThenOffer({file, expected});
    } else {
        view_->setHtml(expected.source.isEmpty() ? FoundPage(lookingFor_)
                                                 : FetchingPage(expected.source, lookingFor_));
        Offer({file, expected});
    }
}

void WebPane::OnResolutionFailed(const QString& heading, const QString& detail) {
    view_->setHtml(ResolutionErrorPage(heading, detail));
}

void WebPane::OnTextureFound(const FoundTexture& texture) {
    ResolutionFailure failure;
    const std::optional<TextureShow> show = ShowOf(texture, devicePixelRatioF(), &failure);
    if (!show) {
        view_->setHtml(ResolutionErrorPage(failure.heading, failure.detail));
        return;
    }
    view_->load(textures_.Publish(*show));
}

void WebPane::OnSaveWanted(const QUrl& page) {
    if (const auto saved = textures_.SavedFrom(page)) {
        Offer({saved->file, saved->expected});
    }
}

void WebPane::Offer(const FileToOffer& offer) {
    DownloadExpectation expected = offer.expected;
    if (expected.fileName.isEmpty()) {
        expected.fileName = offer.file.fileName();
    }
    offered_ = offer.file;
    view_->page()->download(
        offer.file, session_.Downloads().Expect(*this, offer.file, expected, endpoints_.timeoutMs));
}

void WebPane::OnOfferFailed(const QString& why) {
    if (flow_ != nullptr && flow_->FallBack(why)) {
        return;
    }
    view_->setHtml(ResolutionErrorPage(QStringLiteral("无法下载"),
                                       QStringLiteral("%1：%2").arg(offered_.fileName(), why)));
}

// A file the engine would show as text is loaded first, so that a wrong
// address shows the server's answer or the engine's error page like any
// other; once it has loaded, it is offered through the save dialog and a
// download window like any file the engine does not show.
void WebPane::OnLoadingChanged(const QWebEngineLoadingInfo& info) {
    // The engine reports one end for a load and for any load it cut short, so
    // the first end after Navigate is the answer to that address. The pane's
    // own "looking up" page is not an answer.
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus || !loadThenOffer_ ||
        info.url().scheme() == QLatin1String("data")) {
        return;
    }
    const FileToOffer offer = *std::exchange(loadThenOffer_, std::nullopt);
    // Stopped: the engine took it as a download of its own already, which
    // is this file's however it is told of (DownloadStarter::ExpectLoad).
    if (info.status() != QWebEngineLoadingInfo::LoadStoppedStatus) {
        session_.Downloads().LoadEnded(*this);
    }
    if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus) {
        Offer(offer);
    } else if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus && flow_ != nullptr) {
        // A source that refuses the file may have another; else its page stays.
        flow_->FallBack(LoadFailureWords(info, offer.file));
    }
}
