#include "services/modcentralroutines.h"

#include "platform/apperror.h"
#include "platform/messagebox.h"
#include "platform/runtime.h"
#include "platform/savebutton.h"
#include "services/frmimages.h"
#include "services/modextendedmsgbox.h"

#include <QComboBox>
#include <QDialog>
#include <cmath>

bool ConfirmLeave(const SaveButton& cmdSave, QDialog& page) {
    if (cmdSave.isUnsaved()) {
        const int answer = ExtendedMsgBox(
            "You have NOT saved your data. Are you sure you want to exit without saving?",
            msgbox::vbYesNo + msgbox::vbDefaultButton2, "Data has NOT been Saved",
            frmImages::picStop());
        if (answer == msgbox::vbNo)
            return false;
    }
    page.reject();
    return true;
}

QString DropFirstChar(const QString& text) {
    return text.mid(1);
}

namespace {

// A text as a 16-bit whole number, rounded half to even; raises the runtime's
// type-mismatch or overflow error otherwise.
qint16 toInteger16(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        throw AppError(13, "Type mismatch");
    const double rounded = std::nearbyint(value);
    if (rounded < -32768 || rounded > 32767)
        throw AppError(6, "Overflow");
    return qint16(rounded);
}

} // namespace

qint16 GetListCode(const QString& text, const QList<ListEntry>& list, qint16 n) {
    if (text.trimmed().isEmpty())
        return 0;
    for (int i = 1; i <= n; ++i) {
        if (i >= list.size())
            throw AppError(9, "Subscript out of range");
        if (list.at(i).text == text)
            return toInteger16(list.at(i).code);
    }
    return 0;
}

bool ValidateReportYear(QComboBox& combo) {
    if (combo.currentText().trimmed().isEmpty()) {
        ShowUserMessage("Please select Report Year to continue.");
        combo.setFocus();
        return false;
    }
    return true;
}

void FillYearCombo(QComboBox& combo) {
    combo.clear();
    const int thisYear = currentDate().year();
    for (int year = thisYear; year >= 2008; --year)
        combo.addItem(QString::number(year));
    if (combo.isEditable())
        combo.setEditText(QString::number(thisYear));
    else
        combo.setCurrentIndex(combo.findText(QString::number(thisYear)));
}
