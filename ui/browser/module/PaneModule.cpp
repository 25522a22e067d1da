#include "PaneModule.h"

#include "DownloadStarter.h"
#include "EngineSession.h"
#include "WebPane.h"

#include <QFileDialog>

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
    return new WebPane(Session(), &holder);
}

void PaneModule::Prepare() {
    Session().SetUpFirstPage();
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
