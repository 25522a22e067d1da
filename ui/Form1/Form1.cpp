#include "Form1.h"

#include "ui_Form1.h"

Form1::Form1(WindowHost& host)
    : FramedWindow(host) {}

void Form1::BuildLayout(QWidget& surface) {
    Ui::Form1 ui;
    ui.setupUi(&surface);
    OnClick(ui.Image1, &Form1::Image1_Click);
    OnClick(ui.Picture1, &Form1::Picture1_Click);
    OnClick(ui.Label3, &Form1::Label3_Click);
    OnClick(ui.Picture2, &Form1::Picture2_Click);
    OnClick(ui.Label4, &Form1::Label4_Click);
    OnClick(ui.picsmall, &Form1::picsmall_Click);
    // The windows with a browser pane take a while to open the first time;
    // the moments before a click on their tiles are used to get them ready.
    PrepareOnApproach(ui.Image1, WindowName::skin);
    PrepareOnApproach(ui.Picture2, WindowName::download);
    PrepareOnApproach(ui.Label4, WindowName::download);
}

void Form1::Image1_Click() {
    Host().SwitchTo(WindowName::skin);
}

void Form1::Picture1_Click() {
    Host().SwitchTo(WindowName::effect);
}

void Form1::Label3_Click() {
    Host().SwitchTo(WindowName::effect);
}

void Form1::Picture2_Click() {
    Host().SwitchTo(WindowName::download);
}

void Form1::Label4_Click() {
    Host().SwitchTo(WindowName::download);
}

void Form1::picsmall_Click() {
    Minimize();
}

// The labels lie over the whole visible part of their boxes and hand their
// clicks to the boxes.
void Form1::labsmall_Click() {
    picsmall_Click();
}

void Form1::labclose_Click() {
    picclose_Click();
}
