#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
class QObject;

// One HTTP answer, or why none came (`failure` not empty).
struct HttpAnswer {
    int status = 0;
    QByteArray body;
    QString failure;
    // Who answered, host[:port], to name in messages.
    QString host;
};

// Why `answer` is no answer, or the status it came with, in Chinese.
QString DescribeFailure(const HttpAnswer& answer);

// GETs `url` with the whole exchange bounded by `timeoutMs` and the body by
// 16 MB, and calls `then` once with what came, unless `context` has gone.
// Aborting the returned reply ends it as a time-out.
QNetworkReply* GetBounded(QNetworkAccessManager& network, const QUrl& url, int timeoutMs,
                          QObject* context, std::function<void(const HttpAnswer&)> then);
