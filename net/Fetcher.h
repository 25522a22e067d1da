#pragma once

#include "HttpAnswer.h"

#include <QUrl>

#include <functional>
#include <memory>
#include <utility>

class DownloadSource;
class QObject;

// Asks a server for one small answer. Whatever asks names a context: once
// that object has gone, its request is dropped and nothing is answered, so a
// step that is no longer wanted cannot act on a late answer.
class Fetcher {
public:
    using Then = std::function<void(const HttpAnswer&)>;

    // The most of an answer that is read, by what is asked for. A name
    // look-up, a session profile or a skin site's answer is under 2 KB.
    static constexpr qint64 kSmallAnswerBytes = 64 * 1024;
    // The version manifest, the largest answer asked for, is a few hundred
    // kilobytes and grows by a few hundred bytes a version; a version's
    // description is tens of kilobytes.
    static constexpr qint64 kDocumentBytes = 4 * 1024 * 1024;

    virtual ~Fetcher() = default;

    // Calls `then` once with what `url` answered, or why nothing did, within
    // the fetcher's time limit, unless `context` has gone by then. An answer
    // longer than `maxBytes` is refused unread (TooLargeFailure).
    virtual void Get(const QUrl& url, qint64 maxBytes, QObject& context, Then then) = 0;
    // A manifest or a description: kDocumentBytes at most.
    void Get(const QUrl& url, QObject& context, Then then) {
        Get(url, kDocumentBytes, context, std::move(then));
    }

    // Starts writing what `url` answers into a new file at `path`, for a
    // file too large to hold as an answer; the source tells how it goes, and
    // the job that follows it bounds its size.
    virtual std::unique_ptr<DownloadSource> Download(const QUrl& url, const QString& path) = 0;
};
