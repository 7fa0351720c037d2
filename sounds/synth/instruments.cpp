#include "synth/instruments.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "synth/dsp.h"

namespace {

std::size_t Frames(const NoteRequest& note, float seconds) {
  return std::size_t(seconds * float(note.rate));
}

// Linear attack to full level, held until the note is let go, then an
// exponential release.
float HeldEnvelope(float t, float attack, float held, float release) {
  if (t < attack) return t / attack;
  if (t < held) return 1.0f;
  return std::exp(-(t - held) / release);
}

// Ramps the last `seconds` down to silence so a long ring never stops on a click.
void FadeTail(std::vector<float>& samples, int rate, float seconds) {
  const std::size_t length = std::min(samples.size(), std::size_t(seconds * float(rate)));
  for (std::size_t i = 0; i < length; ++i)
    samples[samples.size() - 1 - i] *= float(i) / float(length);
}

// Lute: a short, warm pluck that rings on after the next note begins.
std::vector<float> Lute(const NoteRequest& note) {
  const float frequency = NoteToHz(float(note.pitch));
  auto out =
      PluckedString(note.rate, frequency, 2.6f, 0.3f + 0.25f * note.velocity, 0.55f, note.seed);
  cFilter body(note.rate, 380.0f, 1.2f);
  for (float& s : out) s = note.velocity * (0.8f * s + 0.6f * body.Band(s));
  FadeTail(out, note.rate, 0.3f);
  return out;
}

// Harp: brighter and longer ringing than the lute.
std::vector<float> Harp(const NoteRequest& note) {
  const float frequency = NoteToHz(float(note.pitch));
  auto out =
      PluckedString(note.rate, frequency, 4.0f, 0.6f + 0.3f * note.velocity, 1.1f, note.seed);
  for (float& s : out) s *= note.velocity;
  FadeTail(out, note.rate, 0.5f);
  return out;
}

// Recorder: a nearly pure tone with breath noise, a chiff at the start and
// a slow vibrato that comes in on long notes.
std::vector<float> Recorder(const NoteRequest& note) {
  const float frequency = NoteToHz(float(note.pitch));
  const float gate = note.held * 0.92f;
  const float release = 0.07f;
  std::vector<float> out(Frames(note, gate + 6.0f * release));
  cNoise noise(note.seed);
  cFilter breath(note.rate, 2.0f * frequency, 1.5f);
  cFilter chiff(note.rate, 3.0f * frequency, 2.0f);
  float phase = 0.0f;
  for (std::size_t n = 0; n < out.size(); ++n) {
    const float t = float(n) / float(note.rate);
    const float vibrato = 1.0f + 0.004f * std::min(1.0f, std::max(0.0f, t - 0.35f) * 2.0f) *
                                     std::sin(kTwoPi * 5.2f * t);
    phase += frequency * vibrato / float(note.rate);
    phase -= std::floor(phase);
    const float tone = std::sin(kTwoPi * phase) + 0.1f * std::sin(2.0f * kTwoPi * phase) +
                       0.05f * std::sin(3.0f * kTwoPi * phase);
    const float white = noise.Next();
    const float air = 0.05f * breath.Band(white) + 0.5f * chiff.Band(white) * std::exp(-t / 0.025f);
    out[n] = note.velocity * HeldEnvelope(t, 0.045f, gate, release) * (tone + air);
  }
  return out;
}

// Drone: two slightly detuned, darkened saws that swell in slowly, like a
// hurdy-gurdy's drone strings.
std::vector<float> Drone(const NoteRequest& note) {
  const float frequency = NoteToHz(float(note.pitch));
  const float release = 1.2f;
  std::vector<float> out(Frames(note, note.held + 5.0f * release));
  cFilter tone(note.rate, 650.0f, 0.8f);
  const float detune[2] = {0.998f, 1.002f};
  float phases[2] = {0.0f, 0.37f};
  for (std::size_t n = 0; n < out.size(); ++n) {
    const float t = float(n) / float(note.rate);
    float sum = 0.0f;
    for (int i = 0; i < 2; ++i) {
      const float step = frequency * detune[i] / float(note.rate);
      phases[i] += step;
      phases[i] -= std::floor(phases[i]);
      sum += Saw(phases[i], step);
    }
    const float swell = 0.9f + 0.1f * std::sin(kTwoPi * 0.23f * t);
    out[n] =
        0.5f * note.velocity * swell * HeldEnvelope(t, 1.5f, note.held, release) * tone.Low(sum);
  }
  return out;
}

// Bass: saw and sine through a low pass that snaps shut after each attack,
// for a driving, plucked ostinato.
std::vector<float> Bass(const NoteRequest& note) {
  const float frequency = NoteToHz(float(note.pitch));
  const float gate = note.held * 0.85f;
  const float release = 0.03f;
  std::vector<float> out(Frames(note, gate + 6.0f * release));
  cFilter filter(note.rate, 1000.0f, 1.4f);
  const float step = frequency / float(note.rate);
  float phase = 0.0f;
  for (std::size_t n = 0; n < out.size(); ++n) {
    const float t = float(n) / float(note.rate);
    phase += step;
    phase -= std::floor(phase);
    if (n % 16 == 0) filter.Tune(220.0f + 2000.0f * note.velocity * std::exp(-t / 0.07f), 1.4f);
    const float source = 0.7f * Saw(phase, step) + 0.6f * std::sin(kTwoPi * phase);
    out[n] =
        note.velocity * HeldEnvelope(t, 0.004f, gate, release) * Saturate(filter.Low(source), 1.5f);
  }
  return out;
}

// Brass: three detuned saws that scoop up to pitch while a low pass opens
// with the breath, the way a horn section blares.
std::vector<float> Brass(const NoteRequest& note) {
  const float frequency = NoteToHz(float(note.pitch));
  const float gate = note.held * 0.9f;
  const float release = 0.09f;
  std::vector<float> out(Frames(note, gate + 6.0f * release));
  cFilter filter(note.rate, 1000.0f, 0.9f);
  const float detune[3] = {0.996f, 1.0f, 1.004f};
  float phases[3] = {0.0f, 0.31f, 0.67f};
  for (std::size_t n = 0; n < out.size(); ++n) {
    const float t = float(n) / float(note.rate);
    const float scoop = 1.0f - 0.03f * std::exp(-t / 0.03f);
    float sum = 0.0f;
    for (int i = 0; i < 3; ++i) {
      const float step = frequency * scoop * detune[i] / float(note.rate);
      phases[i] += step;
      phases[i] -= std::floor(phases[i]);
      sum += Saw(phases[i], step);
    }
    if (n % 16 == 0) {
      const float blare = std::min(1.0f, t / 0.05f) * (0.55f + 0.45f * std::exp(-t / 0.25f));
      filter.Tune(350.0f + 3200.0f * note.velocity * blare, 0.9f);
    }
    out[n] = 0.4f * note.velocity * HeldEnvelope(t, 0.015f, gate, release) *
             Saturate(filter.Low(sum), 1.2f);
  }
  return out;
}

// One drum hit: a tuned body whose pitch falls from `high` to `low`, plus
// noise through a filter; each part with its own decay.
struct DrumRecipe {
  float high, low, sweep;  // Hz, Hz, seconds
  float bodyDecay;
  float noiseCutoff, noiseDecay, noiseLevel;
  bool noiseHighPass;
  float length;
};

const std::map<int, DrumRecipe> kDrums = {
    {35, {95.0f, 52.0f, 0.08f, 0.55f, 300.0f, 0.08f, 0.5f, false, 1.4f}},      // boom: war drum
    {36, {150.0f, 48.0f, 0.035f, 0.28f, 4000.0f, 0.004f, 0.4f, false, 0.6f}},  // kick
    {38, {190.0f, 175.0f, 0.02f, 0.07f, 1800.0f, 0.14f, 0.9f, true, 0.5f}},    // snare
    {41, {115.0f, 82.0f, 0.1f, 0.35f, 500.0f, 0.03f, 0.3f, false, 0.9f}},      // low tom
    {42, {0.0f, 0.0f, 1.0f, 1.0f, 7500.0f, 0.035f, 0.6f, true, 0.2f}},         // closed hat
    {45, {165.0f, 120.0f, 0.08f, 0.3f, 700.0f, 0.03f, 0.3f, false, 0.8f}},     // tom
    {46, {0.0f, 0.0f, 1.0f, 1.0f, 7000.0f, 0.22f, 0.5f, true, 0.9f}},          // open hat
    {49, {0.0f, 0.0f, 1.0f, 1.0f, 5000.0f, 0.5f, 0.3f, true, 2.0f}},           // crash
};

std::vector<float> Drums(const NoteRequest& note) {
  const auto recipe = kDrums.find(note.pitch);
  if (recipe == kDrums.end())
    throw std::invalid_argument("no drum for pitch " + std::to_string(note.pitch));
  const DrumRecipe& d = recipe->second;
  std::vector<float> out(Frames(note, d.length));
  cNoise noise(note.seed);
  cFilter filter(note.rate, d.noiseCutoff, 0.8f);
  float phase = 0.0f;
  for (std::size_t n = 0; n < out.size(); ++n) {
    const float t = float(n) / float(note.rate);
    float body = 0.0f;
    if (d.high > 0.0f) {
      phase += (d.low + (d.high - d.low) * std::exp(-t / d.sweep)) / float(note.rate);
      phase -= std::floor(phase);
      body = std::sin(kTwoPi * phase) * std::exp(-t / d.bodyDecay);
    }
    const auto filtered = filter.Process(noise.Next());
    const float hiss = (d.noiseHighPass ? filtered.high : filtered.low) * d.noiseLevel *
                       std::exp(-t / d.noiseDecay);
    out[n] = note.velocity * Saturate(body + hiss, 1.3f) * std::min(1.0f, (d.length - t) / 0.02f);
  }
  return out;
}

const std::map<std::string, Instrument> kInstruments = {
    {"lute", Lute}, {"harp", Harp},   {"recorder", Recorder}, {"drone", Drone},
    {"bass", Bass}, {"brass", Brass}, {"drums", Drums},
};

}  // namespace

Instrument FindInstrument(const std::string& name) {
  const auto instrument = kInstruments.find(name);
  if (instrument == kInstruments.end())
    throw std::invalid_argument("no instrument called '" + name + "'");
  return instrument->second;
}
