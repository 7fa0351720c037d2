#include "bench/figures.h"

#include <cstdio>
#include <string>

namespace {

std::string Seconds(double s) {
  char text[32];
  if (s >= 1.0) {
    std::snprintf(text, sizeof text, "%.3f s", s);
  } else if (s >= 1e-3) {
    std::snprintf(text, sizeof text, "%.3f ms", s * 1e3);
  } else {
    std::snprintf(text, sizeof text, "%.1f us", s * 1e6);
  }
  return text;
}

}  // namespace

void cFigureReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    if (run.error_occurred) continue;
    const bool aggregate = run.run_type == Run::RT_Aggregate;
    // With repetitions the median stands for the benchmark; otherwise the one run does.
    if (aggregate && run.aggregate_name != "median") continue;
    if (!aggregate && run.repetitions > 1) continue;
    Measured& m = measured_[run.run_name.function_name];
    m.seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    for (const auto& [name, counter] : run.counters) m.counters[name] = counter.value;
  }
}

double cFigureReporter::SecondsOf(const std::string& what) const {
  const std::size_t colon = what.find(':');
  const auto found = measured_.find(what.substr(0, colon));
  if (found == measured_.end()) return -1.0;
  if (colon == std::string::npos) return found->second.seconds;
  const auto counter = found->second.counters.find(what.substr(colon + 1));
  return counter == found->second.counters.end() ? -1.0 : counter->second * 1e-6;
}

void cFigureReporter::Finalize() {
  ConsoleReporter::Finalize();
  std::printf("\nFigures (each against its baseline from this run)\n");
  for (const Figure& figure : figures_) {
    const double subject = SecondsOf(figure.subject);
    const double baseline = SecondsOf(figure.baseline);
    if (subject < 0.0 || baseline <= 0.0) {
      std::printf("  %-46s not measured in this run\n", figure.title.c_str());
      continue;
    }
    const double ratio = subject / baseline;
    const auto shown = [&](double value) {
      return figure.count ? std::to_string(static_cast<long>(value * 1e6 + 0.5)) : Seconds(value);
    };
    std::printf("  %-46s %10s / %10s = %7.4f  ", figure.title.c_str(), shown(subject).c_str(),
                shown(baseline).c_str(), ratio);
    if (figure.goal != kNoGoal) {
      std::printf("(goal <= %g: %s)\n", figure.goal, ratio <= figure.goal ? "met" : "NOT met");
    } else {
      std::printf("(for comparison)\n");
    }
  }
  for (const auto& [name, m] : measured_) {
    for (const auto& [counter, value] : m.counters) {
      std::printf("  %s: %s = %.2f\n", name.c_str(), counter.c_str(), value);
    }
  }
  std::fflush(stdout);
}
