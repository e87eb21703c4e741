#pragma once
// The report layouts carried in the program. Each has the text object
// "txtSchoolName" for the school's name; the learner profile has "txtYear"
// for the report year as well, and its two subreports "crd_02LDP" (the
// diagnostic profile, linked on the learner's ID) and "crd_03CFS" (the
// criteria scores, linked on LearnerID).
#include "platform/reportengine.h"

#include <memory>

using LayoutPtr = std::shared_ptr<const report::Layout>;

// Learners per primary barrier: grouped by Disability.
LayoutPtr crdLearner_DisSum();
// Learners per responsible provider: grouped by Name_Of_Provider.
LayoutPtr crdLearner_ListProv();
// The learner profile, one learner a page, with its two subreports.
LayoutPtr crd_01Background();
// The diagnostic-profile and criteria-score subreports as layouts of their own.
LayoutPtr crd_02LDP();
LayoutPtr crd_03CFS();
// The learner score summary: levels of the eight areas, ratings of the five
// support areas.
LayoutPtr crdLearnerScoreSummary();

// The school-name and year text objects.
inline constexpr const char* kSchoolNameObject = "txtSchoolName";
inline constexpr const char* kYearObject = "txtYear";
