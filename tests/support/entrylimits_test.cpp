// Every entry of every assessment page takes at most what the column that
// keeps it can hold: a text longer than its column would make the page's save
// fail. The sizes are read from the schema the program creates.
#include "profile/profileforms.h"
#include "support/supportforms.h"
#include "tests/common/pagetest.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>

namespace {

class EntryLimits : public PageTest {
protected:
    // (table, column) of every program table -> the size its CHECK allows,
    // or 0 for a column that limits no length.
    QHash<QString, int> declaredSizes() {
        QHash<QString, int> sizes;
        static const QRegularExpression check(R"(length\((\w+)\) <= (\d+))");
        for (const QString& row :
             rawRows(dbPath, "SELECT name, sql FROM sqlite_master WHERE type = 'table' AND "
                             "name LIKE 'TAV%'")) {
            const QString table = row.section('|', 0, 0);
            const QString sql = row.section('|', 1);
            for (const QString& column :
                 rawRows(dbPath, "SELECT name FROM pragma_table_info('" + table + "')"))
                sizes.insert(key(table, column), 0);
            for (auto it = check.globalMatch(sql); it.hasNext();) {
                const QRegularExpressionMatch m = it.next();
                sizes.insert(key(table, m.captured(1)), m.captured(2).toInt());
            }
        }
        return sizes;
    }
    static QString key(const QString& table, const QString& column) {
        return table.toLower() + '.' + column.toLower();
    }
};

TEST_F(EntryLimits, EveryEntryOfEveryPageTakesAtMostItsColumnsSize) {
    registerProfileForms();
    registerSupportForms();
    const QHash<QString, int> sizes = declaredSizes();
    ASSERT_EQ(sizes.value(key("TAV_ISP", "Review_Date")), 30);
    ASSERT_GE(registeredPages().size(), 20);

    int entries = 0;
    for (auto page = registeredPages().cbegin(); page != registeredPages().cend(); ++page) {
        const std::unique_ptr<AssessmentPage> form = page.value()();
        const auto check = [&](const QString& where,
                               const std::optional<AssessmentPage::StoredColumn>& stored,
                               int maxLength) {
            ++entries;
            ASSERT_TRUE(stored.has_value())
                << where.toStdString() << ": the page does not say where this entry is saved";
            if (stored->table.isEmpty())
                return; // shown only
            const QString k = key(stored->table, stored->column);
            ASSERT_TRUE(sizes.contains(k))
                << where.toStdString() << ": no column " << k.toStdString();
            if (sizes[k] > 0) {
                EXPECT_TRUE(maxLength > 0 && maxLength <= sizes[k])
                    << where.toStdString() << " takes " << maxLength << ", " << k.toStdString()
                    << " holds " << sizes[k];
            }
        };
        for (const Grid* grid : form->findChildren<Grid*>()) {
            // The cells a span covers cannot be reached.
            QSet<std::pair<int, int>> covered;
            for (int row = 1; row <= grid->MaxRows(); ++row) {
                for (int col = 1; col <= grid->MaxCols(); ++col) {
                    for (int r = 0; r < grid->rowSpan(row - 1, col - 1); ++r)
                        for (int c = 0; c < grid->columnSpan(row - 1, col - 1); ++c)
                            if (r || c)
                                covered.insert({col + c, row + r});
                }
            }
            for (int row = 1; row <= grid->MaxRows(); ++row) {
                for (int col = 1; col <= grid->MaxCols(); ++col) {
                    if (covered.contains({col, row}) || grid->ColWidth(col) == 0)
                        continue;
                    const GridCellFormat f = grid->cellFormat(col, row);
                    const bool typed = f.type == GridCellType::Edit ||
                                       f.type == GridCellType::Date ||
                                       (f.type == GridCellType::ComboBox && f.comboEditable);
                    if (f.locked || !typed)
                        continue;
                    check(QString("%1 %2 (%3,%4)")
                              .arg(page.key(), grid->objectName())
                              .arg(col)
                              .arg(row),
                          form->storedColumn(grid, col, row), f.maxLength);
                }
            }
        }
        for (const QLineEdit* box : form->findChildren<QLineEdit*>()) {
            if (box->isReadOnly())
                continue;
            check(page.key() + " " + box->objectName(), form->storedColumn(box), box->maxLength());
        }
    }
    EXPECT_GT(entries, 0);
}

} // namespace
