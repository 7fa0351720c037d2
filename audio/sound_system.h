#pragma once
// The game's sound: opens an output device, keeps the decoded sounds by name and plays them.
// Every sound lives inside the executable as a resource (WAV or Ogg Vorbis) and is decoded
// fully into memory when it is added; nothing is streamed. Each sound is decoded at its level
// in the mix (mix_levels.h), and the mix passes the master bus (master_bus.h): the player's
// volume and a limiter that keeps it below full scale.

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "audio/master_bus.h"
#include "audio/sample.h"
#include "audio/voice_table.h"
#include "platform/status.h"

class cSoundSystem {
 public:
  // Each sound can be heard at most this many times at once; a further play replaces the
  // quietest of them (the oldest among equally quiet ones).
  static constexpr int kMaxPlaysPerSample = 10;

  // Error codes of the sound system, as ErrorText knows them.
  static constexpr int kErrorMemory = 1;
  static constexpr int kErrorFileOpen = 2;
  static constexpr int kErrorFormat = 6;
  static constexpr int kErrorNotInitialized = 8;
  static constexpr int kErrorIllegalParameter = 20;
  static constexpr int kError3D = 21;
  static constexpr int kErrorNoSound = 37;
  static constexpr int kErrorFileFormat = 41;

  cSoundSystem() = default;
  // Releases whatever Shutdown has not: safe after SDL itself has been shut down (the game
  // object is static and outlives main), in which case it touches no SDL object at all.
  ~cSoundSystem();
  cSoundSystem(const cSoundSystem&) = delete;
  cSoundSystem& operator=(const cSoundSystem&) = delete;

  // Opens output `device`: 0 the silent device (no audio opened: every load fails quietly
  // and every play gives handle 0), 1 the default output, n >= 2 the (n-1)th output device
  // that SDL lists. The mixer runs at 44100 Hz stereo. `window` is accepted for the
  // framework's sake and not needed. On failure the silent device is set up and E_FAIL
  // returned, so the game runs on without sound. A device opened by an earlier Init is
  // closed first, and the samples decoded for it with it. SDL_mixer has one mixer per
  // process: while another cSoundSystem holds it, Init fails likewise.
  HRESULT Init(void* window, int device);

  // Halts every sound, frees the samples and closes the device and SDL's audio subsystem;
  // afterwards the system is as constructed. The game calls it from its cleanup at exit,
  // while SDL is still up. Calling it again does nothing.
  void Shutdown();

  // Decodes resource `id` (FindResourceData) into a sample named by the decimal text of `id`,
  // at the sound's level in the mix.
  // A sample already loaded under that name is reused, not decoded again; it then loops as
  // this request says. `loop` non-zero: the sample loops until StopAll. `is3D` must be 0:
  // there is no positional sound. Failures write a debug line and return E_FAIL ("Could not
  // find resource <id>!" when the executable has no such resource, else the ErrorText of
  // the cause: silent device, undecodable data, out of memory) or E_OUTOFMEMORY.
  HRESULT AddSampleFromResource(int id, int loop, int is3D);

  // The handle (non-zero) of the sample whose name equals `name` exactly; 0 if none.
  std::uint32_t FindSample(std::wstring_view name) const;

  // Plays the named sample at full volume and returns its channel handle, 0 when there is
  // no such sample or no device. While the output is paused (Pause, StopAll) the new sound
  // waits, paused, for Start. A handle stays tied to this one playback: once its channel is
  // reused by another sound the old handle no longer reaches it.
  std::uint32_t Play(std::wstring_view name);

  // Sets the volume (0 silent .. 100 full) of the playback behind `channel`. E_FAIL, and no
  // change, when the volume is out of range or the handle no longer names a playing sound.
  HRESULT SetChannelVolume(std::uint32_t channel, int volume);

  // The volume 0..100 of the playback behind `channel`; -1 when the handle is 0 or stale.
  int GetChannelVolume(std::uint32_t channel) const;

  // Halts every sound and stops the output: sounds played afterwards wait until Start.
  HRESULT StopAll();
  // Starts the output again after Pause or StopAll; paused sounds go on where they were.
  HRESULT Start();
  // Pauses the output: every sound, including those played later, holds until Start.
  HRESULT Pause();

  // The player's master volume, 0 silent .. 1 full (see cMasterBus::VolumeGain); it holds
  // from the next block of sound on, for every sound, and across Init.
  void SetMasterVolume(float volume) { bus.SetVolume(volume); }
  float MasterVolume() const { return bus.Volume(); }
  // Mutes every sound without forgetting the master volume, or lets them be heard again.
  void SetMuted(bool muted) { bus.SetMuted(muted); }
  bool Muted() const { return bus.Muted(); }

  // Called on the audio thread with every block of the finished mix, as it goes to the
  // speakers (interleaved 16-bit stereo at 44100 Hz); tests listen to the game through it.
  // Null stops it. Returns only once the previous listener can no longer be called.
  using MixListener = void (*)(const std::int16_t* samples, std::size_t count, void* context);
  void SetMixListener(MixListener listener, void* context);

  // Number of loaded samples (one per name).
  std::size_t SampleCount() const { return samples.size(); }

  // "## SoundSystem: " followed by the text for `code` and a line break; codes the table
  // does not know give "Unknown Error!".
  static std::wstring ErrorText(int code);

 private:
  enum class Output { kClosed, kSilent, kOpen };

  HRESULT OpenDevice(int device);
  // The mixer's last step (its post-mix hook): the master bus, then the listener.
  static void FinishMix(void* system, unsigned char* stream, int length);
  // Writes the ErrorText of `code` to the debugger output and returns E_FAIL.
  HRESULT Fail(int code);
  cSample* FindByName(std::wstring_view name);
  // The mixer channel on which the playback behind handle `channel` still sounds, else -1.
  int SoundingChannel(std::uint32_t channel) const;

  std::vector<cSample> samples;  // in load order; a sample's handle is its position + 1
  cVoiceTable voices;
  Output output = Output::kClosed;
  bool outputPaused = false;
  bool audioSubsystemInited = false;
  cMasterBus bus;
  std::mutex listenerLock;  // guards the listener against the audio thread
  MixListener listener = nullptr;
  void* listenerContext = nullptr;
};
