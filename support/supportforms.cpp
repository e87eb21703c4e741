#include "support/supportforms.h"

#include "profile/assessmentpage.h"
#include "support/frmilstintervention.h"
#include "support/frmisp.h"
#include "support/frmschoolrequestsupport.h"

void registerSupportForms() {
    registerPage<frmISP>("frmISP");
    registerPage<frmSchoolRequestSupport>("frmSchoolRequestSupport");
    registerPage<frmILSTIntervention>("frmILSTIntervention");
}
