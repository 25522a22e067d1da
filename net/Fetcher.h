#pragma once

#include "HttpAnswer.h"

#include <QUrl>

#include <functional>
#include <memory>

class DownloadSource;
class QObject;

// Asks a server for one small answer. Whatever asks names a context: once
// that object has gone, its request is dropped and nothing is answered, so a
// step that is no longer wanted cannot act on a late answer.
class Fetcher {
public:
    using Then = std::function<void(const HttpAnswer&)>;

    virtual ~Fetcher() = default;

    // Calls `then` once with what `url` answered, or why nothing did, within
    // the fetcher's time limit, unless `context` has gone by then.
    virtual void Get(const QUrl& url, QObject& context, Then then) = 0;

    // Starts writing what `url` answers into a new file at `path`, for a
    // file too large to hold as an answer; the source tells how it goes, and
    // the job that follows it bounds its size.
    virtual std::unique_ptr<DownloadSource> Download(const QUrl& url, const QString& path) = 0;
};
