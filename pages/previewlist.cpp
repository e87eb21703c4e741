#include "pages/previewlist.h"

#include "pages/assessmentpage.h"
#include "platform/colors.h"
#include "platform/commandbutton.h"
#include "platform/grid.h"
#include "services/modextendedmsgbox.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

PreviewList::PreviewList(AssessmentPage& page, Grid* preview, PreviewListSetup setup,
                         QWidget* parent)
    : QWidget(parent), m_page(page), m_grid(preview), m_setup(std::move(setup)) {
    // The rows above the entries head them on every sheet they print on.
    m_grid->setPrintHeadingRows(m_setup.firstDataRow - 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* entryRow = new QHBoxLayout;

    m_add = new SaveButton(QStringLiteral("Add to Preview"), this);
    m_add->setObjectName(m_setup.addName);
    m_add->setBackColor(vbButtonFace);
    m_remove = new CommandButton(QStringLiteral("Remove from Preview"), this);
    m_remove->setObjectName(m_setup.removeName);

    if (isBoxForm()) {
        m_entry = new QLineEdit(this);
        m_entry->setObjectName(m_setup.entryName);
        m_optionA = new QRadioButton(m_setup.optionA.caption, this);
        m_optionA->setObjectName(m_setup.optionA.name);
        m_optionB = new QRadioButton(m_setup.optionB.caption, this);
        m_optionB->setObjectName(m_setup.optionB.name);
        entryRow->addWidget(m_entry, 1);
        entryRow->addWidget(m_optionA);
        entryRow->addWidget(m_optionB);
        // The Add button, and the page's Save, show an entry that has not
        // been added yet.
        connect(m_entry, &QLineEdit::textChanged, this, [this] { showPending(); });
    } else {
        Grid* entry = m_setup.entryGrid;
        layout->addWidget(entry);
        // From the first key that goes into the entry row.
        connect(entry, &Grid::EditStarted, this, [this](int, int) { showPending(true); });
        connect(entry, &Grid::Change, this, [this](int, int) { showPending(); });
        // An editor given up (Escape) leaves the row as it was.
        connect(entry->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] {
            QMetaObject::invokeMethod(
                this, [this] { showPending(); }, Qt::QueuedConnection);
        });
        // Its texts can be taken back with the page's undo.
        m_page.keepHistory(entry);
        entryRow->addStretch(1);
    }
    entryRow->addWidget(m_add);
    entryRow->addWidget(m_remove);
    layout->addLayout(entryRow);
    layout->addWidget(m_grid, 1);

    // Tab goes from the entry to Add, Remove and the preview, as they stand.
    QList<QWidget*> order;
    if (isBoxForm())
        order = {m_entry, m_optionA, m_optionB};
    else
        order = {m_setup.entryGrid};
    order << m_add << m_remove << m_grid;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_add, &QPushButton::clicked, this, [this] { Add(); });
    connect(m_remove, &QPushButton::clicked, this, [this] { Remove(); });
    connect(m_grid, &Grid::Click, this, [this](int, int row) { highlightRow(row); });
    // The blue, bold row alone shows the row chosen.
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    connect(m_grid, &QTableWidget::currentCellChanged, this,
            [this](int row, int col) { followChoice(row + 1, col + 1); });
    connect(&m_page, &AssessmentPage::printing, this, [this] { dropChoice(); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        const auto inGrid = [this](QWidget* w) { return w == m_grid || m_grid->isAncestorOf(w); };
        if (old && now && inGrid(old) && !inGrid(now) && now != m_remove &&
            now->window() == m_grid->window())
            dropChoice();
    });
    if (m_setup.readOnlyPreview) {
        connect(m_grid, &Grid::KeyPress, this, [](int& keyAscii) { keyAscii = 0; });
        // Nor does an editor open on an entry, whose menu could paste text
        // into it without a key.
        QList<int> entryCols;
        if (isBoxForm())
            entryCols = {m_setup.optionA.col, m_setup.optionB.col};
        else
            for (int c = 1; c <= m_setup.entryGrid->MaxCols(); ++c)
                entryCols << c;
        for (int c : entryCols)
            m_grid->setLocked(Grid::Block(c, -1), true);
    }
}

bool PreviewList::entryWaiting() const {
    if (isBoxForm())
        return !m_entry->text().trimmed().isEmpty();
    return m_setup.entryGrid->isEditing() || !AssessmentPage::allBlank(entryRowTexts());
}

QStringList PreviewList::entryRowTexts() const {
    Grid* entry = m_setup.entryGrid;
    QStringList cells;
    for (int c = 1; c <= entry->MaxCols(); ++c)
        cells << entry->GetText(c, m_setup.entryRow);
    return cells;
}

void PreviewList::showPending(bool typing) {
    const bool waiting = typing || entryWaiting();
    m_add->setBackColor(waiting ? vbYellow : vbButtonFace);
    m_page.setEntryPending(this, waiting);
}

int PreviewList::CheckAvailableRow(int col) const {
    for (int r = m_setup.firstDataRow; r <= m_grid->MaxRows(); ++r) {
        if (m_grid->GetText(col, r).trimmed().isEmpty())
            return r;
    }
    return 0;
}

int PreviewList::availableRow(int col) {
    const int row = CheckAvailableRow(col);
    if (row != 0)
        return row;
    // Every data row of the column is taken: the entry goes to a new last row,
    // never into a heading.
    const int added = std::max(m_grid->MaxRows(), m_setup.firstDataRow - 1) + 1;
    m_grid->setMaxRows(added);
    return added;
}

void PreviewList::Add() {
    trapErrors(m_page.formName(), m_setup.addErrorLabel, [this] {
        if (isBoxForm())
            addFromBox();
        else
            addFromRow();
    });
}

void PreviewList::addFromBox() {
    if (m_entry->text().trimmed().isEmpty()) {
        ShowUserMessage(m_setup.emptyMessage);
        m_entry->setFocus();
        return;
    }
    if (!m_optionA->isChecked() && !m_optionB->isChecked()) {
        ShowUserMessage(m_setup.noOptionMessage);
        return;
    }
    const int colA = m_setup.optionA.col;
    const int colB = m_setup.optionB.col;
    int rowA = 0;
    int rowB = 0;
    int written = 0;
    if (m_optionA->isChecked()) {
        rowA = availableRow(colA);
        m_grid->SetText(colA, rowA, m_entry->text());
        rowB = availableRow(colB);
        written = rowA;
    } else {
        rowB = availableRow(colB);
        m_grid->SetText(colB, rowB, m_entry->text());
        rowA = availableRow(colA);
        written = rowB;
    }
    m_grid->setMaxRows(std::max(rowA, rowB) + 1);
    if (m_setup.rowWritten)
        m_setup.rowWritten(written);

    m_page.markUnsaved();
    m_entry->clear(); // nothing waits now
}

void PreviewList::addFromRow() {
    Grid* entry = m_setup.entryGrid;
    const QStringList cells = entryRowTexts();
    if (AssessmentPage::allBlank(cells)) {
        showPending();
        return;
    }
    if (m_setup.blankCellsQuestion) {
        const QString question = m_setup.blankCellsQuestion(cells);
        if (!question.isEmpty() && !AskUserQuestion(question))
            return;
    }
    const int row = m_grid->MaxRows() + 1;
    m_grid->setMaxRows(row);
    for (int c = 1; c <= cells.size(); ++c)
        m_grid->SetText(c, row, cells[c - 1]);
    if (m_setup.rowWritten)
        m_setup.rowWritten(row);

    entry->ClearRange(1, m_setup.entryRow, entry->MaxCols(), m_setup.entryRow, true);
    m_page.markUnsaved();
    showPending();
}

void PreviewList::Remove() {
    const int row = m_grid->ActiveRow();
    if (row < m_setup.firstDataRow || row > m_grid->MaxRows())
        return;
    m_grid->DeleteRows(row, 1);
    // The row form's grid holds its entries and nothing more; the box form
    // keeps its size, the last row becoming blank.
    if (!isBoxForm())
        m_grid->setMaxRows(m_grid->MaxRows() - 1);
    // The removed row was the chosen one: no row is chosen now.
    dropChoice();
    m_page.markUnsaved();
}

void PreviewList::followChoice(int row, int col) {
    if (!m_grid->hasFocus() || row < 1)
        return;
    if (row >= m_setup.firstDataRow) {
        highlightRow(row);
    } else if (m_highlighted >= m_setup.firstDataRow && m_highlighted <= m_grid->MaxRows()) {
        // A heading chooses nothing: the chosen row stays the active one.
        m_grid->SetActiveCell(col, m_highlighted);
    }
}

void PreviewList::dropChoice() {
    unhighlight();
    m_grid->ClearActiveCell();
}

void PreviewList::unhighlight() {
    const int first = m_setup.firstDataRow;
    const int last = m_grid->MaxRows();
    m_highlighted = 0;
    if (last < first)
        return;
    const int cols = m_grid->MaxCols();
    m_grid->setCellForeColor({1, first, cols, last}, vbBlack);
    m_grid->setCellBold({1, first, cols, last}, false);
}

void PreviewList::highlightRow(int row) {
    const int first = m_setup.firstDataRow;
    const int last = m_grid->MaxRows();
    if (row < first || row > last)
        return;
    const int cols = m_grid->MaxCols();
    unhighlight();
    m_grid->setCellForeColor({1, row, cols, row}, vbBlue);
    m_grid->setCellBold({1, row, cols, row}, true);
    m_highlighted = row;
}
