#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRect>
#include <QWidget>

// How the stored layouts measure: twips, and colours as 0x00BBGGRR.
namespace Layout {

constexpr int kTwips = 15;
constexpr quint32 kFrameBlue = 0x00F1AC0A;

inline QColor Ole(quint32 bbggrr) {
    return QColor(bbggrr & 0xFF, (bbggrr >> 8) & 0xFF, (bbggrr >> 16) & 0xFF);
}

// A control's place in its holder, in twips.
inline QRect TwipsGeometry(const QWidget* control) {
    const QRect g = control->geometry();
    return {g.x() * kTwips, g.y() * kTwips, g.width() * kTwips, g.height() * kTwips};
}

// A control's tab index as the layout stores it; -1 for none.
inline int TabIndex(const QWidget* control) {
    const QVariant index = control->property("tabIndex");
    return index.isValid() ? index.toInt() : -1;
}

// The text a control shows as its caption: a label's or button's text, a
// frame's title, a text box's text.
inline QString CaptionOf(const QWidget* control) {
    if (auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    if (auto* frame = qobject_cast<const QGroupBox*>(control)) {
        return frame->title();
    }
    if (auto* box = qobject_cast<const QLineEdit*>(control)) {
        return box->text();
    }
    return {};
}

} // namespace Layout
