#include "profile/profileforms.h"

#include "profile/assessmentpage.h"
#include "profile/frmbackgroundinfo.h"
#include "profile/frmextendedprofile1.h"

void registerProfileForms() {
    registerPage<frmBackgroundInfo>("frmBackgroundInfo");
    registerPage<frmExtendedProfile1>("frmExtendedProfile1");
}
