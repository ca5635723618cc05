#pragma once

#include "design/filter_design.h"
#include "engine/simulator_state.h"
#include "toolkit/cell_store.h"

namespace signova {

// Writes a design into its table as Load writes a file of the same
// coefficients: FIR, the row count the number of taps, rows labelled "h0",
// "h1", ... and the value cell after the last tap emptied, so no tap of a
// longer table is read after it; IIR, one row per coefficient pair under the
// header (IirOrder follows), the a[0] cell showing that it is not used. The
// window then shows the title and reads the table into the filter, as after
// a Load. `design` must be Ok().
void WriteDesignedTable(const DesignedFilter& design, SimulatorState& state, CellStore& grid);

} // namespace signova
