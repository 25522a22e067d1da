#pragma once

#include "FramedWindow.h"
#include "SkinAddress.h"

#include <QPointer>

#include <memory>

class BrowserPane;
class PaneSource;

namespace Ui {
class skin;
}

// The skin fetcher: a source and kind, a player name, and a browser pane
// sent to the address of that player's skin or cape image.
class skin final : public FramedWindow {
    Q_OBJECT
public:
    // The bases are the configured ones unless a caller sends the pane elsewhere.
    skin(WindowHost& host, PaneSource& panes, SkinBases bases = ConfiguredSkinBases());
    ~skin() override;

    void Label6_Click();
    void Picture2_Click();
    void Label4_Click();
    void Label5_Click();
    void Picture1_Click();

    // Sends the pane to the address of each selected option, in the options'
    // order, reading the name box afresh for each.
    void StartSkinFetch();

protected:
    void BuildLayout(QWidget& surface) override;

private:
    PaneSource& panes_;
    const SkinBases bases_;
    // The controls of the loaded window; the pane is one of them.
    std::unique_ptr<Ui::skin> ui_;
    QPointer<BrowserPane> WebBrowser1_;
};
