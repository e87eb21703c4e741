#include "support/supportforms.h"

#include "profile/assessmentpage.h"

void registerSupportForms() {}
