// The program starts with the data-year window; the learner list it leads to
// ends the program.
#include "profile/profileforms.h"
#include "reports/reportforms.h"
#include "support/supportforms.h"
#include "workspace/frmselectyear.h"
#include "workspace/workspaceforms.h"

#include "platform/fonts.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (!fonts::install())
        std::fputs("rer: the program's fonts could not be registered\n", stderr);
    registerWorkspaceForms();
    registerProfileForms();
    registerSupportForms();
    registerReportForms();
    frmSelectYear window;
    window.exec();
    return 0;
}
