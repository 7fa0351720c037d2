#include "app/frame_report.h"

#include <cstring>

#include "platform/dxut.h"

namespace {

constexpr const char* kStatsOption = "--stats";

void PrintSummary(std::FILE* out, const char* what, const FrameTimeSummary& times) {
  std::fprintf(out, "%s: median %.1f ms, 95th percentile %.1f ms, worst %.1f ms\n", what,
               times.median, times.percentile95, times.worst);
}

}  // namespace

bool FrameReportRequested(int argc, char** argv) {
  bool requested = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], kStatsOption) == 0) {
      requested = true;
    } else {
      std::fprintf(stderr, "Unknown option %s ignored (the one option is %s)\n", argv[i],
                   kStatsOption);
    }
  }
  return requested;
}

void PrintFrameReport(std::FILE* out) {
  const FrameTimeSummary frames = DXUTGetFrameTimesWholeRun();
  std::fprintf(out, "Frames drawn: %llu\n", static_cast<unsigned long long>(frames.frames));
  PrintSummary(out, "Frame time", frames);
  PrintSummary(out, "Processor time per frame", DXUTGetFrameCpuWholeRun());
}
