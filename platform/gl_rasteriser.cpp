#include "platform/gl_rasteriser.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr unsigned kGlRenderer = 0x1F01;  // glGetString's name for GL_RENDERER
constexpr const char* kSoftwareRasterisers[] = {"llvmpipe", "softpipe", "swrast"};

}  // namespace

std::string OpenGlRendererName(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0 || SDL_strncasecmp(info.name, "opengl", 6) != 0) return "";
  // SDL leaves the renderer's context current once the renderer is made.
  using GetString = const unsigned char* (*)(unsigned);
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString != nullptr ? getString(kGlRenderer) : nullptr;
  return name != nullptr ? reinterpret_cast<const char*>(name) : "";
}

bool IsSoftwareRasteriser(const std::string& openGlRendererName) {
  std::string name = openGlRendererName;
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return std::any_of(std::begin(kSoftwareRasterisers), std::end(kSoftwareRasterisers),
                     [&](const char* rasteriser) { return name.find(rasteriser) != std::string::npos; });
}
