#include "PaneModule.h"

#include "DownloadStarter.h"
#include "EngineSession.h"
#include "WebPane.h"

#include <QFileDialog>
#include <QTimer>

namespace {

QString AskWithSaveDialog(QWidget* parent, const QString& suggestedPath) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("保存"), suggestedPath);
}

} // namespace

PaneModule::PaneModule()
    : chooser_(&AskWithSaveDialog) {}

EngineSession& PaneModule::Session() {
    // The session asks through this object, which lives as long as the module.
    return EngineSession::Get([this](QWidget* parent, const QString& suggestedPath) {
        return chooser_(parent, suggestedPath);
    });
}

BrowserPane* PaneModule::CreatePane(QWidget& holder) {
    paneMade_ = true;
    return new WebPane(Session(), &holder);
}

// The first page is set up on a later turn of the event loop than the
// engine, so a click in between waits for one of them only; a pane made
// meanwhile has done it.
void PaneModule::Prepare() {
    Session();
    QTimer::singleShot(0, this, [this] {
        if (!paneMade_) {
            Session().SetUpFirstPage();
        }
    });
}

void PaneModule::SetSaveLocationChooser(SaveLocationChooser chooser) {
    chooser_ = chooser ? std::move(chooser) : SaveLocationChooser(&AskWithSaveDialog);
}

void PaneModule::EndWhenDownloadsDone(std::function<void()> end) {
    if (EngineSession* session = EngineSession::Running()) {
        session->Downloads().EndWhenDone(std::move(end));
    } else {
        end();
    }
}
