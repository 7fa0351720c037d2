#include "world/creatures/screen_element.h"

#include "ui/gui.h"

namespace {

std::uint32_t ChannelByte(float c) {
  if (c >= 1.0f) return 255;
  if (c <= 0.0f) return 0;
  return static_cast<std::uint32_t>(c * 255.0f + 0.5f);
}

}  // namespace

std::uint32_t ToArgb(const Colour& colour) {
  return ChannelByte(colour.a) << 24 | ChannelByte(colour.r) << 16 |
         ChannelByte(colour.g) << 8 | ChannelByte(colour.b);
}

void cScreenElement::SetTexture(int index, cGUI* gui) {
  if (gui == nullptr) return;
  const DXUTTextureNode* node = gui->GetResourceManager()->GetTextureNode(index);
  if (node == nullptr) return;
  texture = index;
  sourceRect = Rect{0, 0, node->width, node->height};
}

void cScreenElement::Update(float) {}

void cScreenElement::Render(cGUI* gui, float camX, float camY) {
  DrawAt(gui, position.x - camX, position.y - camY);
}

void cScreenElement::DrawAt(cGUI* gui, float x, float y) const {
  if (gui == nullptr || texture < 0) return;
  const DXUTTextureNode* node = gui->GetResourceManager()->GetTextureNode(texture);
  if (node == nullptr) return;
  gui->DrawSprite(node->texture, &sourceRect, x, y, rotation, scale, ToArgb(colour), flipX != 0,
                  flipY != 0);
}
