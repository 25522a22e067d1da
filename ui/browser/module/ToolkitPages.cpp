#include "ToolkitPages.h"

#include <QBuffer>
#include <QUuid>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

const QByteArray ToolkitPages::kScheme = QByteArrayLiteral("creeper-toolkit");

void ToolkitPages::Register() {
    if (QWebEngineUrlScheme::schemeByName(kScheme).name() == kScheme) {
        return;
    }
    QWebEngineUrlScheme scheme(kScheme);
    // Pages of the scheme are of one origin each, by host. A local scheme is
    // out of reach of pages from the network; its own pages need local
    // access to show its images.
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme |
                    QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
}

QUrl ToolkitPages::Publish(const QHash<QString, File>& files) {
    // Unguessable, so no page but the toolbox's names it.
    const QString host = QUuid::createUuid().toString(QUuid::Id128);
    published_.insert(host, files);
    QUrl page;
    page.setScheme(QString::fromLatin1(kScheme));
    page.setHost(host);
    page.setPath(QStringLiteral("/"));
    return page;
}

void ToolkitPages::Withdraw(const QUrl& page) {
    published_.remove(page.host());
}

void ToolkitPages::requestStarted(QWebEngineUrlRequestJob* job) {
    const QUrl url = job->requestUrl();
    const auto site = published_.constFind(url.host());
    if (job->requestMethod() != "GET" || site == published_.cend()) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    const auto file = site->constFind(url.path(QUrl::FullyDecoded));
    if (file == site->cend()) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    // Read by the engine until the job goes.
    auto* buffer = new QBuffer;
    buffer->setData(file->bytes);
    buffer->open(QIODevice::ReadOnly);
    connect(job, &QObject::destroyed, buffer, &QObject::deleteLater);
    job->reply(file->mimeType, buffer);
}
