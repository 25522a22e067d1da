#pragma once

// A fetcher that answers only when the test says so, in the order asked.
#include "FakeDownloadSource.h"
#include "Fetcher.h"
#include "HostName.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

class FakeFetcher final : public Fetcher {
public:
    struct Request {
        QUrl url;
        qint64 maxBytes;
        QPointer<QObject> context;
        Then then;
    };

    using Fetcher::Get;
    void Get(const QUrl& url, qint64 maxBytes, QObject& context, Then then) override {
        asked.append(url);
        caps.append(maxBytes);
        pending.append({url, maxBytes, &context, std::move(then)});
    }

    std::unique_ptr<DownloadSource> Download(const QUrl& url, const QString& path) override {
        downloaded.append(url);
        downloadPaths.append(path);
        auto source = std::make_unique<FakeDownloadSource>(path, downloadCancels);
        downloads.append(source.get());
        return source;
    }

    // Answers the oldest request as the real fetcher would: not at all when
    // whoever asked has gone. Returns whether it was answered.
    bool Answer(int status, const QByteArray& body = {}, int retryAfterSeconds = -1) {
        return AnswerAt(0, status, body, retryAfterSeconds);
    }
    // Answers the oldest request for `url`, wherever it stands.
    bool Answer(const QUrl& url, int status, const QByteArray& body = {}) {
        for (int i = 0; i < pending.size(); ++i) {
            if (pending.at(i).url == url) {
                return AnswerAt(i, status, body);
            }
        }
        return false;
    }

    QList<QUrl> asked;
    // The most each request asked may read, in the same order.
    QList<qint64> caps;
    QList<Request> pending;
    // Files fetched whole, where each was written, and their sources while
    // they live.
    QList<QUrl> downloaded;
    QStringList downloadPaths;
    QList<QPointer<FakeDownloadSource>> downloads;
    int downloadCancels = 0;

private:
    bool AnswerAt(int at, int status, const QByteArray& body, int retryAfterSeconds = -1) {
        const Request request = pending.takeAt(at);
        if (request.context == nullptr) {
            return false;
        }
        HttpAnswer answer;
        answer.host = HostName(request.url);
        if (status == 0) {
            answer.failure = QStringLiteral("无法连接 %1").arg(answer.host);
        } else if (body.size() > request.maxBytes) {
            answer.failure = TooLargeFailure(answer.host, request.maxBytes);
        } else {
            answer.status = status;
            answer.body = body;
            answer.retryAfterSeconds = retryAfterSeconds;
        }
        request.then(answer);
        return true;
    }
};
