#include "support/actionplanpage.h"

#include "platform/grid.h"
#include "platform/runtime.h"
#include "services/globals.h"

const QString ActionPlanPage::kCaption =
    QStringLiteral("RER [Section 4 : ACTION PLAN FOR ADDITIONAL SUPPORT PROVISION AND MONITORING]");
const QString ActionPlanPage::kPrintTitle =
    QStringLiteral(" [ Section 4: ACTION PLAN FOR ADDITIONAL SUPPORT PROVISION AND MONITORING ]");

ActionPlanPage::ActionPlanPage(const QString& formName, QWidget* parent)
    : AssessmentPage(formName, parent) {
    setWindowTitle(kCaption);
    setHeader(true, false);
    setFrameSize(11600, 8400);

    gridSignature = newGrid(
        "gridSignature",
        {.columns = gridColumns({19, 42, 16, 31}),
         .rows = 3,
         .locked = true,
         .lines = {{.row = 1,
                    .cells = {label(1, "Name of School:").bold(), label(3, "Emis No:").bold()}},
                   {.row = 2,
                    .cells = {label(1, "Name of Learner:").bold(),
                              label(3, "Date of Birth:").bold()}},
                   {.row = 3,
                    .height = 26,
                    .cells = {label(1, "Barriers or concern:").bold(),
                              GridCell::label(2, QString(), 3).wrapped()}}},
         .heightTwips = 1200,
         .noScrollBars = Qt::Horizontal | Qt::Vertical});
    Grid* g = gridSignature;
    addToFrame(g);
}

QString ActionPlanPage::birthDateText(const QString& yyyymmdd) {
    return yyyymmdd.right(2) + "/" + yyyymmdd.mid(4, 2) + "/" + yyyymmdd.left(4);
}

AssessmentPage::Routine ActionPlanPage::signatureRoutine(bool barriers) {
    return [this, barriers] {
        gridSignature->SetText(2, 1, gSchoolName);
        gridSignature->SetText(2, 2, gLearnerName);
        if (barriers)
            gridSignature->SetText(2, 3, gBarriers);
        gridSignature->SetText(4, 1, gEmisCode);
        gridSignature->SetText(4, 2, birthDateText(gBirthDate));
        return true;
    };
}

void ActionPlanPage::setActionPlanPrint(QList<PrintItem> items) {
    items.prepend(PrintItem::grid(gridSignature, 500, 800));
    setPrint({.title = kPrintTitle, .learnerLine = false, .items = std::move(items)});
}

GridCell ActionPlanPage::label(int col, const QString& text, int colSpan, int rowSpan) {
    return GridCell::label(col, text, colSpan, rowSpan).grey().wrapped();
}
