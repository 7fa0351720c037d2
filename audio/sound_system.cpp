#include "audio/sound_system.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <new>
#include <span>

#include "audio/mix_levels.h"
#include "platform/dxut.h"
#include "platform/quiet_stderr.h"
#include "platform/resources.h"

namespace {

// 44100 Hz stereo, so that the music is not resampled at its loop point.
constexpr int kMixFrequency = 44100;
constexpr int kMixSpeakers = 2;
constexpr int kMixBufferFrames = 1024;
constexpr int kFullVolume = 100;

// The game speaks of volumes 0..100; the mixer of 0..MIX_MAX_VOLUME (128).
int ToMixerVolume(int volume) { return (volume * MIX_MAX_VOLUME + kFullVolume / 2) / kFullVolume; }
int FromMixerVolume(int mixerVolume) {
  return (mixerVolume * kFullVolume + MIX_MAX_VOLUME / 2) / MIX_MAX_VOLUME;
}

// Scales a decoded sound (16-bit samples, the mixer's format) by `gain`.
void ScaleSamples(Mix_Chunk& chunk, float gain) {
  auto* samples = reinterpret_cast<Sint16*>(chunk.abuf);
  const std::size_t count = chunk.alen / sizeof(Sint16);
  for (std::size_t i = 0; i < count; ++i) {
    const long scaled = std::lround(static_cast<float>(samples[i]) * gain);
    samples[i] = static_cast<Sint16>(std::clamp<long>(scaled, SHRT_MIN, SHRT_MAX));
  }
}

// The error code for a decode that SDL_mixer refused.
int DecodeErrorCode() {
  return std::strstr(SDL_GetError(), "Out of memory") != nullptr ? cSoundSystem::kErrorMemory
                                                                 : cSoundSystem::kErrorFileFormat;
}

const wchar_t* ErrorMeaning(int code) {
  switch (code) {
    case cSoundSystem::kErrorMemory:
      return L"Out of memory!";
    case cSoundSystem::kErrorFileOpen:
      return L"Could not open file!";
    case cSoundSystem::kErrorFormat:
    case cSoundSystem::kErrorFileFormat:
      return L"Unknown format!";
    case cSoundSystem::kErrorNotInitialized:
      return L"SoundSystem not initialized!";
    case cSoundSystem::kErrorIllegalParameter:
      return L"Illegal function parameters!";
    case cSoundSystem::kError3D:
      return L"Could init sample for 3D!";
    case cSoundSystem::kErrorNoSound:
      return L">No Sound< - Device selected!";
    default:
      return L"Unknown Error!";
  }
}

}  // namespace

cSoundSystem::~cSoundSystem() {
  // The game object is static and may die after SDL has been shut down; then the device and
  // the mixer are gone with it and nothing of theirs may be touched any more.
  if (SDL_WasInit(SDL_INIT_AUDIO) != 0) Shutdown();
}

HRESULT cSoundSystem::Init(void* /*window*/, int device) {
  Shutdown();
  if (device != 0 && SUCCEEDED(OpenDevice(device))) {
    output = Output::kOpen;
    return S_OK;
  }
  output = Output::kSilent;
  return device == 0 ? S_OK : E_FAIL;
}

HRESULT cSoundSystem::OpenDevice(int device) {
  // SDL_mixer keeps one mixer per process; it belongs to the system that opened it first.
  if (device < 0 || Mix_QuerySpec(nullptr, nullptr, nullptr) != 0) return E_FAIL;
  // Without a sound card the back-ends SDL tries write lines of their own; the game says it
  // once, in its own words.
  const cQuietStderr quiet;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return E_FAIL;
  audioSubsystemInited = true;
  // Device 1 is SDL's default output (no name); n >= 2 the (n-1)th device SDL lists.
  const char* deviceName = device >= 2 ? SDL_GetAudioDeviceName(device - 2, 0) : nullptr;
  const bool deviceExists = device == 1 || deviceName != nullptr;
  if (!deviceExists || Mix_OpenAudioDevice(kMixFrequency, AUDIO_S16SYS, kMixSpeakers,
                                           kMixBufferFrames, deviceName, 0) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioSubsystemInited = false;
    return E_FAIL;
  }
  Mix_AllocateChannels(0);  // channels come with the samples that need them
  bus.Reset();
  Mix_SetPostMix(&cSoundSystem::FinishMix, this);
  // SDL_mixer marks a paused channel with the tick count of the pause, so a pause within the
  // first millisecond of SDL's clock would not hold. Only a test opens audio that early.
  while (SDL_GetTicks() == 0) SDL_Delay(1);
  return S_OK;
}

void cSoundSystem::Shutdown() {
  if (output == Output::kOpen) {
    Mix_SetPostMix(nullptr, nullptr);
    Mix_HaltChannel(-1);
    for (cSample& sample : samples) Mix_FreeChunk(sample.chunk);
    Mix_CloseAudio();
  }
  if (audioSubsystemInited) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  samples.clear();
  voices = cVoiceTable{};
  output = Output::kClosed;
  outputPaused = false;
  audioSubsystemInited = false;
}

HRESULT cSoundSystem::AddSampleFromResource(int id, int loop, int is3D) {
  std::wstring name = std::to_wstring(id);
  if (cSample* loaded = FindByName(name)) {
    loaded->loop = loop != 0;
    return S_OK;
  }
  const std::span<const unsigned char> bytes = FindResourceData(id);
  if (bytes.empty()) {
    DXUTOutputDebugString(L"Could not find resource %ls!\n", name.c_str());
    return E_FAIL;
  }
  if (output == Output::kClosed) return Fail(kErrorNotInitialized);
  if (output == Output::kSilent) return Fail(kErrorNoSound);
  if (is3D != 0) return Fail(kError3D);
  if (bytes.size() > static_cast<std::size_t>(INT_MAX)) return Fail(kErrorIllegalParameter);

  SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (source == nullptr) return Fail(kErrorMemory);
  Mix_Chunk* chunk = Mix_LoadWAV_RW(source, 1);
  if (chunk == nullptr) return Fail(DecodeErrorCode());
  ScaleSamples(*chunk, cMasterBus::DecibelGain(MixLevelDb(id) - cMasterBus::kHeadroomDb));
  try {
    samples.push_back(
        {static_cast<std::uint32_t>(samples.size() + 1), std::move(name), chunk, loop != 0});
  } catch (const std::bad_alloc&) {
    Mix_FreeChunk(chunk);
    return E_OUTOFMEMORY;
  }
  // Enough channels for every sample to sound its ten plays at once.
  voices.Resize(static_cast<int>(
      std::min<std::size_t>(samples.size() * kMaxPlaysPerSample, cVoiceTable::kMaxChannels)));
  Mix_AllocateChannels(voices.Count());
  return S_OK;
}

std::uint32_t cSoundSystem::FindSample(std::wstring_view name) const {
  const auto found = std::find_if(samples.begin(), samples.end(),
                                  [name](const cSample& sample) { return sample.name == name; });
  return found == samples.end() ? 0 : found->handle;
}

cSample* cSoundSystem::FindByName(std::wstring_view name) {
  const std::uint32_t handle = FindSample(name);
  return handle == 0 ? nullptr : &samples[handle - 1];
}

std::uint32_t cSoundSystem::Play(std::wstring_view name) {
  const std::uint32_t sampleHandle = FindSample(name);
  if (sampleHandle == 0) return 0;
  const cSample& sample = samples[sampleHandle - 1];
  const int channel = voices.PickChannel(sampleHandle, kMaxPlaysPerSample,
                                         [](int candidate) { return Mix_Playing(candidate) != 0; });
  if (channel < 0) return 0;
  // The channel still has the volume of its previous sound. While the output is paused the
  // sound starts silent and is paused at once, so nothing of it is heard before Start.
  Mix_Volume(channel, outputPaused ? 0 : MIX_MAX_VOLUME);
  if (Mix_PlayChannel(channel, sample.chunk, sample.loop ? -1 : 0) < 0) return 0;
  if (outputPaused) {
    Mix_Pause(channel);
    Mix_Volume(channel, MIX_MAX_VOLUME);
  }
  return voices.Start(channel, sampleHandle, kFullVolume);
}

int cSoundSystem::SoundingChannel(std::uint32_t channel) const {
  if (output != Output::kOpen) return -1;
  const int mixerChannel = voices.ChannelOf(channel);
  return mixerChannel >= 0 && Mix_Playing(mixerChannel) != 0 ? mixerChannel : -1;
}

HRESULT cSoundSystem::SetChannelVolume(std::uint32_t channel, int volume) {
  if (volume < 0 || volume > kFullVolume) return E_FAIL;
  const int mixerChannel = SoundingChannel(channel);
  if (mixerChannel < 0) return E_FAIL;
  Mix_Volume(mixerChannel, ToMixerVolume(volume));
  voices.SetVolume(mixerChannel, volume);
  return S_OK;
}

int cSoundSystem::GetChannelVolume(std::uint32_t channel) const {
  const int mixerChannel = SoundingChannel(channel);
  return mixerChannel < 0 ? -1 : FromMixerVolume(Mix_Volume(mixerChannel, -1));
}

HRESULT cSoundSystem::StopAll() {
  if (output == Output::kClosed) return E_FAIL;
  if (output == Output::kOpen) Mix_HaltChannel(-1);
  outputPaused = true;
  return S_OK;
}

HRESULT cSoundSystem::Start() {
  if (output == Output::kClosed) return E_FAIL;
  if (output == Output::kOpen) Mix_Resume(-1);
  outputPaused = false;
  return S_OK;
}

HRESULT cSoundSystem::Pause() {
  if (output == Output::kClosed) return E_FAIL;
  if (output == Output::kOpen) Mix_Pause(-1);
  outputPaused = true;
  return S_OK;
}

void cSoundSystem::SetMixListener(MixListener newListener, void* context) {
  const std::lock_guard<std::mutex> hold(listenerLock);
  listener = newListener;
  listenerContext = context;
}

void cSoundSystem::FinishMix(void* system, unsigned char* stream, int length) {
  auto& self = *static_cast<cSoundSystem*>(system);
  auto* samples = reinterpret_cast<std::int16_t*>(stream);
  const std::size_t count = static_cast<std::size_t>(length) / sizeof(std::int16_t);
  self.bus.Process(samples, count);
  const std::lock_guard<std::mutex> hold(self.listenerLock);
  if (self.listener != nullptr) self.listener(samples, count, self.listenerContext);
}

HRESULT cSoundSystem::Fail(int code) {
  DXUTOutputDebugString(L"%ls", ErrorText(code).c_str());
  return E_FAIL;
}

std::wstring cSoundSystem::ErrorText(int code) {
  return std::wstring(L"## SoundSystem: ") + ErrorMeaning(code) + L"\n";
}
