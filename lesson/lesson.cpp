#include "lesson/lesson.h"

#include "coefficients/fir_table.h"
#include "coefficients/iir_table.h"
#include "lesson/lesson_tables.h"

namespace signova {

LessonFirTable StartUpFirTable() {
    SimulatorState state;
    CellStore grid = NewFirGrid();
    SetDefaultFirTable(grid, state);
    return CaptureFirTable(grid);
}

LessonIirTable StartUpIirTable() {
    SimulatorState state;
    CellStore grid = NewIirGrid();
    SetDefaultIirTable(grid, state);
    return CaptureIirTable(grid);
}

Lesson StartUpLesson() {
    Lesson lesson;
    lesson.fir = StartUpFirTable();
    lesson.iir = StartUpIirTable();
    return lesson;
}

} // namespace signova
