#include "effect.h"

#include "EffectCommand.h"
#include "ui_effect.h"

#include <QString>

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
    OnClick(ui_->Label5, &effect::Label5_Click);
    OnClick(ui_->Picture2, &effect::Picture2_Click);
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

    const EffectCommand built = BuildEffectCommand(choices);
    ui_->Text3->setText(QString::fromStdString(built.effectText));
    ui_->Text6->setText(QString::fromStdString(built.amplifierText));
    ui_->Text5->setText(QString::fromStdString(built.command));
}
