// libFuzzer target: a coefficient file of any bytes loaded into the FIR or
// the IIR table, the table read into its filter, and a few hundred samples
// through generator, ADC, filter and DAC.
//
// - A refused load leaves the table's cells, FirLastTap and IirOrder as they
//   were; an accepted one leaves IirOrder = the table's rows - 1.
// - Reading fails only with the conversion error or "Floating point overflow"
//   (FIR) and reports bad IIR rows in boxes; FirLastTap names the last value
//   read, or stays when the read failed.
// - Every sample is within the converter range, or the run ends with
//   "Invalid floating point operation" for a filter output beyond the 64-bit
//   range; nothing else is ever thrown.
// - The IIR row keys keep IirOrder between 1 and the arrays' size.
//
// Input: byte 0 picks the button (bit 0: IIR), the waveform (bits 1-3) and
// the row keys (bits 4-7); byte 1 the answers to the questions; the rest is
// the file.

#include "coefficients/fir_table.h"
#include "coefficients/iir_table.h"
#include "engine/fir_filter.h"
#include "engine/iir_filter.h"
#include "engine/sample_pipeline.h"
#include "fuzz/fuzz_support.h"
#include "toolkit/errors.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace signova::fuzz {
namespace {

constexpr int Samples = 300;
// Loaders write no row beyond 300; a little more is compared.
constexpr int ComparedRows = 320;

bool SameCells(const CellStore& a, const CellStore& b) {
    if (a.RowCount() != b.RowCount() || a.FixedRows() != b.FixedRows())
        return false;
    for (int column = 0; column < a.ColumnCount(); ++column)
        for (int row = 0; row < ComparedRows; ++row)
            if (a.Cell(column, row) != b.Cell(column, row))
                return false;
    return true;
}

// The rows whose value cells ReadFIRCoefficients reads: down to the first
// empty one, at most 300.
int FirValueRows(const CellStore& grid) {
    int rows = 0;
    while (rows < FirCoefficientCount && !grid.Cell(FirValueColumn, rows).empty())
        ++rows;
    return rows;
}

void SetUpRun(SimulatorState& state, int waveform) {
    state.SignalFrequency = 1000;
    state.SampleRate = 48000;
    state.Waveform = waveform;
    state.MaxCode = 2047;
    state.Amplitude = 2047;
}

void RunSamples(SimulatorState& state, FilterKind filter) {
    for (int sample = 0; sample < Samples; ++sample) {
        try {
            ComputeSample(state, filter);
        } catch (const InvalidOperationError&) {
            return; // the run ends here
        }
        Check(std::abs(state.InputSample) <= state.MaxCode, "input within the converter range");
        Check(std::abs(state.OutputSample) <= state.MaxCode, "output within the converter range");
    }
}

void LoadFir(SimulatorState& state, LineBuffer& lines, RecordingDialogs& dialogs) {
    CellStore grid = NewFirGrid();
    SetDefaultFirTable(grid, state);
    const CellStore before = grid;
    const int lastTapBefore = state.FirLastTap;
    const int orderBefore = state.IirOrder;

    const TableLoad load = LoadFIRTable(state, grid, lines, dialogs);
    Check(state.IirOrder == orderBefore, "a FIR load leaves IirOrder");
    if (!load.accepted) {
        Check(SameCells(grid, before), "a refused FIR load leaves the table");
        Check(state.FirLastTap == lastTapBefore, "a refused FIR load leaves FirLastTap");
        return;
    }
    Check(grid.RowCount() <= MaxFirFileLines, "at most 300 rows");
    try {
        ReadFIRCoefficients(state, grid);
    } catch (const ConversionError&) {
        Check(state.FirLastTap == lastTapBefore, "a failed read leaves FirLastTap");
        return;
    } catch (const FloatOverflowError&) {
        Check(state.FirLastTap == lastTapBefore, "a failed read leaves FirLastTap");
        return;
    }
    Check(state.FirLastTap == FirValueRows(grid) - 1, "FirLastTap is the last value read");
    RunSamples(state, FilterKind::Fir);
}

void LoadIir(SimulatorState& state, LineBuffer& lines, RecordingDialogs& dialogs,
             std::uint8_t keys) {
    CellStore grid = NewIirGrid();
    SetDefaultIirTable(grid, state);
    const CellStore before = grid;
    const int lastTapBefore = state.FirLastTap;
    const int orderBefore = state.IirOrder;

    const TableLoad load = LoadIIRTable(state, grid, lines, dialogs);
    Check(state.FirLastTap == lastTapBefore, "an IIR load leaves FirLastTap");
    if (!load.accepted) {
        Check(SameCells(grid, before), "a refused IIR load leaves the table");
        Check(state.IirOrder == orderBefore, "a refused IIR load leaves IirOrder");
        return;
    }
    Check(state.IirOrder == grid.RowCount() - 1, "IirOrder follows the rows");
    Check(state.IirOrder >= 1 && state.IirOrder <= MaxIirFileRows, "1 to 100 rows");
    for (const int key : {VirtualKeyInsert, VirtualKeyDelete, VirtualKeyShift, 0}) {
        if ((keys & 1) != 0)
            IirGridKeyDown(grid, state, key, (keys & 2) != 0);
        keys = static_cast<std::uint8_t>(keys >> 1);
    }
    Check(state.IirOrder == grid.RowCount() - 1, "IirOrder follows the rows after the keys");
    Check(state.IirOrder >= 1 && state.IirOrder <= MaxIirOrder, "IirOrder within the arrays");

    const std::size_t boxesBefore = dialogs.shown.size();
    state.LoadError = false;
    try {
        ReadIIRCoefficients(state, grid, dialogs);
    } catch (const FloatOverflowError&) {
        return;
    }
    Check(state.LoadError == (dialogs.shown.size() > boxesBefore),
          "LoadError exactly when a row is reported");
    RunSamples(state, FilterKind::Iir);
}

} // namespace
} // namespace signova::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace signova;
    using namespace signova::fuzz;
    if (size < 2)
        return 0;
    const bool iir = (data[0] & 1) != 0;
    const int waveform = 1 + (data[0] >> 1 & 7) % 6;
    const auto keys = static_cast<std::uint8_t>(data[0] >> 4);
    LineBuffer lines;
    lines.SetText(std::string_view(reinterpret_cast<const char*>(data + 2), size - 2));

    SimulatorState state;
    SetUpRun(state, waveform);
    RecordingDialogs dialogs(data[1]);
    if (iir)
        LoadIir(state, lines, dialogs, keys);
    else
        LoadFir(state, lines, dialogs);
    return 0;
}
