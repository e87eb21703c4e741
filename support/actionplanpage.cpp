#include "support/actionplanpage.h"

#include "platform/colors.h"
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

    gridSignature = new Grid;
    Grid* g = gridSignature;
    g->setObjectName("gridSignature");
    g->setMaxCols(4);
    g->setMaxRows(3);
    g->setColHeadersShown(false);
    const double widths[] = {19, 42, 16, 31};
    for (int c = 1; c <= 4; ++c)
        g->SetColWidth(c, widths[c - 1]);
    g->setLocked({-1, -1}, true);
    setLabel(g, 1, 1, "Name of School:");
    setLabel(g, 3, 1, "Emis No:");
    setLabel(g, 1, 2, "Name of Learner:");
    setLabel(g, 3, 2, "Date of Birth:");
    setLabel(g, 1, 3, "Barriers or concern:");
    g->AddCellSpan(2, 3, 3, 1);
    g->setCellBold({1, 1, 1, 3}, true);
    g->setCellBold({3, 1, 3, 2}, true);
    g->setMultiLine({2, 3}, true);
    g->SetRowHeight(3, 26);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixHeight(g, 1200);
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

void ActionPlanPage::setLabel(Grid* grid, int col, int row, const QString& text, int colSpan,
                              int rowSpan) {
    grid->setFixedText(col, row, text, colSpan, rowSpan);
    grid->setCellBackColor({col, row}, vbLabelGrey);
    grid->setMultiLine({col, row}, true);
}

void ActionPlanPage::setEntry(Grid* grid, int col, int row, int maxLength, const QString& table,
                              const QString& column, int colSpan, bool multiLine) {
    grid->setEditCell({col, row}, maxLength, multiLine);
    grid->setLocked({col, row}, false);
    grid->setCellBackColor({col, row}, vbWhite);
    grid->AddCellSpan(col, row, colSpan, 1);
    storeEntries(grid, {col, row}, table, column);
}

void ActionPlanPage::fixHeight(Grid* grid, int twipsHeight) {
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setFixedHeight(twips(twipsHeight));
}
