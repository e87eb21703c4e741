#pragma once
// The common dialog (cd1): the printer dialog of the page prints and the
// report viewer, and the save dialog of the viewer's export.
//
// ShowPrinter shows the printer dialog on a printer; the printer chosen
// there prints the job, and the choices made (page range, copies) are read
// back from it. Min and Max, when Max is set, are the pages the dialog
// offers to print. ShowSave asks for the name of a file to write. Cancel
// with CancelError set raises AppError(ErrNo::PrintCancel, "Cancel was
// selected.").
#include <QString>
#include <functional>

class Printer;
class QPrinter;

class CommonDialog {
public:
    bool CancelError() const { return m_cancelError; }
    void setCancelError(bool on) { m_cancelError = on; }
    // The pages offered for a page range; none while Max is 0.
    int Min() const { return m_min; }
    void setMin(int page) { m_min = page; }
    int Max() const { return m_max; }
    void setMax(int page) { m_max = page; }
    // True when the user chose to print; false on Cancel without CancelError.
    bool ShowPrinter(Printer& printer);

    QString DialogTitle() const { return m_dialogTitle; }
    void setDialogTitle(const QString& title) { m_dialogTitle = title; }
    // The file types offered, as "PDF files (*.pdf)".
    QString Filter() const { return m_filter; }
    void setFilter(const QString& filter) { m_filter = filter; }
    // Added to a file name chosen without an extension.
    QString DefaultExt() const { return m_defaultExt; }
    void setDefaultExt(const QString& ext) { m_defaultExt = ext; }
    // The name offered, then the file chosen.
    QString FileName() const { return m_fileName; }
    void setFileName(const QString& name) { m_fileName = name; }
    // True with FileName set when the user chose a file; false on Cancel
    // without CancelError.
    bool ShowSave();

private:
    bool m_cancelError = false;
    int m_min = 0;
    int m_max = 0;
    QString m_dialogTitle;
    QString m_filter;
    QString m_defaultExt;
    QString m_fileName;
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

namespace savedialog {
// Test seam: while installed no dialog is shown; the answerer gets the name
// offered and returns the file chosen, or an empty text for Cancel.
using Answerer = std::function<QString(const QString& offered)>;
void setAnswerer(Answerer answerer); // an empty answerer restores the real dialog
// An answerer for tests: cancel.
QString cancel(const QString& offered);
} // namespace savedialog
