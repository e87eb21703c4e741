#include "support/supportforms.h"

#include "pages/assessmentpage.h"
#include "support/frmactionplan.h"
#include "support/frmactionplan2.h"
#include "support/frmactionplan3.h"
#include "support/frmassessment_support_reg.h"
#include "support/frmilstintervention.h"
#include "support/frmisp.h"
#include "support/frmschoolrequestsupport.h"

void registerSupportForms() {
    registerPage<frmActionPlan>("frmActionPlan");
    registerPage<frmActionPlan2>("frmActionPlan2");
    registerPage<frmActionPlan3>("frmActionPlan3");
    registerAssessmentSupportForms();
    registerPage<frmISP>("frmISP");
    registerPage<frmSchoolRequestSupport>("frmSchoolRequestSupport");
    registerPage<frmILSTIntervention>("frmILSTIntervention");
}
