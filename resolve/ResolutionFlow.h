#pragma once

#include "DownloadExpectation.h"
#include "Fetcher.h"
#include "FoundTexture.h"
#include "LegacyEndpoints.h"

#include <QObject>
#include <QUrl>

#include <memory>

struct LegacyAddress;
struct ResolutionFailure;
class PlayerIds;

// Finds where the file an old official address named lives today: a few
// steps, one request at a time, ending in exactly one of the signals. A flow
// that is deleted asks and answers nothing more, so a newer address simply
// replaces the flow of the last one.
class ResolutionFlow : public QObject {
    Q_OBJECT

public:
    // The flow for `legacy`, read from `address`; null when it is no old address.
    static std::unique_ptr<ResolutionFlow> For(const QUrl& address, const LegacyAddress& legacy,
                                               const LegacyEndpoints& endpoints, Fetcher& fetcher,
                                               PlayerIds& playerIds);

    // Takes the first step; a flow that needs no server answers at once.
    virtual void Start() = 0;

    // The file it offered could not be had (`why`, in words) before its
    // first byte: a flow that knows another source starts over there and
    // says so (Rerouted); any other returns false and tells nothing more.
    virtual bool FallBack(const QString& why);

Q_SIGNALS:
    // A skin or cape, fetched: to draw, and to save as it came.
    void TextureFound(const FoundTexture& texture);
    // A file to offer; `showFirst` loads it into the pane before offering it.
    void FileFound(const QUrl& file, bool showFirst, const DownloadExpectation& expected);
    // Nothing to show: a heading and why, plain text.
    void Failed(const QString& heading, const QString& detail);
    // Looking elsewhere, after the source it offered refused (`refusal`,
    // plain text); one of the signals above follows.
    void Rerouted(const QString& refusal);

protected:
    ResolutionFlow(const LegacyEndpoints& endpoints, Fetcher& fetcher);

    // `maxBytes`: Fetcher::kSmallAnswerBytes or kDocumentBytes, by what is asked.
    void Get(const QUrl& url, qint64 maxBytes, Fetcher::Then then);
    // Fetches `texture.address` once, up to kLargestTexture, and tells
    // TextureFound with its bytes, or Failed.
    void FetchTexture(FoundTexture texture);
    void Fail(const ResolutionFailure& failure);
    // A service that asks to wait ends the flow with a page that says so:
    // nothing is asked again by itself. Returns whether it did.
    bool FailIfAskedToWait(const HttpAnswer& answer);

    const LegacyEndpoints endpoints_;
    Fetcher& fetcher_;
};
