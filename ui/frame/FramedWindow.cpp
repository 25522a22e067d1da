#include "FramedWindow.h"

#include "ApproachWatcher.h"
#include "ClickLabel.h"
#include "ClickableAccessible.h"
#include "FrameSurface.h"
#include "PictureBox.h"
#include "TabOrder.h"
#include "Twips.h"
#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>

#include <memory>

namespace {

// Presses and releases on a control stay with that control, whether it uses
// them or not: in Qt an ignored press would travel on to the window and start
// a drag from a label.
void KeepPressesOnControls(QWidget& surface) {
    const auto controls = surface.findChildren<QWidget*>();
    for (QWidget* control : controls) {
        control->setAttribute(Qt::WA_NoMousePropagation);
    }
}

void CentreOnScreen(QWidget& surface) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    surface.move(area.x() + (area.width() - surface.width()) / 2,
                 area.y() + (area.height() - surface.height()) / 2);
}

} // namespace

FramedWindow::FramedWindow(WindowHost& host)
    : host_(host) {}

FramedWindow::~FramedWindow() {
    delete surface_.data();
}

void FramedWindow::Show() {
    if (!IsLoaded()) {
        Load();
    }
    surface_->show();
}

void FramedWindow::Load() {
    // Before any control exists, so none is described without it.
    InstallFrameAccessibility();
    // A layout that fails to build takes its half-built window with it.
    auto surface = std::make_unique<FrameSurface>(*this);
    BuildLayout(*surface);
    surface->setFixedSize(surface->size());
    BindFrameControls(*surface);
    KeepPressesOnControls(*surface);
    // Where the window system places windows, it decides where this one opens.
    if (!WindowSystemPlacesWindows(QGuiApplication::platformName())) {
        CentreOnScreen(*surface);
    }
    ApplyTabOrder(*surface);
    surface_ = surface.release();
}

void FramedWindow::Unload() {
    if (!IsLoaded()) {
        return;
    }
    FrameSurface* surface = surface_;
    surface_ = nullptr;
    // Often called from a handler of one of its own controls: hide it now and
    // let the event loop delete it once that handler has returned.
    surface->hide();
    surface->deleteLater();
    host_.WindowUnloaded(*this);
}

bool FramedWindow::IsLoaded() const {
    return !surface_.isNull();
}

QWidget* FramedWindow::Surface() const {
    return surface_.data();
}

void FramedWindow::BindFrameControls(QWidget& surface) {
    if (auto* labsmall = surface.findChild<ClickLabel*>(QStringLiteral("labsmall"))) {
        OnClick(labsmall, &FramedWindow::labsmall_Click);
    }
    if (auto* picclose = surface.findChild<PictureBox*>(QStringLiteral("picclose"))) {
        OnClick(picclose, &FramedWindow::picclose_Click);
    }
    if (auto* labclose = surface.findChild<ClickLabel*>(QStringLiteral("labclose"))) {
        OnClick(labclose, &FramedWindow::labclose_Click);
    }
}

void FramedWindow::PrepareOnApproach(QWidget* control, WindowName target) {
    new ApproachWatcher(*control, [this, target] { host_.PrepareFor(target); });
}

void FramedWindow::Form_MouseDown(std::int16_t button, std::int16_t, float x, float y) {
    PressOnBackground(drag_, button, x, y);
}

void FramedWindow::Form_MouseMove(std::int16_t, std::int16_t, float x, float y) {
    if (drag_.dragging == 0 || !IsLoaded()) {
        return;
    }
    const float left = static_cast<float>(surface_->x() * kTwipsPerPixel);
    const std::int32_t newLeft = DraggedEdge(left, drag_.pressX, x);
    const float top = static_cast<float>(surface_->y() * kTwipsPerPixel);
    const std::int32_t newTop = DraggedEdge(top, drag_.pressY, y);
    surface_->move(RoundHalfEven(newLeft / static_cast<double>(kTwipsPerPixel)),
                   RoundHalfEven(newTop / static_cast<double>(kTwipsPerPixel)));
}

void FramedWindow::Form_MouseUp(std::int16_t, std::int16_t, float, float) {
    ReleaseOnBackground(drag_);
}

void FramedWindow::picclose_Click() {
    Unload();
}

void FramedWindow::labclose_Click() {
    Unload();
}

void FramedWindow::labsmall_Click() {
    Minimize();
}

void FramedWindow::Minimize() {
    if (IsLoaded()) {
        surface_->setWindowState(surface_->windowState() | Qt::WindowMinimized);
    }
}
