#pragma once
// Section 2, item 2.2: the contextual factors of the community and family, the
// classroom and the school. Each factor tab collects enabling factors and
// barriers in a preview list and keeps one row per preview data row in its
// table (TAV_Factors_Community, TAV_Factors_Classroom, TAV_Factors_School);
// the fourth tab lists every stored barrier and enabling factor.
#include "pages/assessmentpage.h"
#include "platform/tabcontrol.h"

class PreviewList;
class QLineEdit;
class QRadioButton;

class frmExtendedProfile2 : public AssessmentPage {
    Q_OBJECT

public:
    // The tabs of tab1, in order.
    enum TabIndex { CommunityTab = 0, ClassroomTab = 1, SchoolTab = 2, SummaryTab = 3 };
    // The first data row of the preview grids.
    static constexpr int kFirstDataRow = 7;

    explicit frmExtendedProfile2(QWidget* parent = nullptr);

    // The COMMUNITY tab and its entry box.
    void Form_Activate() override;

    bool getData();
    bool saveData();

    Grid* vaSpread1 = nullptr;
    TabControl* tab1 = nullptr;

    PreviewList* communityList = nullptr;
    Grid* gridCommunity = nullptr;
    QLineEdit* txtAddCommunityFactor = nullptr;
    QRadioButton* optPositive = nullptr;
    QRadioButton* optBarriers = nullptr;
    SaveButton* cmdAddPreview = nullptr;
    QPushButton* cmdRemove = nullptr;

    PreviewList* classroomList = nullptr;
    Grid* gridClassroom = nullptr;
    QLineEdit* txtAddClassroomFactor = nullptr;
    QRadioButton* optEnabling = nullptr;
    QRadioButton* optClassroomBarrier = nullptr;
    SaveButton* cmdAddToClassPreview = nullptr;
    QPushButton* cmdRemoveFromClassPreview = nullptr;

    PreviewList* schoolList = nullptr;
    Grid* gridSchool = nullptr;
    QLineEdit* txtAddSchoolFactor = nullptr;
    QRadioButton* optSchoolEnabling = nullptr;
    QRadioButton* optSchoolBarrier = nullptr;
    SaveButton* cmdAddToSchoolPreview = nullptr;
    QPushButton* cmdRemoveFromSchoolPreview = nullptr;

    Grid* gridSummHeader = nullptr;
    Grid* gridSummBarriers = nullptr;
    Grid* gridSummEnabling = nullptr;

protected:
    // The tab on show: its preview grid over as many pages as it needs, or
    // the three summary grids.
    QList<PrintItem> printItems() const override;

private:
    // One factor tab: its preview grid, table and the field of column 1.
    struct FactorTab {
        PreviewList* list;
        QString table;
        QString column1Field;
    };
    QList<FactorTab> factorTabs() const;
};
