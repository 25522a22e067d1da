#pragma once

#include "Fetcher.h"

#include <QNetworkAccessManager>
#include <QNetworkRequest>

// Fetches over the network for the whole run: every request bounded in time
// (the whole exchange, not only silence), in size (by what is asked for) and
// in redirects (five, none to a less safe scheme), named as the toolbox's in
// its User-Agent; nothing kept on disk, cookies in memory only.
class NetworkFetcher final : public Fetcher {
public:
    explicit NetworkFetcher(int timeoutMs);

    using Fetcher::Get;
    void Get(const QUrl& url, qint64 maxBytes, QObject& context, Then then) override;
    std::unique_ptr<DownloadSource> Download(const QUrl& url, const QString& path) override;

private:
    QNetworkRequest Request(const QUrl& url) const;

    QNetworkAccessManager network_;
    const int timeoutMs_;
};
