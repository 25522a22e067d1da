#pragma once

#include <QByteArray>
#include <QString>

// One HTTP answer, or why none came (`failure` not empty).
struct HttpAnswer {
    int status = 0;
    QByteArray body;
    QString failure;
    // Who answered, host[:port], to name in messages.
    QString host;
    // How long a server that asks to wait (429) wants, in seconds; -1 when
    // it did not say.
    int retryAfterSeconds = -1;

    bool IsOk() const { return failure.isEmpty() && status == 200; }
    bool AsksToWait() const { return failure.isEmpty() && status == 429; }
};

// Why `answer` is no answer, or the status it came with, in Chinese.
QString DescribeFailure(const HttpAnswer& answer);

// Why an answer from `host` longer than `maxBytes` was refused, in Chinese.
QString TooLargeFailure(const QString& host, qint64 maxBytes);
