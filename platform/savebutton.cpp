#include "platform/savebutton.h"

SaveButton::SaveButton(const QString& caption, QWidget* parent) : CommandButton(caption, parent) {}

void SaveButton::setUnsaved(bool unsaved) {
    m_unsaved = unsaved;
    if (unsaved)
        setStyleSheet(
            QStringLiteral("QPushButton { background-color: %1; }").arg(toQColor(vbYellow).name()));
    else
        setStyleSheet(QString());
}
