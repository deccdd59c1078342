#pragma once

// What the chain benches share: the drivers racing on the surface, press by
// press, and the figures they report beside the floor's.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "bench/SurfaceTerminal.h"
#include "tests/gui/app/ProgramRun.h"

namespace quorbel::testing {

// One driver of the surface in the race: its terminal and its process.
struct Entrant {
  std::string name;
  std::unique_ptr<SurfaceTerminal> surface = std::make_unique<SurfaceTerminal>();
  std::unique_ptr<ProgramFolder> folder;
  std::unique_ptr<ChildProcess> process;
  std::vector<double> micros;
  int lost = 0;  // presses whose key did not come within two seconds
};

inline double Percentile(std::vector<double> values, double share) {
  const auto at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1));
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at), values.end());
  return values[at];
}

// Each entrant's p50, p99 and lost presses, and its ratios to the first
// entrant, the floor.
inline void ReportRace(benchmark::State& state,
                       const std::vector<std::unique_ptr<Entrant>>& entrants) {
  const double floorP50 = Percentile(entrants.front()->micros, 0.50);
  const double floorP99 = Percentile(entrants.front()->micros, 0.99);
  for (const auto& entrant : entrants) {
    const double p50 = Percentile(entrant->micros, 0.50);
    const double p99 = Percentile(entrant->micros, 0.99);
    state.counters[entrant->name + "_p50_us"] = p50;
    state.counters[entrant->name + "_p99_us"] = p99;
    state.counters[entrant->name + "_lost"] = entrant->lost;
    if (entrant != entrants.front()) {
      state.counters[entrant->name + "_p50_ratio"] = p50 / floorP50;
      state.counters[entrant->name + "_p99_ratio"] = p99 / floorP99;
    }
  }
}

}  // namespace quorbel::testing
