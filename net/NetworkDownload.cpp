#include "NetworkDownload.h"

#include "HostName.h"

#include <QNetworkReply>

NetworkDownload::NetworkDownload(QNetworkReply* reply, const QString& path)
    : reply_(reply)
    , file_(path) {
    reply->setParent(this);
    connect(reply, &QNetworkReply::metaDataChanged, this, &NetworkDownload::OnHead);
    connect(reply, &QNetworkReply::readyRead, this, &NetworkDownload::OnData);
    connect(reply, &QNetworkReply::finished, this, &NetworkDownload::OnFinished);
    // Made here and now (O_CREAT | O_EXCL): never through a link planted
    // under the name, never over a file already there.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        Interrupt(QStringLiteral("无法写入文件（%1）").arg(file_.errorString()));
    }
}

NetworkDownload::~NetworkDownload() {
    if (reply_ != nullptr) {
        disconnect(reply_, nullptr, this, nullptr);
        reply_->abort();
    }
}

void NetworkDownload::Cancel() {
    if (state_ != State::Running) {
        return;
    }
    state_ = State::Cancelled;
    disconnect(reply_, nullptr, this, nullptr);
    reply_->abort();
    file_.close();
    Q_EMIT Changed();
}

void NetworkDownload::OnHead() {
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // A redirect's own head comes too; only the last answer counts.
    if (status >= 300 && status < 400) {
        return;
    }
    if (status != 200) {
        Interrupt(QStringLiteral("%1 回答 HTTP %2")
                      .arg(HostName(reply_->url()), QString::number(status)));
        return;
    }
    total_ = reply_->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    Q_EMIT Changed();
}

void NetworkDownload::OnData() {
    if (state_ != State::Running) {
        return;
    }
    const QByteArray data = reply_->readAll();
    if (file_.write(data) != data.size()) {
        Interrupt(QStringLiteral("无法写入文件（%1）").arg(file_.errorString()));
        return;
    }
    received_ += data.size();
    Q_EMIT Changed();
}

void NetworkDownload::OnFinished() {
    if (state_ != State::Running) {
        return;
    }
    OnData();
    if (state_ != State::Running) {
        return;
    }
    if (reply_->error() != QNetworkReply::NoError) {
        Interrupt(QStringLiteral("与 %1 的连接失败（%2）")
                      .arg(HostName(reply_->url()), reply_->errorString()));
        return;
    }
    if (!file_.flush()) {
        Interrupt(QStringLiteral("无法写入文件（%1）").arg(file_.errorString()));
        return;
    }
    file_.close();
    state_ = State::Completed;
    Q_EMIT Changed();
}

void NetworkDownload::Interrupt(const QString& reason) {
    if (state_ != State::Running) {
        return;
    }
    state_ = State::Interrupted;
    reason_ = reason;
    if (reply_ != nullptr) {
        disconnect(reply_, nullptr, this, nullptr);
        reply_->abort();
    }
    file_.close();
    Q_EMIT Changed();
}
