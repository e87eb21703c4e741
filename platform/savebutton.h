#pragma once
// A command button whose background shows a flag: yellow (0xFFFF) while set,
// the button face (0x8000000F) while clear. The pages' Save button carries
// the unsaved flag so; the preview lists' Add buttons carry "entry not added".
#include "platform/colors.h"
#include "platform/commandbutton.h"

class SaveButton : public CommandButton {
    Q_OBJECT

public:
    explicit SaveButton(const QString& caption = QStringLiteral("Save"), QWidget* parent = nullptr);

    void setUnsaved(bool unsaved);
    bool isUnsaved() const { return m_unsaved; }
    // The background colour as a colour value: vbYellow or vbButtonFace.
    quint32 BackColor() const { return m_unsaved ? vbYellow : vbButtonFace; }
    // Setting the colour sets the flag: yellow sets it, any other clears it.
    void setBackColor(quint32 color) { setUnsaved(color == vbYellow); }

private:
    bool m_unsaved = false;
};
