#include "pages/yesnopair.h"

#include "platform/adodb.h"
#include "platform/grid.h"

void YesNoPairs::addPair(int row, int yesCol, int noCol) {
    Q_ASSERT(m_grid && !hasPair(row) && yesCol != noCol);
    m_pairs.append({row, yesCol, noCol});
    m_grid->setCheckBox(yesCol, row, QStringLiteral("Yes"));
    m_grid->setCheckBox(noCol, row, QStringLiteral("No"));
    m_grid->setLocked({yesCol, row}, false);
    m_grid->setLocked({noCol, row}, false);
}

const YesNoPairs::Pair* YesNoPairs::find(int row) const {
    for (const Pair& pair : m_pairs) {
        if (pair.row == row)
            return &pair;
    }
    return nullptr;
}

const YesNoPairs::Pair& YesNoPairs::at(int row) const {
    const Pair* pair = find(row);
    Q_ASSERT(pair);
    return *pair;
}

bool YesNoPairs::ButtonClicked(int col, int row) {
    const Pair* pair = find(row);
    if (!pair || (col != pair->yesCol && col != pair->noCol))
        return false;
    if (m_grid->GetInteger(col, row) == 1)
        m_grid->SetText(col == pair->yesCol ? pair->noCol : pair->yesCol, row, QStringLiteral("0"));
    return true;
}

void YesNoPairs::setAnswer(int row, bool yes) {
    const Pair& pair = at(row);
    m_grid->SetText(pair.yesCol, row, yes ? QStringLiteral("1") : QStringLiteral("0"));
    m_grid->SetText(pair.noCol, row, yes ? QStringLiteral("0") : QStringLiteral("1"));
}

void YesNoPairs::setAnswer(int row, const ado::Field& stored) {
    setAnswer(row, stored.isTrue());
}

QString YesNoPairs::storedText(int row) const {
    return isYes(row) ? QStringLiteral("1") : QStringLiteral("0");
}

bool YesNoPairs::isYes(int row) const {
    return m_grid->GetInteger(at(row).yesCol, row) == 1;
}

bool YesNoPairs::isNo(int row) const {
    return m_grid->GetInteger(at(row).noCol, row) == 1;
}
