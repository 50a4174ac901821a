#pragma once

#include "evidence/TimeSpan.h"

#include <string>
#include <string_view>
#include <vector>

namespace tessaplot {

// A named span of the wearing protocol: rest, exercise, recovery. Every figure is also
// given over each phase.
struct Phase {
    std::string name;
    double from = 0.0; // minutes
    double to = 0.0;
};

struct PhaseList {
    std::vector<Phase> phases; // in time order; empty when refused
    std::string problem;       // why the text was refused; empty when it was not
    bool ok() const { return problem.empty(); }
};

// Reads "Rest:0-30,Exercise:30-90,Recovery:90-180": names and spans in minutes, in time
// order. Gaps between phases are allowed (a change of clothes nobody reports on);
// overlaps, an empty or repeated name, a bound that is not a number ('.' as the decimal
// point) and a span that does not go forward are refused, naming the phase.
PhaseList ParsePhases(std::string_view text);

// The span figures over `phases[index]` are taken over: its end belongs to it unless
// the next phase starts right there.
TimeSpan PhaseSpan(const std::vector<Phase>& phases, std::size_t index);

// How much of a phase a run's time range [first, last] covers; a run that only touches
// its border (ends where it starts) does not reach it. A phase a run does not
// reach has no figures at all (never zeros); one it covers in part has figures over the
// part, and says so.
enum class PhaseReach { NotReached, Partly, Fully };
PhaseReach ReachOf(const Phase& phase, double runFirst, double runLast);

} // namespace tessaplot
