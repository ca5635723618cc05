#pragma once

#include "lesson/lesson.h"
#include "toolkit/cell_store.h"

namespace signova {

// A table's cells as a lesson keeps them. FIR: the rows within the row count
// and, when every value cell within it holds text, the value cells beyond it
// down to the first empty one: the filter reads those too, at most 300 values
// in all.
LessonFirTable CaptureFirTable(const CellStore& grid);
LessonIirTable CaptureIirTable(const CellStore& grid);

// Puts a lesson's table into the grid: its row count, its cells, and every
// other cell beyond the row count emptied. The IIR header row is "a", "b".
void ApplyFirTable(const LessonFirTable& table, CellStore& grid);
void ApplyIirTable(const LessonIirTable& table, CellStore& grid);

// The values the filter reads from a lesson's FIR table: down to the first
// empty value cell, within the rows and then beyond them.
int FirValueCount(const LessonFirTable& table);

} // namespace signova
