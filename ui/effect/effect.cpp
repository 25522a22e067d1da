#include "effect.h"

#include "EffectCommand.h"
#include "ui_effect.h"

#include <QString>
#include <QVariant>

#include <array>

effect::effect(WindowHost& host)
    : FramedWindow(host) {}

effect::~effect() = default;

void effect::BuildLayout(QWidget& surface) {
    ui_ = std::make_unique<Ui::effect>();
    ui_->setupUi(&surface);
    OnClick(ui_->Label4, &effect::Label4_Click);
    OnClick(ui_->Picture1, &effect::Picture1_Click);
    OnClick(ui_->Option27, &effect::Option27_Click);
    OnClick(ui_->Option28, &effect::Option28_Click);
    OnClick(ui_->Option31, &effect::Option31_Click);
    OnClick(ui_->Option34, &effect::Option34_Click);
    OnClick(ui_->Option35, &effect::Option35_Click);
    OnClick(ui_->Option36, &effect::Option36_Click);
    OnClick(ui_->Combo1, &effect::Combo1_Click);
    for (OptionButton* option : EffectOptions()) {
        OnClick(option, &effect::EffectOption_Click);
    }
    OnClick(ui_->Label5, &effect::Label5_Click);
    OnClick(ui_->Picture2, &effect::Picture2_Click);
    // With no game chosen the command takes the old form.
    ListEffectsOf(EffectForm::Old);
}

QList<OptionButton*> effect::EffectOptions() const {
    return ui_->Frame1->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly);
}

void effect::ListEffectsOf(EffectForm form) {
    QComboBox& list = *ui_->Combo1;
    const QVariant kept = list.currentData();
    list.clear();
    const auto rows = EffectRows();
    for (std::size_t row = kFirstListedEffect; row < rows.size(); ++row) {
        if (!EffectIdIn(rows[row], form).empty()) {
            const std::string_view name = rows[row].name;
            list.addItem(QString::fromUtf8(name.data(), qsizetype(name.size())),
                         QVariant::fromValue(qulonglong(row)));
        }
    }
    // Nothing chosen stays so; an effect the new game lacks is let go.
    list.setCurrentIndex(kept.isValid() ? list.findData(kept) : -1);
}

void effect::Label4_Click() {
    GenerateEffectCommand();
}

void effect::Picture1_Click() {
    GenerateEffectCommand();
}

void effect::Option27_Click() {
    ui_->Text1->setEnabled(true);
}

void effect::Option28_Click() {
    ui_->Text2->setEnabled(true);
}

void effect::Option31_Click() {
    ui_->Text4->setEnabled(true);
}

void effect::Option34_Click() {
    ListEffectsOf(EffectForm::Old);
}

void effect::Option35_Click() {
    ListEffectsOf(EffectForm::Java);
}

void effect::Option36_Click() {
    ListEffectsOf(EffectForm::Bedrock);
}

// One effect at a time: an effect from the list clears the effect frame's
// option, and an option there clears the list.
void effect::Combo1_Click() {
    for (OptionButton* option : EffectOptions()) {
        if (option->isChecked()) {
            // A group keeps its selection unless let go of it first.
            option->setAutoExclusive(false);
            option->setChecked(false);
            option->setAutoExclusive(true);
        }
    }
}

void effect::EffectOption_Click() {
    ui_->Combo1->setCurrentIndex(-1);
}

void effect::Label5_Click() {
    Host().SwitchTo(WindowName::Form1);
}

void effect::Picture2_Click() {
    Host().SwitchTo(WindowName::Form1);
}

// Reads every choice as it stands now and writes the effect text, the
// amplifier text and the command, in that order. The boxes keep every text
// whole, so the command holds exactly what the two hidden boxes now show.
void effect::GenerateEffectCommand() {
    const std::array<const OptionButton*, 37> options = {
        ui_->Option0,  ui_->Option1,  ui_->Option2,  ui_->Option3,  ui_->Option4,  ui_->Option5,
        ui_->Option6,  ui_->Option7,  ui_->Option8,  ui_->Option9,  ui_->Option10, ui_->Option11,
        ui_->Option12, ui_->Option13, ui_->Option14, ui_->Option15, ui_->Option16, ui_->Option17,
        ui_->Option18, ui_->Option19, ui_->Option20, ui_->Option21, ui_->Option22, ui_->Option23,
        ui_->Option24, ui_->Option25, ui_->Option26, ui_->Option27, ui_->Option28, ui_->Option29,
        ui_->Option30, ui_->Option31, ui_->Option32, ui_->Option33, ui_->Option34, ui_->Option35,
        ui_->Option36,
    };
    EffectChoices choices;
    for (std::size_t n = 0; n < options.size(); ++n) {
        choices.chosen[n] = options[n]->isChecked();
    }
    choices.text1 = ui_->Text1->text().toStdString();
    choices.text2 = ui_->Text2->text().toStdString();
    choices.text4 = ui_->Text4->text().toStdString();
    const QVariant listed = ui_->Combo1->currentData();
    if (listed.isValid()) {
        choices.listedEffect = std::size_t(listed.toULongLong());
    }
    choices.hideParticles = ui_->Check1->isChecked();

    const EffectCommand built = BuildEffectCommand(choices);
    ui_->Text3->setText(QString::fromStdString(built.effectText));
    ui_->Text6->setText(QString::fromStdString(built.amplifierText));
    ui_->Text5->setText(QString::fromStdString(built.command));
}
