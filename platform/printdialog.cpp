#include "platform/printdialog.h"

#include "platform/apperror.h"
#include "platform/printer.h"

#include <QPrintDialog>
#include <QPrinter>

namespace {
printdialog::Answerer& answerer() {
    static printdialog::Answerer a;
    return a;
}
int& shown() {
    static int n = 0;
    return n;
}
} // namespace

bool CommonDialog::ShowPrinter(Printer& printer) {
    ++shown();
    bool accepted;
    if (answerer()) {
        accepted = answerer()(printer.qprinter());
    } else {
        QPrintDialog dialog(&printer.qprinter());
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (!accepted && m_cancelError)
        throw AppError(ErrNo::PrintCancel, "Cancel was selected.");
    return accepted;
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
