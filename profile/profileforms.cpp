#include "profile/profileforms.h"

#include "pages/assessmentpage.h"
#include "profile/frmbackgroundinfo.h"
#include "profile/frmcriteriaselection.h"
#include "profile/frmextendedprofile1.h"
#include "profile/frmextendedprofile2.h"
#include "profile/frmhealthreport.h"

void registerProfileForms() {
    registerPage<frmBackgroundInfo>("frmBackgroundInfo");
    registerPage<frmExtendedProfile1>("frmExtendedProfile1");
    registerPage<frmExtendedProfile2>("frmExtendedProfile2");
    registerPage<frmHealthReport>("frmHealthReport");
    registerCriteriaSelectionForms();
}
