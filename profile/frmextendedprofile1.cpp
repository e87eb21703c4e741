#include "profile/frmextendedprofile1.h"

#include "platform/adodb.h"
#include "platform/griddesign.h"
#include "services/globals.h"

namespace {

// The entry cells of gridBarriers (column 1) and the columns they are kept in.
struct BarrierEntry {
    int row;
    const char* field;
};
constexpr BarrierEntry kEntries[] = {
    {4, "Learning"},
    {7, "Communication"},
    {10, "Behavioural_Social_Competence"},
    {13, "Health_Wellness_Personal_Care"},
    {16, "Physical_Access"},
};

const QString kTitle =
    QStringLiteral("2.1 BARRIERS TO LEARNING AND DEVELOPMENT\r\n\r\n"
                   "What barriers does the learner experience in terms of the following?");

struct FixedRow {
    int row;
    QString text;
    bool heading;
};

QList<FixedRow> fixedRows() {
    return {
        {1, kTitle, true},
        {2, "LEARNING", true},
        {3,
         "In this section provide information about curriculum challenges relating to learning "
         "areas and assessment of learning. Refer to your classroom assessment records and "
         "summarise key challenges for learner. Attach supporting evidence, learner profiles, "
         "extacts of portfolios, class records and evidence of learning.",
         false},
        {5, "COMMUNICATION", true},
        {6,
         "Provide information on the child's ability to understand and express information (i.e "
         "needs, ideas, feelings) using the language system of the community or LOLT). Also "
         "include information on the learner's mode of communication, e.g. speech or signs, with "
         "or without signed support systems, e.g Makaton, SASL or pictorial systems, e.g Compic, "
         "etc.",
         false},
        {8, "BEHAVIOURAL AND SOCIAL COMPETENCE", true},
        {9,
         "Provide information on the behaviour of the learner. For example: Unable to work with "
         "others, difficulty working in class, bullies, aggressive, very shy, substance abuse, "
         "withdrawn, positive attitude, friendly nature, etc..",
         false},
        {11, "HEALTH, WELLNESS AND PERSONAL CARE", true},
        {12,
         "Provide information such as: Does the child look healthy, clean, well-fed? What is "
         "his/her personal grooming? Is he/she dressed appropriately? Emotional well-being? Does "
         "the child have any illness? Is the child on medication?",
         false},
        {14, "PHYSICAL ACCESS", true},
        {15,
         "In this section, describe whether the child can move around the school freely. e.g "
         "does he/she require ramps, rails, level ground, signage, etc.? Availability of "
         "relevant assistive devices? Access to appropriate toilet facilities. \r\n"
         "Is the learner's attendance at school dependant of the availability of transport? "
         "Distances travelled by learner on foot to get school.",
         false},
    };
}

// The designed height of an entry row, in points (the grid grows a row to
// its text).
constexpr int kEntryRowHeight = 60;

} // namespace

frmExtendedProfile1::frmExtendedProfile1(QWidget* parent)
    : AssessmentPage("frmExtendedProfile1", parent) {
    setWindowTitle("RER [ Section 2: EXTENDED PROFILE OF LEARNER NEEDS ]");
    setFrameSize(11600, 7800);

    GridDesign design{.columns = gridColumns({50, 28, 28}), .rows = 16};
    for (const FixedRow& fixed : fixedRows()) {
        design.lines.append({.row = fixed.row,
                             .height = fixed.row == 1  ? 42.0
                                       : fixed.heading ? 15.0
                                                       : 40.0,
                             .cells = {GridCell::label(1, fixed.text, 3).bold(fixed.heading)}});
    }
    for (const BarrierEntry& entry : kEntries)
        design.lines.append(
            {.row = entry.row, .height = kEntryRowHeight, .cells = {GridCell::entry(1, 0, 3)}});
    gridBarriers = newGrid("gridBarriers", design);
    for (const BarrierEntry& entry : kEntries)
        storeEntries(gridBarriers, {1, entry.row}, "TAV_Learning_And_Development_Barriers",
                     entry.field);
    addToFrame(gridBarriers, 1);
    watchEdits(gridBarriers);

    setLoadRoutines({[this] { return getLearning_Barrier(); }});
    setActiveCell(gridBarriers, 1, 4);
    setSaveRoutines({[this] { return saveLearning_Barrier(); }});
    setNext("frmExtendedProfile2");
    setPrint({.title = " [ EXTENDED PROFILE OF LEARNER NEEDS ]",
              .items = {PrintItem::grid(gridBarriers, 500, 800)}});
}

bool frmExtendedProfile1::getLearning_Barrier() {
    return loadFirstRow("getLearning_Barrier Routine",
                        "SELECT * FROM TAV_Learning_And_Development_Barriers " + whereLearnerYear(),
                        [this](ado::Recordset& rs) {
                            for (const BarrierEntry& entry : kEntries)
                                gridBarriers->SetText(1, entry.row, rs.Fields(entry.field).text());
                        });
}

bool frmExtendedProfile1::saveLearning_Barrier() {
    QStringList texts;
    for (const BarrierEntry& entry : kEntries)
        texts << gridBarriers->GetText(1, entry.row);

    QStringList inserts;
    if (!allBlank(texts)) {
        QString values;
        for (const QString& text : texts)
            values += quoted(text) + ",";
        inserts << "INSERT INTO TAV_Learning_And_Development_Barriers (LearnerID, Learning, "
                   "Communication, Behavioural_Social_Competence, Health_Wellness_Personal_Care, "
                   "Physical_Access, Data_Year) VALUES (" +
                       QString::number(gLearnerID) + "," + values + QString::number(gDataYear) +
                       ")";
    }
    return replaceRows("saveLearning_Barrier Routine",
                       {"DELETE FROM TAV_Learning_And_Development_Barriers " + whereLearnerYear()},
                       inserts);
}
