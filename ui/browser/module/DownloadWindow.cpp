#include "DownloadWindow.h"

#include "ui_DownloadWindow.h"

#include "FileCheck.h"
#include "LateCheck.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLocale>
#include <QMetaEnum>
#include <QWebEngineDownloadRequest>

#include <algorithm>

namespace {

// The engine reports reasons its own list does not name (a connection that
// ended before the promised length is one) and then describes them as a
// cancel by the user; those get their number instead.
QString InterruptReason(const QWebEngineDownloadRequest& request) {
    const QMetaEnum reasons =
        QMetaEnum::fromType<QWebEngineDownloadRequest::DownloadInterruptReason>();
    if (reasons.valueToKey(request.interruptReason()) == nullptr) {
        return QStringLiteral("下载中断（原因 %1）").arg(request.interruptReason());
    }
    return request.interruptReasonString();
}

} // namespace

DownloadWindow::DownloadWindow(PartFile part, DownloadExpectation expected)
    : ui_(std::make_unique<Ui::DownloadWindow>())
    , part_(std::move(part))
    , expected_(std::move(expected)) {
    ui_->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    ui_->fileLabel->setText(QFileInfo(part_.ChosenPath()).fileName());
    ui_->fileLabel->setToolTip(part_.ChosenPath());
    ui_->sourceLabel->setText(QStringLiteral("来源：%1").arg(expected_.source));
    ui_->sourceLabel->setVisible(!expected_.source.isEmpty());
    connect(ui_->actionButton, &QPushButton::clicked, this, &DownloadWindow::OnButton);
}

// Requests stay with the profile: deleting one would also drop a newer request
// for the same download, which the engine files under the same id.
DownloadWindow::~DownloadWindow() {
    if (!ended_) {
        if (request_ != nullptr) {
            request_->cancel();
        }
        part_.Discard();
    }
}

void DownloadWindow::Follow(QWebEngineDownloadRequest& request) {
    if (ended_) {
        return;
    }
    if (request_ != nullptr) {
        disconnect(request_, nullptr, this, nullptr);
    }
    // The directory first: setting it renames the file unless a name was set.
    request.setDownloadDirectory(part_.Directory());
    request.setDownloadFileName(part_.FileName());
    request.accept();
    request_ = &request;
    downloadId_ = request.id();

    // Queued, so the state is read only after the engine has set all of it:
    // it reports a new state before the byte counts that go with it.
    connect(&request, &QWebEngineDownloadRequest::stateChanged, this, &DownloadWindow::Update,
            Qt::QueuedConnection);
    connect(&request, &QWebEngineDownloadRequest::receivedBytesChanged, this,
            &DownloadWindow::Update, Qt::QueuedConnection);
    connect(&request, &QWebEngineDownloadRequest::totalBytesChanged, this, &DownloadWindow::Update,
            Qt::QueuedConnection);
    Update();
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
    case QWebEngineDownloadRequest::DownloadCompleted:
        if (!waitingForCheck_) {
            Finish();
        }
        return;
    case QWebEngineDownloadRequest::DownloadCancelled:
        part_.Discard();
        End(QStringLiteral("已取消"));
        return;
    case QWebEngineDownloadRequest::DownloadInterrupted:
        // The engine keeps a partial file to resume from; nothing resumes here.
        part_.Discard();
        End(QStringLiteral("下载失败：%1").arg(InterruptReason(*request_)));
        return;
    }
}

void DownloadWindow::ShowBytes(qint64 received, qint64 total) {
    const QLocale locale;
    if (total > 0) {
        ui_->progressBar->setRange(0, 100);
        ui_->progressBar->setValue(
            static_cast<int>(std::clamp<qint64>(received * 100 / total, 0, 100)));
        ui_->bytesLabel->setText(QStringLiteral("%1 / %2").arg(locale.formattedDataSize(received),
                                                               locale.formattedDataSize(total)));
    } else {
        // An empty range makes the bar show that it is busy.
        ui_->progressBar->setRange(0, 0);
        ui_->bytesLabel->setText(
            QStringLiteral("%1 / 大小未知").arg(locale.formattedDataSize(received)));
    }
}

// Checked while still under the part's name: a file that does not match
// never appears under the chosen one. A check still being asked for, and
// worth waiting for, is waited for.
void DownloadWindow::Finish() {
    if (expected_.late && !expected_.late->IsSettled() && expected_.late->WorthWaitingFor()) {
        if (!waitingForCheck_) {
            waitingForCheck_ = true;
            ui_->stateLabel->setText(
                QStringLiteral("正在等待%1以校验文件…").arg(expected_.late->Against()));
            connect(expected_.late.get(), &LateCheck::Settled, this, &DownloadWindow::Finish,
                    Qt::SingleShotConnection);
        }
        return;
    }
    const DownloadExpectation check = CheckToApply(expected_);
    expected_.late.reset();
    QString outcome = QStringLiteral("下载完成");
    if (check.Checkable()) {
        const QString mismatch = CheckFile(part_.Path(), check);
        if (!mismatch.isEmpty()) {
            part_.Discard();
            End(QStringLiteral("下载失败：文件校验不符，已删除（%1）").arg(mismatch));
            return;
        }
        outcome = check.checkedAgainst.isEmpty()
                      ? QStringLiteral("下载完成（已校验）")
                      : QStringLiteral("下载完成（已按%1校验）").arg(check.checkedAgainst);
    } else if (!check.unverifiedReason.isEmpty()) {
        outcome = QStringLiteral("下载完成（未校验：%1）").arg(check.unverifiedReason);
    }
    const QString error = part_.Commit();
    if (!error.isEmpty()) {
        part_.Discard();
        End(QStringLiteral("下载失败：无法保存到 %1（%2）").arg(part_.ChosenPath(), error));
        return;
    }
    ui_->progressBar->setRange(0, 100);
    ui_->progressBar->setValue(100);
    End(outcome);
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
