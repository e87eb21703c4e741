#include "workspace/workspaceforms.h"

#include "services/formregistry.h"
#include "workspace/frmrer_main.h"
#include "workspace/frmselectlearner.h"

void registerWorkspaceForms() {
    registerForm("frmSelectLearner", [] {
        frmSelectLearner window;
        if (!window.ended())
            window.exec();
        return QString();
    });
    registerWindow<frmRER_Main>("frmRER_Main");
}
