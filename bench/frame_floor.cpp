// The floor of a recorded frame: the same pixels for the least work known. Written apart
// from the game's own shortcuts, so that the figure shows whether the game reaches it.

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include "bench/draw_recorder.h"
#include "ui/stretched_copies.h"

namespace {

struct Box {
  double left, top, right, bottom;
};

bool Reaches(const Box& box, int width, int height) {
  return box.right > 0.0 && box.bottom > 0.0 && box.left < width && box.top < height;
}

// The bounds of dest turned `degrees` about its centre.
Box TurnedBounds(const SDL_FRect& dest, double degrees) {
  const double radians = degrees * std::numbers::pi / 180.0;
  const double c = std::fabs(std::cos(radians));
  const double s = std::fabs(std::sin(radians));
  const double halfW = 0.5 * (dest.w * c + dest.h * s);
  const double halfH = 0.5 * (dest.w * s + dest.h * c);
  const double x = dest.x + 0.5 * dest.w;
  const double y = dest.y + 0.5 * dest.h;
  return {x - halfW, y - halfH, x + halfW, y + halfH};
}

bool HasAlpha(SDL_Texture* texture) {
  Uint32 format = 0;
  SDL_QueryTexture(texture, &format, nullptr, nullptr, nullptr);
  return SDL_ISPIXELFORMAT_ALPHA(format);
}

bool WholePixels(float size) { return size >= 1.0f && size == std::floor(size); }

}  // namespace

void cDrawList::BuildFloor(cDrawList& floor, cStretchedCopies& stretcher, int width,
                           int height) const {
  floor.Clear();
  std::map<SDL_Texture*, SDL_Color> colourOf;        // each texture's colour tint as set
  std::map<SDL_Texture*, Uint8> alphaOf;             // ... its alpha tint
  std::map<SDL_Texture*, SDL_BlendMode> blendOf;     // ... and its blend mode
  std::map<SDL_Texture*, SDL_BlendMode> floorBlend;  // the mode the floor has set on it
  const auto setBlend = [&](SDL_Texture* texture, SDL_BlendMode mode) {
    const auto set = floorBlend.find(texture);
    if (set != floorBlend.end() && set->second == mode) return;
    Call call;
    call.kind = Kind::kTextureBlendMode;
    call.texture = texture;
    call.blend = mode;
    floor.calls.push_back(call);
    floorBlend[texture] = mode;
  };

  for (const Call& call : calls) {
    switch (call.kind) {
      case Kind::kTextureColourMod:
        colourOf[call.texture] = call.colour;
        floor.calls.push_back(call);
        break;
      case Kind::kTextureAlphaMod:
        alphaOf[call.texture] = call.colour.a;
        floor.calls.push_back(call);
        break;
      case Kind::kTextureBlendMode:
        blendOf[call.texture] = call.blend;  // the floor sets the mode itself before each copy
        break;
      case Kind::kFillRect: {
        const Box box{call.dest.x, call.dest.y, call.dest.x + call.dest.w,
                      call.dest.y + call.dest.h};
        if (Reaches(box, width, height)) floor.calls.push_back(call);
        break;
      }
      case Kind::kGeometry: {
        Box box{1e30, 1e30, -1e30, -1e30};
        for (int i = 0; i < call.vertexCount; ++i) {
          const SDL_FPoint p = vertices[call.firstVertex + i].position;
          box = {std::min<double>(box.left, p.x), std::min<double>(box.top, p.y),
                 std::max<double>(box.right, p.x), std::max<double>(box.bottom, p.y)};
        }
        if (!Reaches(box, width, height)) break;
        Call kept = call;
        kept.firstVertex = floor.vertices.size();
        floor.vertices.insert(floor.vertices.end(), vertices.begin() + call.firstVertex,
                              vertices.begin() + call.firstVertex + call.vertexCount);
        kept.firstIndex = floor.indices.size();
        floor.indices.insert(floor.indices.end(), indices.begin() + call.firstIndex,
                             indices.begin() + call.firstIndex + call.indexCount);
        floor.calls.push_back(kept);
        break;
      }
      case Kind::kCopy:
      case Kind::kCopyEx: {
        if (!Reaches(TurnedBounds(call.dest, call.angle), width, height)) break;
        Call kept = call;
        const Uint8 alpha = alphaOf.count(call.texture) ? alphaOf[call.texture] : 255;
        const bool plain =
            call.kind == Kind::kCopy || (call.angle == 0.0 && call.flip == SDL_FLIP_NONE);
        const bool scaled =
            call.hasSource && (call.dest.w != call.source.w || call.dest.h != call.source.h);
        if (plain && scaled && stretcher.Worthwhile() && WholePixels(call.dest.w) &&
            WholePixels(call.dest.h)) {
          const int w = static_cast<int>(call.dest.w);
          const int h = static_cast<int>(call.dest.h);
          if (SDL_Texture* stretched = stretcher.Get(call.texture, call.source, w, h)) {
            // The stretched copy carries the tint of the texture it stands for.
            Call tint;
            tint.kind = Kind::kTextureColourMod;
            tint.texture = stretched;
            tint.colour = colourOf.count(call.texture) ? colourOf[call.texture]
                                                       : SDL_Color{255, 255, 255, 255};
            floor.calls.push_back(tint);
            tint.kind = Kind::kTextureAlphaMod;
            tint.colour.a = alpha;
            floor.calls.push_back(tint);
            kept.texture = stretched;
            kept.source = SDL_Rect{0, 0, w, h};
          }
        }
        const SDL_BlendMode asked =
            blendOf.count(call.texture) ? blendOf[call.texture] : SDL_BLENDMODE_BLEND;
        const bool opaque = !HasAlpha(kept.texture) && alpha == 255;
        setBlend(kept.texture, opaque ? SDL_BLENDMODE_NONE : asked);
        floor.calls.push_back(kept);
        break;
      }
      default:
        floor.calls.push_back(call);
        break;
    }
  }
}
