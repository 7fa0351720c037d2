#include "app/settings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/safe_file.h"

HRESULT cSettings::Load(const char* path) {
  std::FILE* file = std::fopen(path, "r");
  if (file == nullptr) return E_FAIL;

  // Each read goes on where the last stopped: after a damaged line nothing more matches.
  std::fscanf(file, "audio: %d\n", &audio);
  std::fscanf(file, "volume: %f\n", &volume);
  volume = std::isnan(volume) ? 1.0f : std::clamp(volume, 0.0f, 1.0f);
  int readDifficulty = 0;
  std::fscanf(file, "difficulty: %d\n", &readDifficulty);
  difficulty = (readDifficulty < 1 || readDifficulty > 3) ? 1 : readDifficulty;

  std::fclose(file);
  return S_OK;
}

HRESULT cSettings::Save(const char* path) const {
  char text[128];
  const int length = std::snprintf(text, sizeof text, "audio: %d\nvolume: %f\ndifficulty: %d\n",
                                   audio, static_cast<double>(volume), difficulty);
  if (length < 0 || length >= static_cast<int>(sizeof text)) return E_FAIL;
  return ReplaceFileContents(path, std::string_view(text, static_cast<std::size_t>(length)));
}
