#include "reports/reportforms.h"

#include "reports/frmreportview.h"
#include "workspace/formregistry.h"

void registerReportForms() {
    registerForm("frmReportview", [] {
        frmReportview window;
        window.exec();
        return QString();
    });
}
