#include "platform/savebutton.h"

SaveButton::SaveButton(const QString& caption, QWidget* parent) : CommandButton(caption, parent) {}

void SaveButton::setUnsaved(bool unsaved) {
    m_unsaved = unsaved;
    setFace(unsaved ? vbYellow : vbButtonFace);
}
