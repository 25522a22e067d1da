#include "download.h"

#include "BrowserPane.h"
#include "NetworkFetcher.h"
#include "PaneSource.h"
#include "TabOrder.h"
#include "VersionPicker.h"
#include "ui_download.h"

#include <utility>

namespace {

// A selected option reads as -1 and an unselected one as 0, as 16-bit values.
qint16 ControlValue(const OptionButton& option) {
    return option.isChecked() ? qint16(-1) : qint16(0);
}

} // namespace

download::download(WindowHost& host, PaneSource& panes, VersionFileBases bases,
                   VersionListSources lists, Fetcher* fetcher)
    : FramedWindow(host)
    , panes_(panes)
    , bases_(std::move(bases))
    , lists_(std::move(lists))
    , fetcher_(fetcher) {}

download::~download() = default;

void download::BuildLayout(QWidget& surface) {
    ui_ = std::make_unique<Ui::download>();
    ui_->setupUi(&surface);
    WebBrowser1_ = &panes_.CreatePane(*ui_->WebBrowser1);
    // The pane opens at the address stored with it in the layout.
    WebBrowser1_->Navigate(ui_->WebBrowser1->property("startAddress").toString());
    OnClick(ui_->Label4, &download::Label4_Click);
    OnClick(ui_->Picture1, &download::Picture1_Click);
    OnClick(ui_->Label5, &download::Label5_Click);
    OnClick(ui_->Picture2, &download::Picture2_Click);
    OnClick(ui_->Command1, &download::Command1_Click);
}

void download::Label4_Click() {
    StartVersionFileDownload();
}

void download::Picture1_Click() {
    StartVersionFileDownload();
}

void download::Label5_Click() {
    Host().SwitchTo(WindowName::Form1);
}

void download::Picture2_Click() {
    Host().SwitchTo(WindowName::Form1);
}

void download::Command1_Click() {
    OpenVersionList();
}

Fetcher& download::ListFetcher() {
    if (fetcher_ == nullptr) {
        ownFetcher_ = std::make_unique<NetworkFetcher>(ConfiguredVersionListTimeoutMs());
        fetcher_ = ownFetcher_.get();
    }
    return *fetcher_;
}

void download::OpenVersionList() {
    if (picker_ == nullptr) {
        MakeVersionList(*Surface());
    }
    const ListRoute route = ui_->Option4->isChecked()   ? ListRoute::Mirror
                            : ui_->Option5->isChecked() ? ListRoute::Official
                                                        : ListRoute::NoneChosen;
    picker_->OpenReading(
        ListSourceLine(route, route == ListRoute::Mirror ? lists_.mirror : lists_.official));
    listRoute_ = route;
    listFetch_->Ask(route, *picker_, [this, route](const VersionListAnswer& answer) {
        // A route's list that comes after the list was opened for another.
        if (route == listRoute_) {
            ListAnswered(answer);
        }
    });
}

void download::MakeVersionList(QWidget& surface) {
    // Made at the first opening, so the window loads as its stored layout
    // has it; what was read goes with this load of the window.
    listFetch_ = new VersionListFetch(ListFetcher(), lists_, &surface);
    picker_ = new VersionPicker(surface);
    // After the stored controls in the tab order, its own in the order made.
    picker_->setProperty("tabIndex", ui_->Command1->property("tabIndex").toInt() + 1);
    OrderTabStops(surface);
    connect(picker_, &VersionPicker::chosen, this, &download::VersionChosen);
    connect(picker_, &VersionPicker::closed, ui_->Command1,
            [this] { ui_->Command1->setFocus(Qt::OtherFocusReason); });
}

void download::ListAnswered(const VersionListAnswer& answer) {
    if (answer.list) {
        picker_->ShowList(answer.source, answer.list->versions);
    } else {
        picker_->ShowReason(answer.source, answer.reason);
    }
}

void download::VersionChosen(const QString& id) {
    ui_->Text1->setText(id);
    ui_->Text1->setFocus(Qt::OtherFocusReason);
}

void download::StartVersionFileDownload() {
    struct Pair {
        const OptionButton* kindOption;
        const OptionButton* routeOption;
        VersionFileKind kind;
        DownloadRoute route;
    };
    const Pair pairs[] = {
        {ui_->Option1, ui_->Option4, VersionFileKind::ClientJar, DownloadRoute::DomesticMirror},
        {ui_->Option1, ui_->Option5, VersionFileKind::ClientJar, DownloadRoute::OfficialStore},
        {ui_->Option2, ui_->Option4, VersionFileKind::VersionJson, DownloadRoute::DomesticMirror},
        {ui_->Option2, ui_->Option5, VersionFileKind::VersionJson, DownloadRoute::OfficialStore},
        {ui_->Option3, ui_->Option4, VersionFileKind::ServerJar, DownloadRoute::DomesticMirror},
        {ui_->Option3, ui_->Option5, VersionFileKind::ServerJar, DownloadRoute::OfficialStore},
    };
    for (const Pair& pair : pairs) {
        const qint16 kindValue = ControlValue(*pair.kindOption);
        const qint16 routeValue = ControlValue(*pair.routeOption);
        if ((kindValue & routeValue) != 0) {
            const std::string address = BuildVersionFileAddress(
                pair.kind, pair.route, ui_->Text1->text().toStdString(), bases_);
            WebBrowser1_->Navigate(QString::fromStdString(address));
        }
    }
}
