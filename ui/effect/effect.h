#pragma once

#include "FramedWindow.h"

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
    void Label5_Click();
    void Picture2_Click();

protected:
    void BuildLayout(QWidget& surface) override;

private:
    void GenerateEffectCommand();

    // The controls of the loaded window; null while it is unloaded.
    std::unique_ptr<Ui::effect> ui_;
};
