#include "platform/printdialog.h"

#include "platform/apperror.h"
#include "platform/printer.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace {
printdialog::Answerer& answerer() {
    static printdialog::Answerer a;
    return a;
}
int& shown() {
    static int n = 0;
    return n;
}
savedialog::Answerer& saveAnswerer() {
    static savedialog::Answerer a;
    return a;
}
} // namespace

bool CommonDialog::ShowPrinter(Printer& printer) {
    ++shown();
    bool accepted;
    if (answerer()) {
        accepted = answerer()(printer.qprinter());
    } else {
        QPrintDialog dialog(&printer.qprinter());
        if (m_max > 0) {
            dialog.setMinMax(std::max(1, m_min), m_max);
            dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        }
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (!accepted && m_cancelError)
        throw AppError(ErrNo::PrintCancel, "Cancel was selected.");
    return accepted;
}

bool CommonDialog::ShowSave() {
    QString chosen;
    if (saveAnswerer()) {
        chosen = saveAnswerer()(m_fileName);
    } else {
        QFileDialog dialog(nullptr, m_dialogTitle);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!m_filter.isEmpty())
            dialog.setNameFilter(m_filter);
        dialog.setDefaultSuffix(m_defaultExt);
        dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        dialog.selectFile(m_fileName);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().first();
    }
    if (chosen.isEmpty()) {
        if (m_cancelError)
            throw AppError(ErrNo::PrintCancel, "Cancel was selected.");
        return false;
    }
    if (!m_defaultExt.isEmpty() && QFileInfo(chosen).suffix().isEmpty())
        chosen += "." + m_defaultExt;
    m_fileName = chosen;
    return true;
}

namespace printdialog {

void setAnswerer(Answerer a) {
    answerer() = std::move(a);
}

Answerer printToPdf(const QString& path) {
    return [path](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    };
}

bool cancel(QPrinter&) {
    return false;
}

int shownCount() {
    return shown();
}

} // namespace printdialog

namespace savedialog {

void setAnswerer(Answerer a) {
    saveAnswerer() = std::move(a);
}

QString cancel(const QString&) {
    return {};
}

} // namespace savedialog
