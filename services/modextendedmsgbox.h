#pragma once
// Every message the program shows goes through ExtendedMsgBox, with one of the
// program's own icons in place of the system's.
#include "platform/apperror.h"

#include <QPixmap>
#include <QString>

int ExtendedMsgBox(const QString& prompt, int buttons, const QString& title, const QPixmap& icon);

void ShowUserMessage(const QString& message);
bool AskUserQuestion(const QString& message); // false only on No
bool AskUserWarning(const QString& message);  // false only on No
void ShowDataSaved();
void ShowErrorReport(const QString& location, const QString& description, const QString& procedure,
                     double number);

// The error number in its shortest decimal form ("6", never "6.0").
QString errorNumberText(double number);

// Runs body; an AppError it raises is reported with location and procedure.
// Returns true when body ran to its end.
template <class Body>
bool trapErrors(const QString& location, const QString& procedure, Body&& body) {
    try {
        body();
        return true;
    } catch (const AppError& e) {
        ShowErrorReport(location, e.description(), procedure, e.number());
        return false;
    }
}
