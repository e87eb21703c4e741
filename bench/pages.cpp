#include "bench/pages.h"

#include "profile/frmbackgroundinfo.h"
#include "profile/frmcriteriaselection.h"
#include "profile/frmextendedprofile1.h"
#include "profile/frmextendedprofile2.h"
#include "profile/frmhealthreport.h"
#include "support/assessmentsupportpages.h"
#include "support/frmactionplan.h"
#include "support/frmactionplan2.h"
#include "support/frmactionplan3.h"
#include "support/frmassessment_support_reg.h"
#include "support/frmilstintervention.h"
#include "support/frmisp.h"
#include "support/frmschoolrequestsupport.h"

namespace {
template <class Page> BenchPage page(const QString& name) {
    return {name, [] { return std::unique_ptr<AssessmentPage>(new Page); }};
}
} // namespace

QList<BenchPage> benchPages() {
    QList<BenchPage> pages{page<frmBackgroundInfo>("frmBackgroundInfo"),
                           page<frmHealthReport>("frmHealthReport")};
    for (int p = 1; p <= kCriteriaPages; ++p) {
        pages.append({criteriaPage(p).formName, [p] {
                          return std::unique_ptr<AssessmentPage>(new frmCriteriaSelection(p));
                      }});
    }
    pages.append(page<frmExtendedProfile1>("frmExtendedProfile1"));
    pages.append(page<frmExtendedProfile2>("frmExtendedProfile2"));
    pages.append(page<frmISP>("frmISP"));
    for (int p = 1; p <= kSupportPages; ++p) {
        pages.append({supportPage(p).formName, [p] {
                          return std::unique_ptr<AssessmentPage>(new frmAssessment_Support_Reg(p));
                      }});
    }
    pages.append(page<frmSchoolRequestSupport>("frmSchoolRequestSupport"));
    pages.append(page<frmILSTIntervention>("frmILSTIntervention"));
    pages.append(page<frmActionPlan>("frmActionPlan"));
    pages.append(page<frmActionPlan2>("frmActionPlan2"));
    pages.append(page<frmActionPlan3>("frmActionPlan3"));
    return pages;
}
