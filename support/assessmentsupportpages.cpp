#include "support/assessmentsupportpages.h"

#include <QStringList>

namespace {

const QList<int> kAllAreas = {1, 2, 3, 4, 5};

SupportPageLayout page1() {
    SupportPageLayout p;
    p.page = 1;
    p.formName = "frmAssessment_Support_Reg1";
    p.rows = 6;
    p.narrowing = "AND GridID < 3 ";
    p.ordering = "ORDER BY GridID";
    p.firstLevelRow = 4;
    p.lastLevelRow = 6;
    p.headings = {{2, "1. MANAGEMENT AND PLANNING"}};
    p.items = {
        {4,
         1,
         {1, 2},
         "a. Meeting and consultation sessions to plan & implement Individual Support "
         "Plan(ISP) goals",
         3},
        {6, 2, kAllAreas, "b. ISP Review and monitoring", 5},
    };
    return p;
}

SupportPageLayout page2() {
    SupportPageLayout p;
    p.page = 2;
    p.formName = "frmAssessment_Support_Reg2";
    p.rows = 11;
    p.narrowing = "AND GridID < 12 and GridID > 2 ";
    p.ordering = "ORDER BY GridID, Support_Area";
    p.firstLevelRow = 3;
    p.lastLevelRow = 11;
    p.gridIdOffset = 0;
    p.headings = {{2, "2. ASSISTIVE TECHNOLOGY AND MATERIALS"}};
    p.items = {
        {3, 3, kAllAreas,
         "a. Assessment of learner's barrier to determine choice of appropriate assistive "
         "technology or materials",
         3},
        {4, 4, {1, 3}, "b. Ordering and supply of assistive technology", 4},
        {5, 5, {1, 2}, "c. Maintanance and/or checking assistive technology", 5},
        {7, 7, {1, 2, 4}, "d. Development/production of adapted materials", 6},
        {8,
         8,
         {1, 2, 4},
         "e. Planning integrated use od assistive technology in lesson activities",
         8},
        {10,
         10,
         {1, 2, 3, 4},
         "f. Assistance required with monitoring and integration of as assistive technology for "
         "communication",
         9},
        {11,
         11,
         {1, 2, 5},
         "g. Individual support in the use of specialised or adaptive equipment",
         11},
    };
    return p;
}

SupportPageLayout page3() {
    SupportPageLayout p;
    p.page = 3;
    p.formName = "frmAssessment_Support_Reg3";
    p.rows = 21;
    p.narrowing = "AND GridID < 29 and GridID > 11 ";
    p.ordering = "ORDER BY GridID, Support_Area";
    p.firstLevelRow = 5;
    p.lastLevelRow = 21;
    p.gridIdOffset = 7;
    p.headings = {{2, "3. CURRICULUM DIFFERENTIATION"},
                  {3, "3.1 Adjustments to regular curriculum"},
                  {8, "3.2 Additional classroom support strategies"}};
    p.items = {
        {5, 12, {4}, "a. Adjustments to regular curriculum are made", 4},
        {6,
         13,
         {2, 4},
         "b. Learner needs access to adapted learning programmes that are for groups of learners "
         "within school",
         6},
        {7,
         14,
         {1, 2, 4},
         "c. Planning specific goals within the ordinary classroom programmes",
         7},
        {9, 16, {1, 2, 3, 4}, "a. Teaching the use of specific language skills", 9},
        {10, 17, kAllAreas,
         "b. Assistance through the use of visual aids and other adapted LTSM is provided", 10},
        {11,
         18,
         {1},
         "c. Assistant required to collaborate with the class educator in curriculum delivery",
         11},
        {12, 19, {1, 4}, "d. Extra time allowed for a learner to process and comprehend work", 12},
        {13,
         20,
         {4},
         "e. Majority of learner's learning activities are individual or small group based, with "
         "adapted teaching strategies",
         13},
        {14,
         21,
         {1},
         "f. Learner requires access to specific support such as (examples: a scribe for "
         "handwriting, a sign-language interpreter, a Braille instructor, an educator assistant)",
         14},
        {15, 22, {4}, "g. Other special assessment support required", 15},
        {16, 23, {4}, "h. Management of behaviour challenges in the school or classroom", 16},
        {17, 24, {4}, "i. Monitor and provide wellness interventions for learner/s", 17},
        {18,
         25,
         {1, 2, 4},
         "j. Assistance is required with the administration of personal health care",
         18},
        {19,
         26,
         {1, 2, 4},
         "k. Development, implementation & monitoring of a health & wellness programme required",
         19},
        {20,
         27,
         {1, 2, 4},
         "l. Administration of specialised heatlh care procedures that require specific training",
         20},
        {21, 28, {1, 2, 4}, "m. Support and guide learner's administration of procedures", 21},
    };
    return p;
}

SupportPageLayout page4() {
    SupportPageLayout p;
    p.page = 4;
    p.formName = "frmAssessment_Support_Reg4";
    p.rows = 21;
    p.narrowing = "AND GridID < 46 and GridID > 28 ";
    p.ordering = "ORDER BY GridID, Support_Area";
    p.firstLevelRow = 3;
    p.lastLevelRow = 19;
    p.gridIdOffset = 26;
    p.headings = {
        {2, "4. ASSESSMENT"},
        {7, "5. ENVIRONMENTAL ACCESS"},
        {20, "Overall Ratings:\r\n"
             "Extent and/or Frequency of teaching/support adjustments.\r\n"
             "On a scale of 1-5 (with 1 indicating minor adjustments and 5 indicating extensive "
             "adjustments) rate the overall extent and frequency of teaching/support adjustments "
             "in each support category."},
    };
    p.items = {
        {3,
         29,
         {4},
         "a. Adapted assessment procedures with clear links to the regular curriculum completed",
         3},
        {4,
         30,
         {4},
         "b. Adapted assessment procedures with no clear links to the regular curriculum "
         "completed",
         4},
        {5,
         31,
         {3, 4},
         "c. Adapted assessment materials with clear links to the regular curriculum completed",
         5},
        {6,
         32,
         {4},
         "d. Information and data on adapted assessment strategies in recorded, analysed and "
         "updated",
         6},
        {9, 35, kAllAreas,
         "a. Adaptations are made to physical structures/spaces in the school or utilisation of "
         "spaces",
         8},
        {10,
         36,
         {2, 3},
         "b. Adaptations are made to school-wide information sharing so that learner is not "
         "excluded from any school activities",
         10},
        {11,
         37,
         {1},
         "c. Assistance to access all areas of the learning environment is required",
         11},
        {13, 39, {1, 2, 3, 4}, "d. Transport to and from school needs monitoring", 12},
        {14,
         40,
         {1, 2},
         "e. Additional supervision is needed in workshops and specialised rooms",
         14},
        {15,
         41,
         {1, 2},
         "f. Additional supervision & maintenance is needed in school ground/facilities",
         15},
        {17,
         43,
         {1, 2},
         "g. Additional hostel/residential facility supervision & monitoring is needed",
         16},
        {19, 45, {1, 2}, "h. Teaching of specific safety & access skills", 18},
    };
    return p;
}

} // namespace

int SupportPageLayout::gridIdOfRow(int row) const {
    if (page == 1)
        return row == 4 ? 1 : 2;
    return row + gridIdOffset;
}

int SupportPageLayout::rowOfGridId(int gridId) const {
    if (page == 1)
        return gridId == 1 ? 4 : 6;
    return gridId - gridIdOffset;
}

QList<SupportCell> SupportPageLayout::saveOrder() const {
    QList<SupportCell> cells;
    if (page == 1) {
        for (int col = 2; col <= 6; ++col) {
            if (col < 4)
                cells.append({col, 4});
            cells.append({col, 6});
        }
        return cells;
    }
    for (int row = firstLevelRow; row <= lastLevelRow; ++row) {
        for (int col = 2; col <= 6; ++col)
            cells.append({col, row});
    }
    return cells;
}

const SupportPageLayout& supportPage(int page) {
    static const SupportPageLayout pages[kSupportPages] = {page1(), page2(), page3(), page4()};
    return pages[page - 1];
}

QStringList supportAreaHeadings() {
    return {"Areas of support",  "Specialised/additional staff",           "HRD",
            "Assistive devices", "Differentiated Curriculum & assessment", "Environmental access"};
}

QString levelList() {
    return QStringLiteral("Level 1\tLevel 2\tLevel 3\tLevel 4\tLevel 5\tN/A");
}
