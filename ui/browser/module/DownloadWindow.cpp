#include "DownloadWindow.h"

#include "ui_DownloadWindow.h"

#include "DownloadJob.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLocale>
#include <QTextDocument>

#include <algorithm>

DownloadWindow::DownloadWindow(std::unique_ptr<DownloadJob> job)
    : ui_(std::make_unique<Ui::DownloadWindow>())
    , job_(job.release()) {
    job_->setParent(this);
    ui_->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    const QString chosen = job_->Part().ChosenPath();
    ui_->fileLabel->setText(QFileInfo(chosen).fileName());
    // The labels are plain text (DownloadWindow.ui); a tooltip is rich text
    // whenever it looks like markup, so the path goes in escaped.
    ui_->fileLabel->setToolTip(Qt::convertFromPlainText(chosen));
    connect(ui_->actionButton, &QPushButton::clicked, this, &DownloadWindow::OnButton);
    connect(job_, &DownloadJob::Changed, this, &DownloadWindow::Update);
    Update();
}

DownloadWindow::~DownloadWindow() = default;

void DownloadWindow::closeEvent(QCloseEvent* event) {
    job_->Cancel();
    event->accept();
}

void DownloadWindow::Update() {
    const qint64 received = job_->ReceivedBytes();
    const qint64 total = job_->TotalBytes();
    const QLocale locale;
    // A file its first server refused names its new source, and a failure
    // says why: either may take more lines than the window has.
    const QString source = QStringLiteral("来源：%1").arg(job_->Source());
    const bool reworded =
        ui_->sourceLabel->text() != source || ui_->stateLabel->text() != job_->Status();
    ui_->sourceLabel->setText(source);
    ui_->sourceLabel->setVisible(!job_->Source().isEmpty());
    ui_->stateLabel->setText(job_->Status());
    if (job_->Now() == DownloadJob::State::Succeeded) {
        ui_->progressBar->setRange(0, 100);
        ui_->progressBar->setValue(100);
    } else if (total > 0) {
        ui_->progressBar->setRange(0, 100);
        ui_->progressBar->setValue(
            static_cast<int>(std::clamp<qint64>(received * 100 / total, 0, 100)));
    } else {
        // An empty range makes the bar show that it is busy, which an ended
        // download no longer is.
        ui_->progressBar->setRange(0, job_->IsRunning() ? 0 : 100);
    }
    ui_->bytesLabel->setText(
        total > 0 ? QStringLiteral("%1 / %2").arg(locale.formattedDataSize(received),
                                                  locale.formattedDataSize(total))
                  : QStringLiteral("%1 / 大小未知").arg(locale.formattedDataSize(received)));
    ui_->actionButton->setText(job_->IsRunning() ? QStringLiteral("取消") : QStringLiteral("关闭"));
    if (const int needed = heightForWidth(width()); reworded && needed > height()) {
        resize(width(), needed);
    }
}

void DownloadWindow::OnButton() {
    if (job_->IsRunning()) {
        job_->Cancel();
    } else {
        close();
    }
}
