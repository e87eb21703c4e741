#pragma once
// The shared text, list and year routines of every window.
#include <QList>
#include <QString>
#include <QtGlobal>

class QComboBox;
class QDialog;
class SaveButton;

// Closes the page, first asking when its Save button shows unsaved changes.
// True when the page was closed, false when the user kept it (No).
bool ConfirmLeave(const SaveButton& cmdSave, QDialog& page);

// The text without its first character ("K12" gives "12").
QString DropFirstChar(const QString& text);

// One column i of a code list: the code (row 0) and its display text (row 1).
struct ListEntry {
    QString code;
    QString text;
};
// The code (as a 16-bit number) of the entry among list[1..n] whose text is
// exactly text; 0 when text is blank or none matches. Entry 0 is not searched.
qint16 GetListCode(const QString& text, const QList<ListEntry>& list, qint16 n);

// False (after "Please select Report Year to continue.") when no year is chosen.
bool ValidateReportYear(QComboBox& combo);
// The years from this year down to 2008, this year chosen.
void FillYearCombo(QComboBox& combo);
