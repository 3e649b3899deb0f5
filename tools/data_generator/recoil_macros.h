#pragma once
// The recoil-compensation macros of PUBG_EN.dat and PUBG_CN.dat, one per weapon of
// recoil_weapons.h, from the fire rate and pull-down of each weapon in a data file:
//
//   <picture stem> <rounds per minute> <pull per shot> <English name>
//
// in the order of the weapon table. Each macro pulls the pointer down (a move step X-Y+ with
// x 0 and y = the pull) once per shot, two shots per run, and plays in mode 2, the mouse's
// own mode that the recoil dialog offers beside "repeat n times". The pull is the macro's
// strength: the recoil dialog shows it as the y of the first move and sets every non-zero y
// to the strength it saves, and its delay field edits the delays of steps 0 and 1, the two
// shots.

#include <filesystem>
#include <vector>

#include "diagnostics.h"
#include "macro_builder.h"
#include "macros/macro_record.h"

namespace gm::datagen {

struct RecoilSource {
  int roundsPerMinute = 0;
  int pullPerShot = 0;
};

// One entry per weapon of the table, in its order; errors for lines that do not match it.
std::vector<RecoilSource> ReadRecoilSources(const std::filesystem::path& file,
                                            Diagnostics& diagnostics);

// The milliseconds between two shots at the given fire rate, rounded to the nearest.
int ShotIntervalMs(int roundsPerMinute);

// The recoil records of one language, in weapon order.
std::vector<MacroRecord> BuildRecoilMacros(const std::vector<RecoilSource>& sources,
                                           Language language);

}  // namespace gm::datagen
