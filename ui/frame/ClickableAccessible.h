#pragma once

#include <QAccessibleWidget>

class QObject;
class QString;

// How a clickable label or picture box appears to assistive technology.
//
// A control with a Click handler is a button named by its caption (or by its
// stored accessible name where it has no caption); its press action raises
// the same Click as the mouse does. A picture box with a label on it is one
// button with the label's name and no children: the box takes the focus and
// covers the label, so the user meets one button per control, not a button
// inside a button. The label still answers as that button when asked directly.
//
// Without a handler a label is static text (or a graphic) and a box a plain
// pane with its children.
class ClickableAccessible final : public QAccessibleWidget {
public:
    explicit ClickableAccessible(QWidget* control);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text kind) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

    // For QAccessible::installFactory: answers for ClickLabel and PictureBox.
    static QAccessibleInterface* Factory(const QString& className, QObject* object);

private:
    bool IsButton() const;
    // A clicked box hides the label lying on it.
    bool FoldsItsLabel() const;
};

// Makes the toolbox's clickable controls known to QAccessible. Safe to call
// more than once; must run before anyone asks for their interfaces.
void InstallFrameAccessibility();
