#include "FramedWindow.h"

#include "ClickLabel.h"
#include "ClickableAccessible.h"
#include "FrameSurface.h"
#include "PictureBox.h"
#include "Twips.h"
#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

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

// The stored layout gives each control its place in the tab order as the
// dynamic property "tabIndex". The controls that can take the focus follow
// each other in that order, and the first of them that can take it now gets
// the focus when the window opens.
void ApplyTabOrder(QWidget& surface) {
    std::vector<std::pair<int, QWidget*>> stops;
    const auto controls = surface.findChildren<QWidget*>();
    for (QWidget* control : controls) {
        const QVariant index = control->property("tabIndex");
        if (index.isValid() && (control->focusPolicy() & Qt::TabFocus)) {
            stops.emplace_back(index.toInt(), control);
        }
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < stops.size(); ++i) {
        QWidget::setTabOrder(stops[i - 1].second, stops[i].second);
    }
    for (const auto& [index, control] : stops) {
        if (control->isEnabled() && control->isVisibleTo(&surface)) {
            control->setFocus(Qt::TabFocusReason);
            // The focus arrives for real only once the window system makes
            // the window active, which some never do for a window the user
            // did not click. An option button takes its selection now, as
            // the focus arriving would give it.
            if (auto* option = qobject_cast<OptionButton*>(control)) {
                option->setChecked(true);
            }
            return;
        }
    }
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
