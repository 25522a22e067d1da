#include "ModulePaneSource.h"

#include "BrowserPane.h"
#include "BrowserPaneModule.h"
#include "EngineGlContext.h"

#include <QCoreApplication>
#include <QLayout>
#include <QTimer>
#include <QVBoxLayout>

#include <stdexcept>

ModulePaneSource::ModulePaneSource()
    : ModulePaneSource(QCoreApplication::applicationDirPath() +
                       QStringLiteral("/" CT_PANE_MODULE_FROM_BINDIR "/" CT_PANE_MODULE_NAME)) {}

ModulePaneSource::ModulePaneSource(const QString& modulePath)
    : modulePath_(modulePath)
    , loader_(modulePath) {}

BrowserPaneModule& ModulePaneSource::Module() {
    if (module_ == nullptr) {
        ShareGlContextWithEngine();
        QObject* root = loader_.instance();
        if (root == nullptr) {
            // The loader's reason does not always name the file.
            throw std::runtime_error(QStringLiteral("无法加载浏览器模块 %1：%2")
                                         .arg(modulePath_, loader_.errorString())
                                         .toStdString());
        }
        module_ = qobject_cast<BrowserPaneModule*>(root);
        if (module_ == nullptr) {
            throw std::runtime_error(
                QStringLiteral("%1 不是浏览器模块").arg(modulePath_).toStdString());
        }
    }
    return *module_;
}

BrowserPane& ModulePaneSource::CreatePane(QWidget& holder) {
    BrowserPane* pane = Module().CreatePane(holder);
    QLayout* layout = holder.layout();
    if (layout == nullptr) {
        layout = new QVBoxLayout(&holder);
    }
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pane);
    return *pane;
}

void ModulePaneSource::Prepare() {
    if (preparing_) {
        return;
    }
    preparing_ = true;
    // The same steps as Module(), each of which finds its work done if a
    // pane was wanted meanwhile.
    Later([this] {
        ShareGlContextWithEngine();
        Later([this] {
            if (loader_.load()) {
                Later([this] { Module().Prepare(); });
            }
        });
    });
}

void ModulePaneSource::Later(std::function<void()> step) {
    QTimer::singleShot(0, &steps_, [step = std::move(step)] {
        try {
            step();
        } catch (const std::exception&) {
            // Said when a pane is wanted: Module() meets the same failure.
        }
    });
}

// A module never loaded has started no download.
void ModulePaneSource::EndWhenIdle(std::function<void()> end) {
    if (module_ == nullptr) {
        end();
        return;
    }
    module_->EndWhenDownloadsDone(std::move(end));
}
