#pragma once
// The print dialog of the page prints (cd1). ShowPrinter shows the printer
// dialog on the page's printer; the printer chosen there prints the job.
// Cancel with CancelError set raises AppError(ErrNo::PrintCancel,
// "Cancel was selected.").
#include <QString>
#include <functional>

class Printer;
class QPrinter;

class CommonDialog {
public:
    bool CancelError() const { return m_cancelError; }
    void setCancelError(bool on) { m_cancelError = on; }
    // True when the user chose to print; false on Cancel without CancelError.
    bool ShowPrinter(Printer& printer);

private:
    bool m_cancelError = false;
};

namespace printdialog {
// Test seam: while installed no dialog is shown; the answerer sees the
// printer (it may set its output) and returns true for Print, false for Cancel.
using Answerer = std::function<bool(QPrinter&)>;
void setAnswerer(Answerer answerer); // an empty answerer restores the real dialog
// Answerers for tests: print to a PDF file, or cancel.
Answerer printToPdf(const QString& path);
bool cancel(QPrinter&);
int shownCount(); // dialogs shown (or answered) since the start
} // namespace printdialog
