#include "platform/commandbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

CommandButton::CommandButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {}

QRect CommandButton::captionRect() const {
    return rect().adjusted(4, 2, -4, -2);
}

void CommandButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(captionRect(), kCaptionFlags, text());
}
