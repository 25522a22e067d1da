#pragma once

#include "FramedWindow.h"
#include "VersionFileAddress.h"

#include <QPointer>

#include <memory>

class BrowserPane;
class PaneSource;

namespace Ui {
class download;
}

// The version file downloader: a file kind, a route and a version, and a
// browser pane sent to that file's address, which offers it for download.
class download final : public FramedWindow {
    Q_OBJECT
public:
    // The bases are the configured ones unless a caller sends the pane elsewhere.
    download(WindowHost& host, PaneSource& panes,
             VersionFileBases bases = ConfiguredVersionFileBases());
    ~download() override;

    void Label4_Click();
    void Picture1_Click();
    void Label5_Click();
    void Picture2_Click();

    // Sends the pane to the address of each (kind, route) pair whose two
    // options are both selected, in a fixed order, reading the version box
    // afresh for each.
    void StartVersionFileDownload();

protected:
    void BuildLayout(QWidget& surface) override;

private:
    PaneSource& panes_;
    const VersionFileBases bases_;
    // The controls of the loaded window; the pane is one of them.
    std::unique_ptr<Ui::download> ui_;
    QPointer<BrowserPane> WebBrowser1_;
};
