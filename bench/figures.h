#pragma once
// The figures of the benchmarks: each measured time set against the baseline measured in
// the same run, with the goal it must meet. The console reporter prints the usual table and,
// at the end, one line per figure.

#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

// One figure: `subject` / `baseline`, met when the ratio is at most `goal`. Each is a
// benchmark's name (without arguments or aggregate suffixes), standing for its time per
// iteration, or "name:counter" for a counter of it in microseconds (a plain number when the
// figure is a `count`).
inline constexpr double kNoGoal = 0.0;  // a figure shown for comparison only

struct Figure {
  std::string title;
  std::string subject;
  std::string baseline;
  double goal = 1.0;
  bool count = false;
};

class cFigureReporter : public benchmark::ConsoleReporter {
 public:
  cFigureReporter(std::vector<Figure> figures, OutputOptions options)
      : ConsoleReporter(options), figures_(std::move(figures)) {}

  void ReportRuns(const std::vector<Run>& runs) override;
  // Prints the figures and the counters worth a line of their own.
  void Finalize() override;

 private:
  struct Measured {
    double seconds = 0.0;  // real time per iteration; the median when repeated
    std::map<std::string, double> counters;
  };

  // Seconds of "name" or "name:counter"; negative when not measured.
  double SecondsOf(const std::string& what) const;

  std::vector<Figure> figures_;
  std::map<std::string, Measured> measured_;
};
