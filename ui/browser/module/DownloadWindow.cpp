#include "DownloadWindow.h"

#include "ui_DownloadWindow.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLocale>
#include <QWebEngineDownloadRequest>

#include <algorithm>

DownloadWindow::DownloadWindow(QWebEngineDownloadRequest& request, PartFile part)
    : ui_(std::make_unique<Ui::DownloadWindow>())
    , request_(&request)
    , part_(std::move(part)) {
    ui_->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    ui_->fileLabel->setText(QFileInfo(part_.ChosenPath()).fileName());
    ui_->fileLabel->setToolTip(part_.ChosenPath());
    connect(ui_->actionButton, &QPushButton::clicked, this, &DownloadWindow::OnButton);

    // Queued, so the state is read only after the engine has set all of it:
    // it reports a new state before the byte counts that go with it.
    connect(&request, &QWebEngineDownloadRequest::stateChanged, this, &DownloadWindow::Update,
            Qt::QueuedConnection);
    connect(&request, &QWebEngineDownloadRequest::receivedBytesChanged, this,
            &DownloadWindow::Update, Qt::QueuedConnection);
    connect(&request, &QWebEngineDownloadRequest::totalBytesChanged, this,
            &DownloadWindow::Update, Qt::QueuedConnection);
    Update();
}

DownloadWindow::~DownloadWindow() {
    if (!ended_) {
        if (request_ != nullptr) {
            request_->cancel();
        }
        part_.Discard();
    }
    if (request_ != nullptr) {
        request_->deleteLater();
    }
}

void DownloadWindow::closeEvent(QCloseEvent* event) {
    if (!ended_ && request_ != nullptr) {
        request_->cancel();
    }
    event->accept();
}

void DownloadWindow::Update() {
    if (ended_) {
        return;
    }
    if (request_ == nullptr) {
        part_.Discard();
        End(QStringLiteral("下载失败：下载已中止"));
        return;
    }
    ShowBytes(request_->receivedBytes(), request_->totalBytes());
    switch (request_->state()) {
    case QWebEngineDownloadRequest::DownloadRequested:
    case QWebEngineDownloadRequest::DownloadInProgress:
        return;
    case QWebEngineDownloadRequest::DownloadCompleted: {
        const QString error = part_.Commit();
        if (error.isEmpty()) {
            ui_->progressBar->setRange(0, 100);
            ui_->progressBar->setValue(100);
            End(QStringLiteral("下载完成"));
        } else {
            part_.Discard();
            End(QStringLiteral("下载失败：无法保存到 %1（%2）").arg(part_.ChosenPath(), error));
        }
        return;
    }
    case QWebEngineDownloadRequest::DownloadCancelled:
        part_.Discard();
        End(QStringLiteral("已取消"));
        return;
    case QWebEngineDownloadRequest::DownloadInterrupted:
        // The engine keeps a partial file to resume from; nothing resumes here.
        part_.Discard();
        End(QStringLiteral("下载失败：%1").arg(request_->interruptReasonString()));
        return;
    }
}

void DownloadWindow::ShowBytes(qint64 received, qint64 total) {
    const QLocale locale;
    if (total > 0) {
        ui_->progressBar->setRange(0, 100);
        ui_->progressBar->setValue(static_cast<int>(std::clamp<qint64>(received * 100 / total, 0, 100)));
        ui_->bytesLabel->setText(QStringLiteral("%1 / %2").arg(locale.formattedDataSize(received),
                                                               locale.formattedDataSize(total)));
    } else {
        // An empty range makes the bar show that it is busy.
        ui_->progressBar->setRange(0, 0);
        ui_->bytesLabel->setText(
            QStringLiteral("%1 / 大小未知").arg(locale.formattedDataSize(received)));
    }
}

void DownloadWindow::End(const QString& outcome) {
    ended_ = true;
    if (ui_->progressBar->maximum() == 0) {
        ui_->progressBar->setRange(0, 100);
    }
    ui_->stateLabel->setText(outcome);
    ui_->actionButton->setText(QStringLiteral("关闭"));
}

void DownloadWindow::OnButton() {
    if (ended_) {
        close();
    } else if (request_ != nullptr) {
        request_->cancel();
    }
}
