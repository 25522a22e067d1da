#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

// The toolbox's own pages with their images, served from memory under a
// scheme of its own: what they show was drawn or checked by the toolbox, no
// server's script or style runs in them, and nothing is written to disk.
// Only the toolbox's pages may load from the scheme, not a server's.
class ToolkitPages final : public QWebEngineUrlSchemeHandler {
    Q_OBJECT

public:
    static const QByteArray kScheme;

    // Makes the scheme known to the engine; only before the engine starts
    // (its first profile), and once.
    static void Register();

    struct File {
        QByteArray mimeType;
        QByteArray bytes;
    };

    // Serves `files`, by path ("/" is the page), at an address of their own
    // until withdrawn; returns the page's address.
    QUrl Publish(const QHash<QString, File>& files);
    // Serves nothing more at `page`'s address.
    void Withdraw(const QUrl& page);

    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    // By host, each host a page and its files.
    QHash<QString, QHash<QString, File>> published_;
};
