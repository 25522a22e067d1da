#include "ClickLabel.h"

#include <QFontInfo>
#include <QMetaMethod>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>

ClickLabel::ClickLabel(QWidget* parent)
    : QLabel(parent) {}

bool ClickLabel::HasClickHandler() const {
    return isSignalConnected(QMetaMethod::fromSignal(&ClickLabel::clicked));
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    click_.Press(event);
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    click_.DoubleClick(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (click_.Release(event, *this)) {
        Q_EMIT clicked();
    }
}

void ClickLabel::paintEvent(QPaintEvent* event) {
    if (!pixmap().isNull() && !hasScaledContents() && isEnabled()) {
        PaintPicture();
        return;
    }
    const bool wrappedText = wordWrap() && pixmap().isNull() && textFormat() == Qt::PlainText &&
                             alignment() == (Qt::AlignLeading | Qt::AlignLeft | Qt::AlignTop);
    if (!wrappedText) {
        QLabel::paintEvent(event);
        return;
    }

    const QRect area = contentsRect();
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QTextLayout layout(text(), font());
    layout.setTextOption(option);

    const qreal lineStep = QFontInfo(font()).pixelSize();
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(area.width());
        line.setPosition(QPointF(0, y));
        y += lineStep;
    }
    layout.endLayout();

    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    layout.draw(&painter, area.topLeft());
}

void ClickLabel::PaintPicture() {
    QPainter painter(this);
    drawFrame(&painter);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    style()->drawItemPixmap(&painter, contentsRect(),
                            QStyle::visualAlignment(layoutDirection(), alignment()), pixmap());
}
