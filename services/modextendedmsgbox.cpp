#include "services/modextendedmsgbox.h"

#include "platform/messagebox.h"
#include "services/frmimages.h"

#include <QLocale>
#include <cmath>

int ExtendedMsgBox(const QString& prompt, int buttons, const QString& title, const QPixmap& icon) {
    // With an icon of our own the box shows it in place of the system's.
    if (!icon.isNull())
        buttons = (buttons & ~0xFF) | (((buttons & 0xFF) & 0xCF) | msgbox::vbInformation);
    return msgbox::show(prompt, buttons, title, icon);
}

void ShowUserMessage(const QString& message) {
    ExtendedMsgBox(message, msgbox::vbOKOnly, "User Message", frmImages::picmessage());
}

bool AskUserQuestion(const QString& message) {
    return ExtendedMsgBox(message, msgbox::vbYesNo | msgbox::vbDefaultButton2, "User Question?",
                          frmImages::picQuestion()) != msgbox::vbNo;
}

bool AskUserWarning(const QString& message) {
    return ExtendedMsgBox(message, msgbox::vbYesNo | msgbox::vbDefaultButton2, "User Warning",
                          frmImages::picStop()) != msgbox::vbNo;
}

void ShowDataSaved() {
    ExtendedMsgBox("Your Information has been Saved.", msgbox::vbOKOnly, "Data Saved",
                   frmImages::picSaved());
}

QString errorNumberText(double number) {
    // Whole numbers in plain digits (3000000, never 3e+06), as far as they
    // are exact; anything else in its shortest form.
    if (std::trunc(number) == number && std::fabs(number) < 1e15)
        return QString::number(qint64(number));
    return QString::number(number, 'g', QLocale::FloatingPointShortest);
}

void ShowErrorReport(const QString& location, const QString& description, const QString& procedure,
                     double number) {
    const QString text = "Error Description: " + description + "\r\n" + "Location: " + location +
                         "\r\n" + "Procedure: " + procedure;
    ExtendedMsgBox(text, msgbox::vbOKOnly, "Error : " + errorNumberText(number),
                   frmImages::picError());
}
