#pragma once

#include <QWidget>

#include <memory>

class DownloadJob;

namespace Ui {
class DownloadWindow;
}

// Shows one download job: name, source, progress and bytes while it runs,
// its outcome once it ends. The window owns the job; closing the window
// while the download runs cancels it.
class DownloadWindow final : public QWidget {
    Q_OBJECT

public:
    explicit DownloadWindow(std::unique_ptr<DownloadJob> job);
    ~DownloadWindow() override;

    DownloadJob& Job() { return *job_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Update();
    void OnButton();

    std::unique_ptr<Ui::DownloadWindow> ui_;
    DownloadJob* job_;
};
