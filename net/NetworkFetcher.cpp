#include "NetworkFetcher.h"

#include "HostName.h"
#include "NetworkDownload.h"

#include <QDateTime>
#include <QLocale>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

// Enough hops for a moved file; a longer chain is taken for a loop.
constexpr int kMaxRedirects = 5;

// How much of a file being downloaded Qt may hold before it is written.
constexpr qint64 kDownloadReadAhead = 1024 * 1024;

// Services may ask who is calling; CT_VERSION is the project's version.
const QByteArray kUserAgent = QByteArrayLiteral("CreeperToolkit/" CT_VERSION);

// What one request has read so far, shared by its handlers.
struct Transfer {
    QByteArray body;
    bool tooLarge = false;

    // Takes what has come, never more than one byte past `maxBytes`
    // whatever the socket holds; false once past it.
    bool Read(QNetworkReply& reply, qint64 maxBytes) {
        if (!tooLarge) {
            body += reply.read(maxBytes + 1 - body.size());
            tooLarge = body.size() > maxBytes;
        }
        return !tooLarge;
    }
};

// A 429's Retry-After: seconds, or a date to wait until; -1 when absent or
// unreadable. A day at most: a longer wait is no figure to show anyone.
int RetryAfterSeconds(const QNetworkReply& reply) {
    const QByteArray value = reply.rawHeader("Retry-After").trimmed();
    if (value.isEmpty()) {
        return -1;
    }
    bool isNumber = false;
    qint64 seconds = value.toLongLong(&isNumber);
    if (!isNumber) {
        // HTTP's own date form, "Wed, 21 Oct 2015 07:28:00 GMT".
        QDateTime until = QLocale::c().toDateTime(
            QString::fromLatin1(value), QStringLiteral("ddd, dd MMM yyyy HH:mm:ss 'GMT'"));
        until.setTimeSpec(Qt::UTC);
        if (!until.isValid()) {
            return -1;
        }
        seconds = std::max<qint64>(0, QDateTime::currentDateTimeUtc().secsTo(until));
    }
    return seconds < 0 ? -1 : static_cast<int>(std::min<qint64>(seconds, 86'400));
}

} // namespace

NetworkFetcher::NetworkFetcher(int timeoutMs)
    : timeoutMs_(timeoutMs) {
    network_.setCache(nullptr);
    network_.setStrictTransportSecurityEnabled(false);
}

// Every request the toolbox makes itself: few hops, never to a less safe
// scheme, and named as the toolbox's.
QNetworkRequest NetworkFetcher::Request(const QUrl& url) const {
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs_);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    // Never from https down to http, whatever the manager's default.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setHeader(QNetworkRequest::UserAgentHeader, kUserAgent);
    return request;
}

std::unique_ptr<DownloadSource> NetworkFetcher::Download(const QUrl& url, const QString& path) {
    QNetworkReply* reply = network_.get(Request(url));
    // Written to disk as it comes; while the GUI thread is busy, Qt's HTTP
    // thread reads no more than this ahead of it.
    reply->setReadBufferSize(kDownloadReadAhead);
    return std::make_unique<NetworkDownload>(reply, path);
}

void NetworkFetcher::Get(const QUrl& url, qint64 maxBytes, QObject& context, Then then) {
    QNetworkReply* reply = network_.get(Request(url));
    // Qt's HTTP thread reads ahead of the GUI thread without end unless told:
    // told, it stops reading from the socket while this much waits unread,
    // so a busy GUI thread never has Qt hold more than the answer's bound.
    reply->setReadBufferSize(maxBytes + 1);
    // Nobody waits for it any more. Its answer to the context is cut off
    // first: the context tells of its end from inside its destructor, while
    // its connections still stand. Only that one: the reply stops its
    // transfer through connections of its own.
    QObject* const asker = &context;
    QObject::connect(asker, &QObject::destroyed, reply, [reply, asker] {
        QObject::disconnect(reply, nullptr, asker, nullptr);
        reply->abort();
    });

    // The transfer time-out only counts silence; this one bounds the whole step.
    auto* overall = new QTimer(reply);
    overall->setSingleShot(true);
    overall->setTimerType(Qt::PreciseTimer);
    QObject::connect(overall, &QTimer::timeout, reply, &QNetworkReply::abort);
    overall->start(timeoutMs_);
    auto transfer = std::make_shared<Transfer>();
    // A promised length over the bound is refused before any of the body.
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, transfer, maxBytes] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > maxBytes) {
            transfer->tooLarge = true;
            reply->abort();
        }
    });
    // The length may be missing or wrong, so every read is counted too:
    // progress signals come too seldom to stop a fast answer near the bound.
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, transfer, maxBytes] {
        if (!transfer->Read(*reply, maxBytes)) {
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
    QObject::connect(
        reply, &QNetworkReply::finished, &context,
        [reply, transfer, url, maxBytes, timeoutMs = timeoutMs_, then = std::move(then)] {
            transfer->Read(*reply, maxBytes);
            HttpAnswer answer;
            answer.host = HostName(url);
            answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            if (transfer->tooLarge) {
                answer.failure = TooLargeFailure(answer.host, maxBytes);
            } else if (reply->error() == QNetworkReply::TooManyRedirectsError) {
                answer.failure = QStringLiteral("%1 的重定向过多").arg(answer.host);
            } else if (reply->error() == QNetworkReply::InsecureRedirectError) {
                answer.failure = QStringLiteral("%1 重定向到了不安全的地址").arg(answer.host);
            } else if (reply->error() == QNetworkReply::OperationCanceledError) {
                answer.failure = QStringLiteral("%1 在 %2 秒内没有回答")
                                     .arg(answer.host, QString::number(timeoutMs / 1000.0));
            } else if (answer.status == 0) {
                answer.failure =
                    QStringLiteral("无法连接 %1（%2）").arg(answer.host, reply->errorString());
            } else {
                answer.body = std::move(transfer->body);
                answer.retryAfterSeconds = RetryAfterSeconds(*reply);
            }
            then(answer);
        });
}
