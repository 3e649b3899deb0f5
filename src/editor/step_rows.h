#pragma once
// The row layout of the macro page's step list and LED parameter list: step k of a macro is
// shown on row 2k and the delay after it on row 2k + 1; each light entry of a lighting block
// takes four rows of the parameter list.

namespace gm {

inline constexpr int kRowsPerStep = 2;  // the step row and the delay row after it
// Rows of the LED parameter list: row 0 the entry count, then per light entry its mode,
// colour and time rows (the place of row r is r % kParamRowsPerEntry).
inline constexpr int kParamRowsPerEntry = 4;
inline constexpr int kParamModeRow = 1;
inline constexpr int kParamColorRow = 2;
inline constexpr int kParamTimeRow = 3;

// The step that step-list row `row` belongs to (its own row or its delay row); row -1 gives 0.
constexpr int StepOfRow(int row) { return row / kRowsPerStep; }
// The row of step `step` itself (not its delay).
constexpr int RowOfStep(int step) { return step * kRowsPerStep; }
// True for a step's delay row; callers check the row is not negative first.
constexpr bool IsDelayRow(int row) { return row % kRowsPerStep != 0; }

}  // namespace gm
