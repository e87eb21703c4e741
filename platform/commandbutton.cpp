#include "platform/commandbutton.h"

#include "platform/colors.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

CommandButton::CommandButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    // Enter is taken by the button with the focus itself (keyPressEvent): the
    // dialog's own choice of a default among the buttons the focus passed
    // over is never made.
    setAutoDefault(false);
}

QRect CommandButton::captionRect() const {
    return rect().adjusted(4, 2, -4, -2);
}

void CommandButton::setFace(quint32 color) {
    m_face = (color & 0x80000000u) ? QColor() : toQColor(color);
    if (m_face.isValid())
        setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2; }")
                          .arg(m_face.name(), textColorOn(m_face).name()));
    else
        setStyleSheet(QString());
}

QColor CommandButton::captionColor() const {
    if (m_face.isValid())
        return textColorOn(m_face);
    return palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                           QPalette::ButtonText);
}

void CommandButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setPen(captionColor());
    painter.drawText(captionRect(), kCaptionFlags, text());
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && modifiers == Qt::NoModifier && !event->isAutoRepeat()) {
        if (isEnabled())
            click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}
