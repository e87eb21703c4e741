// The program starts with the data-year window; the learner list it leads to
// ends the program.
#include "workspace/frmselectyear.h"
#include "workspace/workspaceforms.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    registerWorkspaceForms();
    frmSelectYear window;
    window.exec();
    return 0;
}
