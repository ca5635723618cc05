#pragma once

#include "engine/simulator_state.h"
#include "toolkit/dialogs.h"
#include "toolkit/line_buffer.h"

#include <string_view>

namespace signova {

// The first line of every coefficient file.
inline constexpr std::string_view CoefficientFileHeader = "//SIGNOVA";

// Checks and cleans a coefficient file that has just been read into `lines`.
// `kind` is "FIR" or "IIR", after the Load button used.
//
// - FileTitle is emptied first, then set from the last line holding "//TITLE"
//   (that line without its first seven bytes, untrimmed).
// - A first line other than "//SIGNOVA" and every "//TYPE" line lacking `kind`
//   ask whether to go on; the answer No shows "Data not loaded", sets
//   LoadError and returns with the lines untouched. Any other answer goes on.
// - Lines beginning with "//" are removed; elsewhere the first "//" removes
//   the 50 bytes starting with it; then the first "," becomes ".".
// - For "IIR": IirOrder := half the remaining line count; 0 is refused with
//   "This is not a proper IIR-file" and LoadError.
//
// LoadError is only ever set here; the caller clears it before the call.
void PrepareCoefficientFile(SimulatorState& state, LineBuffer& lines, std::string_view kind,
                            Dialogs& dialogs);

} // namespace signova
