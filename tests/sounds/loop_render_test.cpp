#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <stdexcept>

#include "synth/music.h"

namespace {

constexpr int kRate = 8000;

cSound Render(const std::string& text) {
  std::istringstream in(text);
  return RenderLoop(ParseScore(in, "tune.txt"), kRate, 0.5f);
}

float Level(const cSound& sound, float from, float to) {
  double sum = 0.0;
  const auto first = std::size_t(from * kRate), last = std::size_t(to * kRate);
  for (const auto& channel : sound.channels)
    for (std::size_t i = first; i < last; ++i) sum += double(channel[i]) * channel[i];
  return float(std::sqrt(sum / double(2 * (last - first))));
}

TEST(TuneLoopRendering, LastsExactlyTheScoresBeatsAtItsTempo) {
  const cSound loop = Render("tempo 120\nbeats 3\nvoice v harp\n  A4:3\nend\n");
  EXPECT_EQ(loop.ChannelCount(), 2);
  EXPECT_EQ(loop.Frames(), std::size_t(1.5 * kRate));
  EXPECT_NEAR(Peak(loop), 0.5f, 1e-6f);
}

TEST(TuneLoopRendering, WrapsANoteRingingPastTheEndToTheStart) {
  // Only the last beat plays; the recorder's release must sound at the
  // loop's start, and nothing between its end and the note.
  const cSound loop =
      Render("tempo 60\nbeats 4\nreverb wet=0\nvoice v recorder\n  r:3 A4:1\nend\n");
  EXPECT_GT(Level(loop, 0.0f, 0.05f), 0.02f);
  EXPECT_LT(Level(loop, 1.0f, 2.9f), 1e-6f);
}

TEST(TuneLoopRendering, CarriesTheReverbTailAroundTheSeam) {
  // A war drum hit that dies away before the end: only the hall's tail
  // can reach the start.
  const cSound loop =
      Render("tempo 60\nbeats 4\nreverb size=0.9 wet=1\nvoice v drums\n  r:2 boom:2\nend\n");
  EXPECT_GT(Level(loop, 0.0f, 0.2f), 1e-3f);
}

TEST(TuneLoopRendering, RefusesAnUnknownInstrument) {
  EXPECT_THROW(Render("beats 1\nvoice v kazoo\n  C4:1\nend\n"), std::invalid_argument);
}

}  // namespace
