#include "TabOrder.h"

#include "OptionButton.h"

#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// The control's own tab index, or else its holder's.
QVariant TabIndexOf(const QWidget& surface, const QWidget* control) {
    const QVariant own = control->property("tabIndex");
    const QWidget* holder = control->parentWidget();
    return own.isValid() || holder == &surface ? own : holder->property("tabIndex");
}

std::vector<QWidget*> TabStops(QWidget& surface) {
    std::vector<std::pair<int, QWidget*>> stops;
    const auto controls = surface.findChildren<QWidget*>();
    for (QWidget* control : controls) {
        const QVariant index = TabIndexOf(surface, control);
        if (index.isValid() && control->focusPolicy() != Qt::NoFocus) {
            stops.emplace_back(index.toInt(), control);
        }
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QWidget*> ordered;
    ordered.reserve(stops.size());
    for (const auto& stop : stops) {
        ordered.push_back(stop.second);
    }
    return ordered;
}

// Tab goes on to the next stop from where the focus stands in `control`:
// the control inside it that takes its focus, if any (the browser pane's
// page). A new page joins the focus chain at its end, and linking from
// `control` alone would leave it there: Qt takes a stop followed by the next
// one (bar controls that take no focus) as linked already.
QWidget* LastInside(QWidget* control) {
    QWidget* inside = control;
    while (inside->focusProxy() != nullptr) {
        inside = inside->focusProxy();
    }
    return control->isAncestorOf(inside) ? inside : control;
}

void Link(const std::vector<QWidget*>& stops) {
    for (std::size_t i = 1; i < stops.size(); ++i) {
        QWidget::setTabOrder(LastInside(stops[i - 1]), stops[i]);
    }
}

} // namespace

void OrderTabStops(QWidget& surface) {
    Link(TabStops(surface));
}

void ApplyTabOrder(QWidget& surface) {
    const std::vector<QWidget*> stops = TabStops(surface);
    Link(stops);
    for (QWidget* control : stops) {
        if ((control->focusPolicy() & Qt::TabFocus) && control->isEnabled() &&
            control->isVisibleTo(&surface)) {
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
