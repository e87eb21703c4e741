#pragma once
// Stage 2, the ISP individual support plan: five kinds of action, each a
// preview list in row form (an entry grid whose row 3 becomes a preview row)
// on its own tab, kept in TAV_ISP with [Action] = the kind (1 to 5). Above the
// tabs, read only, the learner's community barriers and strengths as the
// factors page stored them in TAV_Factors_Community.
#include "pages/assessmentpage.h"
#include "platform/tabcontrol.h"

#include <array>

class PreviewList;

class frmISP : public AssessmentPage {
    Q_OBJECT

public:
    static constexpr int kKinds = 5;
    // The first data row of the preview grids and the entry row of the entry grids.
    static constexpr int kFirstDataRow = 3;

    explicit frmISP(QWidget* parent = nullptr);

    // The first tab, "Action 1".
    void Form_Activate() override;

    bool getBarries_Strengths();
    // Kind vAction (1 to 5): its stored rows replaced by the preview's data rows.
    bool saveAction(int vAction, Grid* grid);
    // Kind vAction: its stored rows into the preview grid.
    bool getAction(int vAction, Grid* grid);
    // Add button vAction shows an entry that has not been added.
    void ChangeAddButtoColor(int vAction);

    // The controls of kind k (1 to 5); nullptr for any other k.
    PreviewList* actionList(int k) const;
    Grid* entryGrid(int k) const;
    Grid* previewGrid(int k) const;
    SaveButton* addButton(int k) const;
    QPushButton* removeButton(int k) const;

    Grid* gridBarrier = nullptr;
    Grid* gridStrengths = nullptr;
    Grid* vaSpread3 = nullptr;
    Grid* gridHeading = nullptr;
    TabControl* SSTab1 = nullptr;

    Grid* gridAddAction = nullptr;
    Grid* gridAdd2Action = nullptr;
    Grid* gridAdd3Action = nullptr;
    Grid* gridAdd4Action = nullptr;
    Grid* gridAdd5Action = nullptr;
    Grid* gridActionPreview = nullptr;
    Grid* gridAction2Preview = nullptr;
    Grid* gridAction3Preview = nullptr;
    Grid* gridAction4Preview = nullptr;
    Grid* gridAction5Preview = nullptr;
    SaveButton* cmdAddPreview = nullptr;
    SaveButton* cmdAddTo2Preview = nullptr;
    SaveButton* cmdAddTo3Preview = nullptr;
    SaveButton* cmdAddTo4Preview = nullptr;
    SaveButton* cmdAddTo5Preview = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdRemoveFrom2Preview = nullptr;
    QPushButton* cmdRemoveFrom3Preview = nullptr;
    QPushButton* cmdRemoveFrom4Preview = nullptr;
    QPushButton* cmdRemoveFrom5Preview = nullptr;

    // The question asked before an entry with blank fields is added; "" when
    // no field is blank.
    static QString blankFieldsQuestion(const QStringList& cells);

protected:
    // The barrier and strength lists, the heading, the current kind's title
    // and its preview over as many landscape pages as it needs.
    QList<PrintItem> printItems() const override;

private:
    struct Kind {
        PreviewList* list = nullptr;
        QString printedTitle;
    };

    std::array<Kind, kKinds> m_kinds;
};
