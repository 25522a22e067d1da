#pragma once

#include "BoundedGet.h"
#include "DownloadExpectation.h"
#include "LegacyAddress.h"
#include "LegacyEndpoints.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <functional>

class QNetworkReply;

// Finds where the file an old official address named lives today, asking
// today's services one request at a time, and answers with one signal. Every
// request has a time limit; a new Start or a Cancel drops the one running,
// and nothing from it is answered any more.
class LegacyResolver final : public QObject {
    Q_OBJECT

public:
    LegacyResolver(LegacyEndpoints endpoints, QObject* parent);

    void Start(const QUrl& address, const LegacyAddress& legacy);
    void Cancel();

Q_SIGNALS:
    // An image to show.
    void ImageFound(const QUrl& image);
    // A file to offer; `showFirst` loads it into the pane before offering it.
    void FileFound(const QUrl& file, bool showFirst, const DownloadExpectation& expected);
    // Nothing to show: a heading and why, plain text.
    void Failed(const QString& heading, const QString& detail);

private:
    using Then = std::function<void(const HttpAnswer&)>;

    void Get(const QUrl& url, Then then);

    void ResolvePlayer(const QString& name, bool cape);
    void LookUpWithFallback(const QString& name, std::function<void(const QString& id)> then,
                            std::function<void(bool unknown, const QString& reason)> fail);
    void ShowTexture(const QString& name, const QString& id, bool cape);

    // The version's official download entry, then `then` with the file
    // address (or the version JSON's), SHA-1 and size.
    using Found = std::function<void(const QUrl& file, const QByteArray& sha1, qint64 size)>;
    using NotFound = std::function<void(const QString& heading, const QString& detail)>;
    void FindOfficial(const LegacyAddress& legacy, Found found, NotFound notFound);
    void ResolveStore(const QUrl& address, const LegacyAddress& legacy);
    void ResolveMirror(const QUrl& address, const LegacyAddress& legacy);

    LegacyEndpoints endpoints_;
    QNetworkAccessManager network_;
    QPointer<QNetworkReply> reply_;
    quint64 generation_ = 0;
};
