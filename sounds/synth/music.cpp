#include "synth/music.h"

#include <algorithm>
#include <cmath>

#include "synth/dsp.h"
#include "synth/instruments.h"

namespace {

// Adds `mono` into the loop from frame `at` on, continuing at the loop's
// start when it runs past the end.
void MixWrapped(cSound& loop, const std::vector<float>& mono, std::size_t at, float gain,
                float pan) {
  const PanGains gains = Pan(pan);
  const std::size_t frames = loop.Frames();
  for (std::size_t i = 0; i < mono.size(); ++i) {
    const std::size_t n = (at + i) % frames;
    loop.channels[0][n] += gain * gains.left * mono[i];
    loop.channels[1][n] += gain * gains.right * mono[i];
  }
}

// Every note starts from silence over this long, so no attack clicks.
constexpr float kDeclickSeconds = 0.0015f;

std::vector<float> Declicked(std::vector<float> note, int rate) {
  const std::size_t length = std::min(note.size(), std::size_t(kDeclickSeconds * float(rate)));
  for (std::size_t i = 0; i < length; ++i) note[i] *= float(i) / float(length);
  return note;
}

}  // namespace

cSound RenderLoop(const Score& score, int rate, float peak) {
  const double framesPerBeat = rate * score.SecondsPerBeat();
  cSound loop(rate, 2, std::size_t(std::llround(score.beats * framesPerBeat)));

  std::uint32_t seed = 1;
  for (const Voice& voice : score.voices) {
    const Instrument instrument = FindInstrument(voice.instrument);
    for (const Note& note : voice.notes) {
      const auto at = std::size_t(std::llround(note.start * framesPerBeat));
      for (int pitch : note.pitches) {
        const NoteRequest request{pitch, float(note.length * score.SecondsPerBeat()), note.velocity,
                                  rate, seed++};
        MixWrapped(loop, Declicked(instrument(request), rate), at, voice.gain, voice.pan);
      }
    }
  }

  // The first pass only fills the hall, so the second starts with the
  // tail that the loop's own end leaves ringing.
  cReverb reverb(rate, score.reverb);
  cSound warmUp = loop;
  reverb.Process(warmUp);
  reverb.Process(loop);

  NormalizePeak(loop, peak);
  return loop;
}
