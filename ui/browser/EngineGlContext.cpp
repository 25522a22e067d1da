#include "EngineGlContext.h"

#include <QCoreApplication>
#include <QOpenGLContext>

#include <memory>
#include <stdexcept>

// Qt's own setter of the application-wide context; its modules, the web
// engine among them, declare it the same way.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace {

QOpenGLContext* shared = nullptr;

// Qt warns that this attribute belongs before the application object; that
// holds for contexts made earlier, and there are none: no window of the
// toolbox draws with OpenGL.
void SetShareAttributeQuietly() {
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    qInstallMessageHandler(previous);
}

void DeleteSharedContext() {
    qt_gl_set_global_share_context(nullptr);
    delete shared;
    shared = nullptr;
}

} // namespace

void ShareGlContextWithEngine() {
    if (QOpenGLContext::globalShareContext() != nullptr) {
        return;
    }
    // Mesa keeps the shaders it compiles in the user's cache folder; the
    // toolbox keeps no files. Read when the first context is made, here or in
    // the engine; a value the user set stands.
    if (!qEnvironmentVariableIsSet("MESA_SHADER_CACHE_DISABLE")) {
        qputenv("MESA_SHADER_CACHE_DISABLE", "true");
    }
    auto context = std::make_unique<QOpenGLContext>();
    if (!context->create()) {
        throw std::runtime_error("无法创建浏览器所需的 OpenGL 环境");
    }
    shared = context.release();
    qt_gl_set_global_share_context(shared);
    SetShareAttributeQuietly();
    // Clean-up routines run last registered first: the engine, started after
    // this, shuts down before its context goes.
    qAddPostRoutine(&DeleteSharedContext);
}
