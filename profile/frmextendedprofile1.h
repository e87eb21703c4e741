#pragma once
// Section 2, item 2.1: the barriers to learning and development, five free
// texts per learner and data year in TAV_Learning_And_Development_Barriers.
#include "pages/assessmentpage.h"

class frmExtendedProfile1 : public AssessmentPage {
    Q_OBJECT

public:
    explicit frmExtendedProfile1(QWidget* parent = nullptr);

    bool getLearning_Barrier();
    bool saveLearning_Barrier();

    Grid* gridBarriers = nullptr;
};
