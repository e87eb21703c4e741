// The program starts with the data-year window; the learner list it leads to
// ends the program.
#include "profile/profileforms.h"
#include "reports/reportforms.h"
#include "support/supportforms.h"
#include "workspace/frmselectyear.h"
#include "workspace/workspaceforms.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The windows are laid out for the host platform's small dialog font.
    QFont font = QApplication::font();
    font.setFamilies({"Arial", "Liberation Sans", "Nimbus Sans", "Helvetica", font.family()});
    font.setPointSize(8);
    QApplication::setFont(font);
    registerWorkspaceForms();
    registerProfileForms();
    registerSupportForms();
    registerReportForms();
    frmSelectYear window;
    window.exec();
    return 0;
}
