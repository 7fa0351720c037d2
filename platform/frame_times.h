#pragma once
// The times of the frames the loop has shown: the last second's for the on-screen counter,
// the whole run's for the report at exit. A frame's time is the wall-clock interval from the
// previous shown frame to this one (16.7 ms at 60 frames a second); its processor time is
// what the whole game (all its threads: a software OpenGL rasteriser draws on several) spent
// in that interval, which shows what a frame costs even on a busy machine. A frame shown after
// a stretch in which none was (the first, or one after the window was hidden or a still
// picture was kept) counts as shown but has no time: the stretch is no frame of the game's.
//
// Fixed memory: the last second sits in a ring, the whole run in a histogram of
// kBinMilliseconds steps (percentiles are read to that step; the worst is exact).

#include <array>
#include <cstddef>
#include <cstdint>

// Milliseconds; the times are zero when no frame was timed.
struct FrameTimeSummary {
  std::uint64_t frames = 0;  // every frame shown
  std::uint64_t timed = 0;   // those of them with a time
  double median = 0.0;
  double percentile95 = 0.0;
  double worst = 0.0;
};

class cFrameTimes {
 public:
  // A frame shown at `now` (seconds on any steady clock), `milliseconds` after the previous
  // one, which cost `cpuMilliseconds` of processor time.
  void Add(double now, double milliseconds, double cpuMilliseconds);
  // A frame shown at `now` with no previous one to time it from.
  void AddUntimed(double now);

  // The frames shown within the second before the last one added.
  FrameTimeSummary LastSecond() const;
  // Every frame since the start, and their processor time.
  FrameTimeSummary WholeRun() const { return Summarise(histogram, count, timed, worst); }
  FrameTimeSummary WholeRunCpu() const { return Summarise(cpuHistogram, count, timed, worstCpu); }

 private:
  static constexpr double kBinMilliseconds = 0.1;
  static constexpr std::size_t kBins = 10000;  // up to one second; longer frames share the last
  static constexpr std::size_t kRecent = 512;  // more than a second's frames at any rate shown

  using Histogram = std::array<std::uint32_t, kBins>;
  static void Count(Histogram& bins, double milliseconds);
  static FrameTimeSummary Summarise(const Histogram& bins, std::uint64_t count, std::uint64_t timed,
                                    double worst);
  void Remember(double now, double milliseconds, bool hasTime);

  struct Recent {
    double at = 0.0;
    double milliseconds = 0.0;
    bool timed = false;
  };
  std::array<Recent, kRecent> recent{};
  std::size_t next = 0;  // ring position of the next frame
  std::uint64_t count = 0;
  std::uint64_t timed = 0;
  double worst = 0.0;
  double worstCpu = 0.0;
  Histogram histogram{};
  Histogram cpuHistogram{};
};
