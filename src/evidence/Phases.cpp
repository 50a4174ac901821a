#include "evidence/Phases.h"

#include "evidence/NumberText.h"

namespace tessaplot {

namespace {

PhaseList refused(std::string problem) {
    PhaseList list;
    list.problem = std::move(problem);
    return list;
}

} // namespace

PhaseList ParsePhases(std::string_view text) {
    PhaseList list;
    if (TrimmedText(text).empty())
        return refused("no phase is given: write them as Name:FROM-TO, separated by commas");
    std::size_t start = 0;
    for (int number = 1;; ++number) {
        const std::size_t comma = text.find(',', start);
        const std::string_view item = TrimmedText(text.substr(start, comma - start));
        const std::string which = "phase " + std::to_string(number);
        const std::size_t colon = item.find(':');
        if (colon == std::string_view::npos)
            return refused(which + " \"" + std::string(item) + "\" is not written as Name:FROM-TO");
        Phase phase;
        phase.name = TrimmedText(item.substr(0, colon));
        if (phase.name.empty())
            return refused(which + " has no name");
        std::string_view bounds = item.substr(colon + 1);
        const std::string named = "phase \"" + phase.name + "\"";
        const std::optional<double> from = LeadingNumber(bounds);
        bounds = TrimmedText(bounds);
        if (!from || bounds.empty() || bounds.front() != '-')
            return refused(named + ": \"" + std::string(TrimmedText(item.substr(colon + 1))) +
                           "\" is not FROM-TO in minutes");
        bounds.remove_prefix(1);
        const std::optional<double> to = WholeNumber(bounds);
        if (!to)
            return refused(named + ": \"" + std::string(TrimmedText(item.substr(colon + 1))) +
                           "\" is not FROM-TO in minutes");
        phase.from = *from;
        phase.to = *to;
        if (phase.to <= phase.from)
            return refused(named + " ends before it starts");
        for (const Phase& earlier : list.phases) {
            if (earlier.name == phase.name)
                return refused(named + " is named twice");
        }
        if (!list.phases.empty() && phase.from < list.phases.back().to)
            return refused(named + " starts before \"" + list.phases.back().name +
                           "\" ends: phases follow one another in time without overlapping");
        list.phases.push_back(std::move(phase));
        if (comma == std::string_view::npos)
            return list;
        start = comma + 1;
    }
}

TimeSpan PhaseSpan(const std::vector<Phase>& phases, std::size_t index) {
    const Phase& phase = phases.at(index);
    const bool nextStartsAtEnd = index + 1 < phases.size() && phases[index + 1].from == phase.to;
    return {phase.from, phase.to, !nextStartsAtEnd};
}

PhaseReach ReachOf(const Phase& phase, double runFirst, double runLast) {
    if (runLast <= phase.from || runFirst >= phase.to || runLast < runFirst)
        return PhaseReach::NotReached;
    if (runFirst <= phase.from && runLast >= phase.to)
        return PhaseReach::Fully;
    return PhaseReach::Partly;
}

} // namespace tessaplot
