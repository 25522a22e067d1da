#pragma once

// A fetcher that answers only when the test says so, in the order asked.
#include "Fetcher.h"

#include <QList>
#include <QObject>
#include <QPointer>

class FakeFetcher final : public Fetcher {
public:
    struct Request {
        QUrl url;
        QPointer<QObject> context;
        Then then;
    };

    void Get(const QUrl& url, QObject& context, Then then) override {
        asked.append(url);
        pending.append({url, &context, std::move(then)});
    }

    // Answers the oldest request as the real fetcher would: not at all when
    // whoever asked has gone. Returns whether it was answered.
    bool Answer(int status, const QByteArray& body = {}) {
        const Request request = pending.takeFirst();
        if (request.context == nullptr) {
            return false;
        }
        HttpAnswer answer;
        answer.host = request.url.authority();
        if (status == 0) {
            answer.failure = QStringLiteral("无法连接 %1").arg(answer.host);
        } else {
            answer.status = status;
            answer.body = body;
        }
        request.then(answer);
        return true;
    }

    QList<QUrl> asked;
    QList<Request> pending;
};
