#pragma once

#include "FramedWindow.h"

// The main menu: three entry tiles, each switching to its tool window.
class Form1 final : public FramedWindow {
    Q_OBJECT
public:
    explicit Form1(WindowHost& host);

    void Image1_Click();
    void Picture1_Click();
    void Label3_Click();
    void Picture2_Click();
    void Label4_Click();
    void picsmall_Click();
    void labsmall_Click() override;
    void labclose_Click() override;

protected:
    void BuildLayout(QWidget& surface) override;
};
