#pragma once

#include "EffectTable.h"
#include "FramedWindow.h"

#include <QList>

#include <memory>

namespace Ui {
class effect;
}

// The "/effect" command generator: four groups of choices and three custom
// boxes in, the command out into a box for the user to copy.
class effect final : public FramedWindow {
    Q_OBJECT
public:
    explicit effect(WindowHost& host);
    ~effect() override;

    void Label4_Click();
    void Picture1_Click();
    void Option27_Click();
    void Option28_Click();
    void Option31_Click();
    void Option34_Click();
    void Option35_Click();
    void Option36_Click();
    void Combo1_Click();
    void EffectOption_Click();
    void Label5_Click();
    void Picture2_Click();

protected:
    void BuildLayout(QWidget& surface) override;

private:
    void GenerateEffectCommand();
    // The options of the effect frame, "全部消除" and the twin of Speed among them.
    QList<OptionButton*> EffectOptions() const;
    // Offers the effects of the form's game that no option stands for,
    // keeping the chosen one if that game has it.
    void ListEffectsOf(EffectForm form);

    // The controls of the loaded window; null while it is unloaded.
    std::unique_ptr<Ui::effect> ui_;
};
