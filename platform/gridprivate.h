#pragma once
// What the grid's source files share, and nothing outside them uses: the
// measures of its cells, a cell's shape kept on its item, and which cells
// hold a text. The grid is written in grid.cpp (its API and cells),
// gridrows.cpp (rows as tall as their texts), gridcells.cpp (the cells'
// rules, editors and delegate), gridkeys.cpp (focus, keys and editing) and
// gridprint.cpp (print layout, pagination and drawing).
#include "platform/grid.h"

#include <QMetaType>
#include <QTableWidgetItem>

Q_DECLARE_METATYPE(GridCellFormat)

namespace gridimpl {

inline constexpr int FormatRole = Qt::UserRole + 1;
inline constexpr double kColUnitPixels = 7;       // 105 twips
inline constexpr double kRowUnitPixels = 4.0 / 3; // a point at 96 pixels an inch
inline constexpr double kTwipsPerPixel = 15;
inline constexpr double kCellPadTwips = 40;
// The room a check box or a drop-down arrow takes beside a cell's text.
inline constexpr double kIndicatorTwips = 240;

inline GridCellFormat formatOf(const QTableWidgetItem* item) {
    return item ? item->data(FormatRole).value<GridCellFormat>() : GridCellFormat{};
}

// Cells whose text the user types, pastes or clears.
inline bool holdsText(const GridCellFormat& fmt) {
    return fmt.type == GridCellType::Edit || fmt.type == GridCellType::Integer ||
           fmt.type == GridCellType::Date || fmt.type == GridCellType::ComboBox;
}

} // namespace gridimpl
