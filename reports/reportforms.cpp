#include "reports/reportforms.h"

#include "reports/frmbarrierselect.h"
#include "reports/frmreportoptions.h"
#include "reports/frmreportselect.h"
#include "reports/frmreportview.h"
#include "services/formregistry.h"

void registerReportForms() {
    registerForm("frmReportview", [] {
        frmReportview window;
        window.exec();
        return QString();
    });
    registerForm("frmReportSelect", [] {
        frmReportSelect window;
        window.exec();
        return QString();
    });
    registerForm("frmBarrierSelect", [] {
        frmBarrierSelect window;
        window.exec();
        return QString();
    });
    registerForm("frmReportOptions", [] {
        frmReportOptions window;
        window.exec();
        return QString();
    });
}
