#pragma once
// Section 3b: the school request form for additional support. One tab per
// support area, in the request's own numbering (1 staffing, 2 assistive
// devices, 3 curriculum differentiation, 4 HRD, 5 environmental access); each
// tab is a preview list of what the school has and what it needs, each row
// with its level of support in a drop-down cell. The rows are kept in
// TAV_Learner_Support_Needs, one record per preview data row, Support_Area
// being the tab's number.
#include "pages/assessmentpage.h"
#include "platform/tabcontrol.h"

class PreviewList;
class QLineEdit;
class QRadioButton;

class frmSchoolRequestSupport : public AssessmentPage {
    Q_OBJECT

public:
    // The support areas as stored in Support_Area; tab index = area - 1.
    enum SupportArea {
        Staffing = 1,
        AssistiveDevices = 2,
        CurriculumDifferentiation = 3,
        HRD = 4,
        EnvironmentalAccess = 5
    };
    static constexpr int kAreaCount = 5;
    // The first data row of the preview grids; rows above are headings.
    static constexpr int kFirstDataRow = 5;
    // The columns of a preview grid.
    static constexpr int kLevelCol = 1;
    static constexpr int kHasCol = 2;
    static constexpr int kNeedsCol = 3;
    // The items of a level drop-down cell, Tab-separated.
    static const QString kLevels;

    explicit frmSchoolRequestSupport(QWidget* parent = nullptr);

    // The first tab on every activation.
    void Form_Activate() override;

    // Makes cell (vCol, vRow) of grid a level drop-down cell.
    static void SetColumnType(int vRow, int vCol, Grid* grid);

    bool getData();
    // Replaces the stored rows of support area vGridID (1 to 5) with the data
    // rows of its preview grid, in one transaction.
    bool saveData(int vGridID);

    // The preview list and grid of a support area (1 to 5); null for others.
    PreviewList* listOf(int area) const;
    Grid* previewOf(int area) const;

    Grid* vaSpread4 = nullptr;
    TabControl* SSTab1 = nullptr;
    Grid* gridSignature = nullptr;

    PreviewList* staffingList = nullptr;
    Grid* gridStaffingPreview = nullptr;
    QLineEdit* txtAddStaffing = nullptr;
    QRadioButton* optStaffingHas = nullptr;
    QRadioButton* optStaffingNeed = nullptr;
    SaveButton* cmdAddPreview = nullptr;
    QPushButton* cmdRemove = nullptr;

    PreviewList* assistiveList = nullptr;
    Grid* gridAssistivePreview = nullptr;
    QLineEdit* txtAddAssistive = nullptr;
    QRadioButton* optAssistiveHas = nullptr;
    QRadioButton* optAssistiveNeeds = nullptr;
    SaveButton* cmdAddAssistivePreview = nullptr;
    QPushButton* cmdRemoveAssistive = nullptr;

    PreviewList* curriculumList = nullptr;
    Grid* gridCuriculumPreview = nullptr;
    QLineEdit* txtAddCurriculum = nullptr;
    QRadioButton* optCurriculumHas = nullptr;
    QRadioButton* optCurriculumNeeds = nullptr;
    SaveButton* cmdAddCurriculumPreview = nullptr;
    QPushButton* cmdRemoveCurriculum = nullptr;

    PreviewList* hrdList = nullptr;
    Grid* gridHRDPreview = nullptr;
    QLineEdit* txtAddHRD = nullptr;
    QRadioButton* optHRDHas = nullptr;
    QRadioButton* optHRDNeeds = nullptr;
    SaveButton* cmdAddHRDPreview = nullptr;
    QPushButton* cmdRemoveHRD = nullptr;

    PreviewList* envList = nullptr;
    Grid* gridEnvPreview = nullptr;
    QLineEdit* txtAddEnv = nullptr;
    QRadioButton* optEnvHas = nullptr;
    QRadioButton* optEnvNeeds = nullptr;
    SaveButton* cmdAddEnvPreview = nullptr;
    QPushButton* cmdRemoveEnv = nullptr;

protected:
    // The preview grid of the tab on show, over as many sheets as it needs.
    QList<PrintItem> printItems() const override;

private:
    PreviewList* makeArea(const QString& caption, Grid* preview, const QString& errorLabel,
                          const QString& entryName, const QString& hasName,
                          const QString& needsName, const QString& noOptionMessage,
                          const QString& addName, const QString& removeName, bool readOnly);

    PreviewList* m_lists[kAreaCount] = {};
};
