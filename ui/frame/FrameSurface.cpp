#include "FrameSurface.h"

#include "DragMath.h"
#include "FramedWindow.h"
#include "RunTimeError.h"
#include "TabOrder.h"
#include "Twips.h"
#include "WindowPlacement.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>

namespace {

// The one button that changed, as a bit; 0 for buttons the handlers do not know.
std::int16_t ButtonBit(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return kLeftButton;
    case Qt::RightButton:
        return kRightButton;
    case Qt::MiddleButton:
        return kMiddleButton;
    default:
        return 0;
    }
}

std::int16_t ButtonBits(Qt::MouseButtons buttons) {
    std::int16_t bits = 0;
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (buttons & button) {
            bits |= ButtonBit(button);
        }
    }
    return bits;
}

std::int16_t ShiftBits(Qt::KeyboardModifiers modifiers) {
    std::int16_t bits = 0;
    if (modifiers & Qt::ShiftModifier) {
        bits |= 1;
    }
    if (modifiers & Qt::ControlModifier) {
        bits |= 2;
    }
    if (modifiers & Qt::AltModifier) {
        bits |= 4;
    }
    return bits;
}

// The pointer's place within `window` as the window stands now, from the
// pointer's place on the screen. The event's own position is measured
// against where the window stood when the pointer moved: where the window
// system applies moves later than they are asked for, that is behind the
// place the window has been asked to, and adding it to that place would
// count the way in between twice.
QPointF TwipsIn(const QWidget& window, const QMouseEvent& event) {
    return (event.globalPosition() - QPointF(window.pos())) * kTwipsPerPixel;
}

} // namespace

FrameSurface::FrameSurface(FramedWindow& owner)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , owner_(owner) {
    // The windows' default font, for controls whose layout stores none: the
    // one the layouts were drawn with.
    setFont(QFont(QStringLiteral("宋体"), 9));
}

void FrameSurface::mousePressEvent(QMouseEvent* event) {
    event->accept();
    const std::int16_t button = ButtonBit(event->button());
    if (button == 0) {
        return;
    }
    // Where the program cannot move its own windows, a left press hands the
    // move to the window system, which then keeps the pointer until the
    // button is released; no drag of our own starts.
    if (button == kLeftButton && WindowSystemPlacesWindows(QGuiApplication::platformName()) &&
        windowHandle() != nullptr && windowHandle()->startSystemMove()) {
        return;
    }
    const QPointF at = TwipsIn(*this, *event);
    RunHandler([&] {
        owner_.Form_MouseDown(button, ShiftBits(event->modifiers()), static_cast<float>(at.x()),
                              static_cast<float>(at.y()));
    });
}

void FrameSurface::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    const QPointF at = TwipsIn(*this, *event);
    RunHandler([&] {
        owner_.Form_MouseMove(ButtonBits(event->buttons()), ShiftBits(event->modifiers()),
                              static_cast<float>(at.x()), static_cast<float>(at.y()));
    });
}

void FrameSurface::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    const std::int16_t button = ButtonBit(event->button());
    if (button == 0) {
        return;
    }
    const QPointF at = TwipsIn(*this, *event);
    RunHandler([&] {
        owner_.Form_MouseUp(button, ShiftBits(event->modifiers()), static_cast<float>(at.x()),
                            static_cast<float>(at.y()));
    });
}

// The second press of a double click raises no MouseDown; its release still
// raises MouseUp.
void FrameSurface::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

// Closing from the window system (Alt+F4, a task bar's menu) unloads the window
// as its own close control does.
void FrameSurface::closeEvent(QCloseEvent* event) {
    event->ignore();
    RunHandler([&] { owner_.picclose_Click(); });
}

// The browser pane's engine gives its view a new inner widget when it goes to
// another site, and a new widget joins the focus chain at its end: every
// control goes back to its place before Tab moves on.
bool FrameSurface::focusNextPrevChild(bool next) {
    OrderTabStops(*this);
    return QWidget::focusNextPrevChild(next);
}
