#pragma once
// What a screen reader reads of a grid: a table whose cells are named by the
// texts they show (Grid::shownText; the rows a list is filled with included,
// which have no items of their own), each with its column heading (the
// header row's text, where the header row is shown) and its row heading (the
// text of the row's first shown cell, as a row's label or a learner's name).
//
// Cells are numbered as the item views number them for their focus and
// selection events: row by row, with the header row first and the row
// headings in the first column, so a table of R rows and C columns has
// (R + 1) * (C + 1) children.

// Installs the grid's accessible table once (Grid's constructor calls it).
void installGridAccessibility();
