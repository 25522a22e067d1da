#pragma once

#include "FramedWindow.h"
#include "VersionFileAddress.h"
#include "VersionListFetch.h"

#include <QPointer>

#include <memory>

class BrowserPane;
class Fetcher;
class PaneSource;
class VersionPicker;

namespace Ui {
class download;
}

// The version file downloader: a file kind, a route and a version, and a
// browser pane sent to that file's address, which offers it for download.
class download final : public FramedWindow {
    Q_OBJECT
public:
    // The bases and the list's sources are the configured ones unless a
    // caller sends the pane elsewhere. The list is asked through `fetcher`,
    // or through a fetcher of the window's own when there is none.
    download(WindowHost& host, PaneSource& panes,
             VersionFileBases bases = ConfiguredVersionFileBases(),
             VersionListSources lists = ConfiguredVersionListSources(), Fetcher* fetcher = nullptr);
    ~download() override;

    void Label4_Click();
    void Picture1_Click();
    void Label5_Click();
    void Picture2_Click();
    void Command1_Click();

    // Sends the pane to the address of each (kind, route) pair whose two
    // options are both selected, in a fixed order, reading the version box
    // afresh for each.
    void StartVersionFileDownload();

    // Opens the list of versions over the window, read over the chosen
    // route, at most once each load; choosing one puts it into the version
    // box, nothing else.
    void OpenVersionList();

protected:
    void BuildLayout(QWidget& surface) override;

private:
    Fetcher& ListFetcher();
    void MakeVersionList(QWidget& surface);
    void ListAnswered(const VersionListAnswer& answer);
    void VersionChosen(const QString& id);

    PaneSource& panes_;
    const VersionFileBases bases_;
    const VersionListSources lists_;
    Fetcher* fetcher_;
    std::unique_ptr<Fetcher> ownFetcher_;
    // The controls of the loaded window; the pane is one of them.
    std::unique_ptr<Ui::download> ui_;
    QPointer<BrowserPane> WebBrowser1_;
    // Both go with the loaded controls.
    QPointer<VersionListFetch> listFetch_;
    QPointer<VersionPicker> picker_;
    // The route the list was last opened for.
    ListRoute listRoute_ = ListRoute::NoneChosen;
};
