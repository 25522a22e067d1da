#include "ClickableAccessible.h"

#include "ClickLabel.h"
#include "PictureBox.h"
#include "SpokenCaption.h"

namespace {

bool HasClickHandler(const QWidget* control) {
    if (auto* label = qobject_cast<const ClickLabel*>(control)) {
        return label->HasClickHandler();
    }
    if (auto* box = qobject_cast<const PictureBox*>(control)) {
        return box->HasClickHandler();
    }
    return false;
}

const ClickLabel* LabelOn(const QWidget* box) {
    return box->findChild<const ClickLabel*>(QString(), Qt::FindDirectChildrenOnly);
}

QString NameOf(const QWidget* control) {
    if (!control->accessibleName().isEmpty()) {
        return control->accessibleName();
    }
    if (auto* label = qobject_cast<const ClickLabel*>(control)) {
        return SpokenCaption(label->text());
    }
    if (const ClickLabel* label = LabelOn(control)) {
        return NameOf(label);
    }
    return {};
}

} // namespace

ClickableAccessible::ClickableAccessible(QWidget* control)
    : QAccessibleWidget(control) {}

bool ClickableAccessible::IsButton() const {
    return HasClickHandler(widget());
}

bool ClickableAccessible::FoldsItsLabel() const {
    return qobject_cast<const PictureBox*>(widget()) != nullptr && IsButton() &&
           LabelOn(widget()) != nullptr;
}

QAccessible::Role ClickableAccessible::role() const {
    if (IsButton()) {
        return QAccessible::Button;
    }
    if (auto* label = qobject_cast<const ClickLabel*>(widget())) {
        return label->pixmap().isNull() ? QAccessible::StaticText : QAccessible::Graphic;
    }
    return QAccessible::Pane;
}

QString ClickableAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Name) {
        return NameOf(widget());
    }
    return QAccessibleWidget::text(kind);
}

int ClickableAccessible::childCount() const {
    return FoldsItsLabel() ? 0 : QAccessibleWidget::childCount();
}

QAccessibleInterface* ClickableAccessible::child(int index) const {
    return FoldsItsLabel() ? nullptr : QAccessibleWidget::child(index);
}

int ClickableAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return FoldsItsLabel() ? -1 : QAccessibleWidget::indexOfChild(child);
}

QAccessibleInterface* ClickableAccessible::childAt(int x, int y) const {
    return FoldsItsLabel() ? nullptr : QAccessibleWidget::childAt(x, y);
}

QStringList ClickableAccessible::actionNames() const {
    QStringList names = QAccessibleWidget::actionNames();
    if (IsButton()) {
        names.prepend(pressAction());
    }
    return names;
}

void ClickableAccessible::doAction(const QString& action) {
    if (action != pressAction() || !IsButton() || !widget()->isEnabled()) {
        QAccessibleWidget::doAction(action);
        return;
    }
    // The same Click the mouse raises, so the same handler runs.
    if (auto* label = qobject_cast<ClickLabel*>(widget())) {
        Q_EMIT label->clicked();
    } else if (auto* box = qobject_cast<PictureBox*>(widget())) {
        Q_EMIT box->clicked();
    }
}

QAccessibleInterface* ClickableAccessible::Factory(const QString& className, QObject* object) {
    if ((className == QLatin1String("ClickLabel") || className == QLatin1String("PictureBox")) &&
        object != nullptr && object->isWidgetType()) {
        return new ClickableAccessible(static_cast<QWidget*>(object));
    }
    return nullptr;
}

void InstallFrameAccessibility() {
    QAccessible::installFactory(&ClickableAccessible::Factory);
}
