#include "platform/frame_times.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kRecentSeconds = 1.0;

}  // namespace

void cFrameTimes::Remember(double now, double milliseconds, bool hasTime) {
  recent[next] = Recent{now, milliseconds, hasTime};
  next = (next + 1) % kRecent;
  ++count;
}

void cFrameTimes::AddUntimed(double now) { Remember(now, 0.0, false); }

void cFrameTimes::Add(double now, double milliseconds, double cpuMilliseconds) {
  Remember(now, milliseconds, true);
  ++timed;
  worst = std::max(worst, milliseconds);
  worstCpu = std::max(worstCpu, cpuMilliseconds);
  Count(histogram, milliseconds);
  Count(cpuHistogram, cpuMilliseconds);
}

void cFrameTimes::Count(Histogram& bins, double milliseconds) {
  const double bin = std::floor(std::max(milliseconds, 0.0) / kBinMilliseconds);
  ++bins[static_cast<std::size_t>(std::min(bin, static_cast<double>(kBins - 1)))];
}

FrameTimeSummary cFrameTimes::Summarise(const Histogram& bins, std::uint64_t frames,
                                        std::uint64_t timedFrames, double worstTime) {
  FrameTimeSummary summary;
  summary.frames = frames;
  summary.timed = timedFrames;
  summary.worst = worstTime;
  if (timedFrames == 0) return summary;
  // The time below which the given share of the frames lies, read at the middle of its bin.
  const auto below = [&](double share) {
    const auto wanted =
        static_cast<std::uint64_t>(std::ceil(share * static_cast<double>(timedFrames)));
    std::uint64_t seen = 0;
    for (std::size_t i = 0; i < kBins; ++i) {
      seen += bins[i];
      if (seen >= std::max<std::uint64_t>(wanted, 1)) {
        return std::min((static_cast<double>(i) + 0.5) * kBinMilliseconds, worstTime);
      }
    }
    return worstTime;
  };
  summary.median = below(0.5);
  summary.percentile95 = below(0.95);
  return summary;
}

FrameTimeSummary cFrameTimes::LastSecond() const {
  if (count == 0) return {};
  const double newest = recent[(next + kRecent - 1) % kRecent].at;
  std::array<double, kRecent> times{};
  std::size_t n = 0;
  FrameTimeSummary summary;
  for (std::size_t back = 1; back <= std::min<std::uint64_t>(count, kRecent); ++back) {
    const Recent& frame = recent[(next + kRecent - back) % kRecent];
    if (newest - frame.at >= kRecentSeconds) break;
    ++summary.frames;
    if (frame.timed) times[n++] = frame.milliseconds;
  }
  summary.timed = n;
  if (n == 0) return summary;
  std::sort(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(n));
  summary.median = times[n / 2];
  summary.percentile95 = times[std::min(n - 1, static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(n))) - 1)];
  summary.worst = times[n - 1];
  return summary;
}
