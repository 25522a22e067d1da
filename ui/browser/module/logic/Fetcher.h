#pragma once

#include "HttpAnswer.h"

#include <QUrl>

#include <functional>

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
};
