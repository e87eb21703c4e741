#include "profile/profileforms.h"

#include "profile/assessmentpage.h"
#include "profile/frmextendedprofile1.h"

void registerProfileForms() {
    registerPage<frmExtendedProfile1>("frmExtendedProfile1");
}
