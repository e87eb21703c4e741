#include "reports/reportlayouts.h"

using namespace report;

namespace {

// A subreport's title on the left and the school's name on the right, on
// its first line.
void addSubreportHeading(Layout& l, const QString& title) {
    l.reportHeader
        << text(title).at(0, 120).font(10, true)
        << text("").named(kSchoolNameObject).at(0, 120).font(10, true).aligned(Qt::AlignRight);
}

// The school's name and the report's title, which holds its year, centred
// atop every page. Returns where the page header goes on below them.
int addRunningHeading(Layout& l) {
    l.pageHeader
        << text("").named(kSchoolNameObject).at(0, 0).font(13, true).aligned(Qt::AlignHCenter)
        << text("{Title}").at(0, 360).font(11, true).aligned(Qt::AlignHCenter);
    return 800;
}

void addPageFooter(Layout& l) {
    l.pageFooter << line(0)
                 << text("Page {Page} of {Pages}").at(0, 60).font(8).aligned(Qt::AlignRight);
}

// A row of column captions over a rule, in the page header from top down.
struct Column {
    const char* caption;
    const char* field;
    int left;
    int width;
};

void addColumns(Layout& l, Section& detail, const QList<Column>& columns, int top, double size = 9,
                int captionLines = 1) {
    for (const Column& c : columns) {
        l.pageHeader << text(c.caption).at(c.left, top, c.width - 60).font(size, true).wrapped();
        detail << field(c.field).at(c.left, 0, c.width - 60).font(size);
    }
    const int captionHeight = qRound(size * 20 * 1.3 * captionLines) + 20;
    l.pageHeader << line(top + captionHeight);
    l.pageHeader.height = top + captionHeight + 60;
    detail.height = qRound(size * 20 * 1.45);
}

QString yesNo(const QVariant& v) {
    if (v.isNull())
        return "No";
    return v.toInt() != 0 ? "Yes" : "No";
}

// A caption and the field beside it.
void addLabelled(Section& s, const char* caption, const char* fieldName, int top,
                 int captionWidth = 2600) {
    s << text(caption).at(0, top, captionWidth).font(9, true)
      << field(fieldName).at(captionWidth, top).font(9);
}

} // namespace

// A list of learners grouped by one field: the group's caption and value
// head each group (a blank value shows as blankCaption), the number of its
// learners closes it, and the number of all learners ends the list.
LayoutPtr groupedList(const char* name, const char* caption, const char* groupField,
                      const char* blankCaption, int captionWidth, const QList<Column>& columns,
                      const QStringList& orderWithinGroup) {
    auto l = std::make_shared<Layout>();
    l->name = name;
    const int top = addRunningHeading(*l);
    Group group;
    group.field = groupField;
    // A group of several spellings (the blank ones among them) lists its
    // learners in one order, as every other group does.
    group.mergeRunsBy = orderWithinGroup;
    Section header;
    const QString fieldName = groupField;
    const QString blank = blankCaption;
    header << text(caption).at(0, 120, captionWidth).font(10, true)
           << formula({fieldName},
                      [fieldName, blank](const Row& r) {
                          const QString value = r.text(fieldName);
                          return value.trimmed().isEmpty() ? blank : value;
                      })
                  .at(captionWidth, 120)
                  .font(10, true);
    header.height = 420;
    header.keepWithNext = true;
    header.repeatOnNewPage = true;
    Section footer;
    footer << text("Number of learners: {Count}").at(300, 40, 4000).font(9, true);
    footer.height = 440;
    // The count stands on the page of its group's last learner.
    footer.keepWithPrevious = true;
    group.headers << header;
    group.footers << footer;
    l->groups << group;
    Section detail;
    addColumns(*l, detail, columns, top);
    l->details << detail;
    l->reportFooter << line(60)
                    << text("Total number of learners: {Count}").at(0, 160, 5000).font(10, true);
    l->reportFooter.height = 460;
    // The total stands under the last group's count.
    l->reportFooter.keepWithPrevious = true;
    addPageFooter(*l);
    return l;
}

LayoutPtr crdLearner_DisSum() {
    return groupedList("crdLearner_DisSum", "Primary Barrier:", "Disability", "(no barrier)", 1800,
                       {{"Grade", "Name", 300, 2400},
                        {"Accession No", "AccessionNo", 2700, 1800},
                        {"Surname", "SName", 4500, 3600},
                        {"First Name", "FName", 8100, 3600}},
                       {"Name", "SName"});
}

LayoutPtr crdLearner_ListProv() {
    return groupedList("crdLearner_ListProv", "Responsible Provider:", "Name_Of_Provider",
                       "(no provider)", 2300,
                       {{"Accession No", "AccessionNo", 300, 1700},
                        {"Surname", "SName", 2000, 3000},
                        {"First Name", "FName", 5000, 3000},
                        {"Grade", "Name", 8000, 2400}},
                       {"Name", "SName"});
}

LayoutPtr crd_02LDP() {
    auto l = std::make_shared<Layout>();
    l->name = "crd_02LDP";
    // The school's name stays empty where the profile prints this layout
    // below its own heading.
    addSubreportHeading(*l, "DIAGNOSTIC PROFILE");
    l->reportHeader << line(400);
    l->reportHeader.height = 460;
    l->reportHeader.keepWithNext = true;
    // One group a learner: the health professional's report, then the
    // average score of each area of impairment, its headings kept together
    // with the first area.
    Group learner;
    learner.field = "ID";
    for (const auto& [caption, name] : {std::pair{"Name:", "LName"},
                                        {"Date of Birth:", "BirthDate"},
                                        {"Disability:", "Disability"},
                                        {"Year:", "Data_Year"},
                                        {"Impairment Type:", "Impairment_Type"}}) {
        Section s;
        addLabelled(s, caption, name, 0);
        s.height = 260;
        s.keepWithNext = true;
        learner.headers << s;
    }
    Section records;
    records << text("Medical Record Viewed:").at(0, 0, 2600).font(9, true)
            << formula({"Medical_Record_Viewed"},
                       [](const Row& r) { return yesNo(r.value("Medical_Record_Viewed")); })
                   .at(2600, 0, 1000)
                   .font(9)
            << text("Medical Record Attached:").at(4000, 0, 2600).font(9, true)
            << formula({"Medical_Record_Attached"},
                       [](const Row& r) { return yesNo(r.value("Medical_Record_Attached")); })
                   .at(6600, 0, 1000)
                   .font(9);
    records.height = 260;
    records.keepWithNext = true;
    Section comments;
    addLabelled(comments, "Comments:", "Comments", 0);
    comments.height = 260;
    comments.keepWithNext = true;
    Section captions;
    captions << text("Area of Impairment").at(300, 80, 5000).font(9, true)
             << text("Score").at(5400, 80, 1200).font(9, true) << line(340);
    captions.height = 400;
    captions.keepWithNext = true;
    captions.repeatOnNewPage = true;
    learner.headers << records << comments << captions;
    Section gap;
    gap.height = 200;
    learner.footers << gap;
    l->groups << learner;
    Section detail;
    detail << field("Description").at(300, 0, 5000).font(9)
           << field("Score").at(5400, 0, 1200).font(9);
    detail.height = 240;
    l->details << detail;
    return l;
}

LayoutPtr crd_03CFS() {
    auto l = std::make_shared<Layout>();
    l->name = "crd_03CFS";
    addSubreportHeading(*l, "CRITERIA FOR SELECTION");
    l->reportHeader << text("Activity").at(300, 420, 3300).font(9, true)
                    << text("Score").at(3600, 420, 700).font(9, true)
                    << text("Limitation").at(4300, 420).font(9, true) << line(680);
    l->reportHeader.height = 740;
    l->reportHeader.keepWithNext = true;
    // The captions head every page the scores run on to.
    l->reportHeader.repeatOnNewPage = true;
    Group area;
    area.field = "AArea";
    Section header;
    header << field("AArea").at(0, 60).font(9, true);
    header.height = 300;
    header.keepWithNext = true;
    header.repeatOnNewPage = true;
    area.headers << header;
    l->groups << area;
    Section detail;
    // The description of the level scored.
    detail << field("ADomain").at(300, 0, 3200).font(8) << field("Score").at(3600, 0, 600).font(8)
           << formula({"Score", "DescMild", "DescMod", "DescSevere"},
                      [](const Row& r) {
                          switch (r.value("Score").toInt()) {
                          case 1:
                              return r.text("DescMild");
                          case 2:
                              return r.text("DescMod");
                          case 3:
                              return r.text("DescSevere");
                          default:
                              return QString();
                          }
                      })
                  .at(4300, 0)
                  .font(8);
    detail.height = 230;
    l->details << detail;
    return l;
}

LayoutPtr crd_01Background() {
    auto l = std::make_shared<Layout>();
    l->name = "crd_01Background";
    // Every sheet carries the school, the report and its year, and names its
    // learner, so that a profile running over several sheets can be told
    // apart once printed.
    l->pageHeader << text("").named(kSchoolNameObject).at(0, 0, 6800).font(11, true)
                  << text("LEARNER PROFILE").at(6900, 0).font(11, true).aligned(Qt::AlignRight)
                  << text("Report Year:").at(0, 320, 1300).font(9, true)
                  << text("").named(kYearObject).at(1300, 320, 900).font(9, true)
                  << formula({"Learner", "AccessionNo"},
                             [](const Row& r) {
                                 const QString learner = r.text("Learner");
                                 if (learner.isEmpty())
                                     return QString();
                                 return "Learner: " + learner + "  (" + r.text("AccessionNo") + ")";
                             })
                         .at(2300, 320)
                         .font(9)
                         .aligned(Qt::AlignRight)
                  << line(600);
    l->pageHeader.height = 760;

    // One learner a page: the background, the additional disabilities (one
    // row each), then the diagnostic profile and the criteria scores. Each
    // answer has a section of its own, which grows with its text.
    Group learner;
    learner.field = "LearnerID";
    Section title;
    title.newPageBefore = true;
    title << text("SECTION 1: BACKGROUND INFORMATION").at(0, 0).font(10, true) << line(280);
    title.height = 360;
    learner.headers << title;
    for (const auto& [caption, name] :
         {std::pair{"Learner:", "Learner"},
          {"Accession No:", "AccessionNo"},
          {"Grade:", "Grade"},
          {"Primary Disability:", "PDisa"},
          {"Nature of Support Received:", "Nature_Of_Support_Received"},
          {"Name of Provider:", "Name_Of_Provider"},
          {"Contact Details:", "Contact_Details"},
          {"Family Situation:", "Family_Situation"},
          {"Parent's Understanding of Child:", "Parent_Understanding_Of_Child"}}) {
        Section s;
        // A little room above each answer keeps a long one apart from the
        // caption after it.
        addLabelled(s, caption, name, 60, 3400);
        s.height = 300;
        learner.headers << s;
    }
    Section addCaption;
    addCaption << text("Additional Disabilities:").at(0, 60, 3400).font(9, true);
    addCaption.height = 320;
    addCaption.keepWithNext = true;
    learner.headers << addCaption;

    Section dp;
    dp.subreport = "crd_02LDP";
    dp.linkField = "LearnerID";
    dp.subreportLinkField = "ID";
    dp.height = 200;
    dp.hideWhenSubreportEmpty = true;
    dp.keepWithNext = true;
    Section cfs;
    cfs.subreport = "crd_03CFS";
    cfs.linkField = "LearnerID";
    cfs.subreportLinkField = "LearnerID";
    cfs.height = 200;
    cfs.hideWhenSubreportEmpty = true;
    cfs.keepWithNext = true;
    learner.footers << dp << cfs;
    l->groups << learner;

    Section detail;
    detail << field("AddDisa").at(300, 0).font(9);
    detail.height = 240;
    l->details << detail;
    l->subreports.insert("crd_02LDP", crd_02LDP());
    l->subreports.insert("crd_03CFS", crd_03CFS());
    addPageFooter(*l);
    return l;
}

LayoutPtr crdLearnerScoreSummary() {
    auto l = std::make_shared<Layout>();
    l->name = "crdLearnerScoreSummary";
    const int top = addRunningHeading(*l);
    Section detail;
    // Landscape A4 holds 15400 twips between its margins: the names, eight
    // level columns wide enough for "MODERATE" with a gap, five ratings.
    // The table holds the learner's grade ID, not the grade's name.
    QList<Column> columns = {{"Grade ID", "Grade", 0, 550},
                             {"Accession No", "AccessionNo", 550, 880},
                             {"Surname", "Sname", 1430, 1500},
                             {"First Name", "FName", 2930, 1240}};
    const QList<std::pair<const char*, const char*>> areas = {{"Mobility", "Mobility"},
                                                              {"Self Care", "SelfCare"},
                                                              {"Commun- ication", "Communication"},
                                                              {"Vision", "Vision"},
                                                              {"Hearing", "Hearing"},
                                                              {"Cognition", "Cognition"},
                                                              {"Mental", "Mental"},
                                                              {"Health Care Needs", "Needs"}};
    int left = 4170;
    for (const auto& [caption, name] : areas) {
        columns << Column{caption, name, left, 1010};
        left += 1010;
    }
    const QList<std::pair<const char*, const char*>> supportAreas = {
        {"Staff", "Staff"},
        {"HRD", "HRD"},
        {"Devices", "Devices"},
        {"Curri- culum", "Cassessment"},
        {"Access", "Access"}};
    for (const auto& [caption, name] : supportAreas) {
        columns << Column{caption, name, left, 630};
        left += 630;
    }
    addColumns(*l, detail, columns, top, 7.5, 2);
    l->details << detail;
    addPageFooter(*l);
    return l;
}
