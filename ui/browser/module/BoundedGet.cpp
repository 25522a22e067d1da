#include "BoundedGet.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <memory>

namespace {

// The largest answer read: the version manifest is a few hundred kilobytes.
constexpr qint64 kMaxAnswer = 16 * 1024 * 1024;

} // namespace

QString DescribeFailure(const HttpAnswer& answer) {
    if (!answer.failure.isEmpty()) {
        return answer.failure;
    }
    return QStringLiteral("%1 回答 HTTP %2").arg(answer.host).arg(answer.status);
}

QNetworkReply* GetBounded(QNetworkAccessManager& network, const QUrl& url, int timeoutMs,
                          QObject* context, std::function<void(const HttpAnswer&)> then) {
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    QNetworkReply* reply = network.get(request);

    // The transfer time-out only counts silence; this one bounds the whole step.
    auto* overall = new QTimer(reply);
    overall->setSingleShot(true);
    overall->setTimerType(Qt::PreciseTimer);
    QObject::connect(overall, &QTimer::timeout, reply, &QNetworkReply::abort);
    overall->start(timeoutMs);
    auto tooLarge = std::make_shared<bool>(false);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [reply, tooLarge](qint64 received) {
                         if (received > kMaxAnswer) {
                             *tooLarge = true;
                             reply->abort();
                         }
                     });
    QObject::connect(
        reply, &QNetworkReply::finished, context,
        [reply, tooLarge, url, timeoutMs, then = std::move(then)] {
            reply->deleteLater();
            HttpAnswer answer;
            answer.host = url.authority();
            answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            if (*tooLarge) {
                answer.failure = QStringLiteral("%1 的回答过大").arg(answer.host);
            } else if (reply->error() == QNetworkReply::OperationCanceledError) {
                answer.failure = QStringLiteral("%1 在 %2 秒内没有回答")
                                     .arg(answer.host)
                                     .arg(timeoutMs / 1000.0);
            } else if (answer.status == 0) {
                answer.failure =
                    QStringLiteral("无法连接 %1（%2）").arg(answer.host, reply->errorString());
            } else {
                answer.body = reply->readAll();
            }
            then(answer);
        });
    return reply;
}
