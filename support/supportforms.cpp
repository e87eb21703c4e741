#include "support/supportforms.h"

#include "profile/assessmentpage.h"
#include "support/frmilstintervention.h"
#include "support/frmschoolrequestsupport.h"

void registerSupportForms() {
    registerPage<frmSchoolRequestSupport>("frmSchoolRequestSupport");
    registerPage<frmILSTIntervention>("frmILSTIntervention");
}
