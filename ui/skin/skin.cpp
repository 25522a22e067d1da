#include "skin.h"

#include "BrowserPane.h"
#include "PaneSource.h"
#include "SkinAddress.h"
#include "ui_skin.h"

#include <QMessageBox>

#include <utility>

skin::skin(WindowHost& host, PaneSource& panes, SkinBases bases)
    : FramedWindow(host)
    , panes_(panes)
    , bases_(std::move(bases)) {}

skin::~skin() = default;

void skin::BuildLayout(QWidget& surface) {
    ui_ = std::make_unique<Ui::skin>();
    ui_->setupUi(&surface);
    WebBrowser1_ = &panes_.CreatePane(*ui_->WebBrowser1);
    OnClick(ui_->Label6, &skin::Label6_Click);
    OnClick(ui_->Picture2, &skin::Picture2_Click);
    OnClick(ui_->Label4, &skin::Label4_Click);
    OnClick(ui_->Label5, &skin::Label5_Click);
    OnClick(ui_->Picture1, &skin::Picture1_Click);
}

void skin::Label6_Click() {
    StartSkinFetch();
}

void skin::Picture2_Click() {
    StartSkinFetch();
}

void skin::Label4_Click() {
    QMessageBox::warning(Surface(), QStringLiteral("皮肤获取器"),
                         QStringLiteral("如果显示这个提示就表明您的[皮肤类型/用户名]不正确!"));
}

void skin::Label5_Click() {
    Host().SwitchTo(WindowName::Form1);
}

void skin::Picture1_Click() {
    Host().SwitchTo(WindowName::Form1);
}

void skin::StartSkinFetch() {
    const std::pair<const OptionButton*, SkinChoice> options[] = {
        {ui_->Option1, SkinChoice::OfficialSkin},
        {ui_->Option2, SkinChoice::OfficialCape},
        {ui_->Option3, SkinChoice::SkinmeSkin},
        {ui_->Option4, SkinChoice::SkinmeCape},
    };
    for (const auto& [option, choice] : options) {
        if (option->isChecked()) {
            const std::string address =
                BuildSkinAddress(choice, ui_->Text1->text().toStdString(), bases_);
            WebBrowser1_->Navigate(QString::fromStdString(address));
        }
    }
}
