// Runs every benchmark, prints each figure against its baseline, then runs the ten-minute
// memory soak in a process of its own (so that its peak is the match's alone).
//
// Own options (the rest are Google Benchmark's):
//   --soak                 run only the soak (what the benchmark run starts as a child)
//   --soak-minutes=<m>     game minutes the soak plays (default 10)
//   --no-soak              skip the soak
//   --game-log             keep the game's debug lines (otherwise standard error is silenced)

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "bench/figures.h"
#include "bench/shared_match.h"
#include "bench/soak.h"

namespace {

struct Options {
  bool soakOnly = false;
  bool soak = true;
  bool gameLog = false;
  std::string minutes = "10";
};

// Takes our own options out of argv, leaving Google Benchmark's.
Options TakeOptions(int& argc, char** argv) {
  Options options;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--soak") {
      options.soakOnly = true;
    } else if (arg == "--no-soak") {
      options.soak = false;
    } else if (arg == "--game-log") {
      options.gameLog = true;
    } else if (arg.rfind("--soak-minutes=", 0) == 0) {
      options.minutes = arg.substr(std::strlen("--soak-minutes="));
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  return options;
}

void SilenceGameLog() {
  const int null = open("/dev/null", O_WRONLY);
  if (null >= 0) {
    dup2(null, STDERR_FILENO);
    close(null);
  }
}

int RunSoakChild(const Options& options) {
  std::fflush(stdout);
  std::string minutes = "--soak-minutes=" + options.minutes;
  std::string soak = "--soak";
  std::string exe = "/proc/self/exe";
  std::vector<char*> args{exe.data(), soak.data(), minutes.data()};
  std::string log = "--game-log";
  if (options.gameLog) args.push_back(log.data());
  args.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawn(&child, exe.c_str(), nullptr, nullptr, args.data(), environ) != 0) return 1;
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

std::vector<Figure> TheFigures() {
  return {
      {"match update / frame render", "BM_MatchUpdate", "BM_FrameRender", 0.02},
      {"frame render / its floor", "BM_FrameRenderFloor:game_render_us", "BM_FrameRenderFloor",
       1.3},
      {"draw calls / draws that reach the screen", "BM_FrameRenderFloor:game_draws_per_frame",
       "BM_FrameRenderFloor:floor_draws_per_frame", 1.2, true},
      {"frame without shortcuts / its floor (before)", "BM_FrameRenderFloor:plain_render_us",
       "BM_FrameRenderFloor", kNoGoal},
      {"radar / its floor", "BM_RadarFloor:radar_us", "BM_RadarFloor", 1.5},
      {"radar / frame render", "BM_RadarFloor:radar_us", "BM_FrameRender", 0.05},
      {"first match load / raw decode and upload", "BM_LoadMatchFirst", "BM_LoadRawDecode", 1.5},
      {"second match load / first match load", "BM_LoadMatchAgain", "BM_LoadMatchFirst", 0.1},
      {"software scale-up to 1440x1080 / its floor", "BM_PresentScaledUp",
       "BM_PresentScaledUpFloor", 1.1},
      {"the same, linear (not chosen) / its floor", "BM_PresentScaledUpLinear",
       "BM_PresentScaledUpFloor", kNoGoal},
  };
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = TakeOptions(argc, argv);
  if (!options.gameLog) SilenceGameLog();
  if (options.soakOnly) return RunSoak(std::stod(options.minutes));

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  // Colours only for a terminal, so that a saved run reads cleanly.
  cFigureReporter reporter(TheFigures(), isatty(STDOUT_FILENO) ? cFigureReporter::OO_ColorTabular
                                                               : cFigureReporter::OO_Tabular);
  reporter.SetErrorStream(&std::cout);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  ReleaseSharedMatch();
  benchmark::Shutdown();
  return options.soak ? RunSoakChild(options) : 0;
}
