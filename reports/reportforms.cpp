#include "reports/reportforms.h"

#include "reports/frmbarrierselect.h"
#include "reports/frmreportoptions.h"
#include "reports/frmreportselect.h"
#include "reports/frmreportview.h"
#include "services/formregistry.h"

void registerReportForms() {
    registerWindow<frmReportview>("frmReportview");
    registerWindow<frmReportSelect>("frmReportSelect");
    registerWindow<frmBarrierSelect>("frmBarrierSelect");
    registerWindow<frmReportOptions>("frmReportOptions");
}
