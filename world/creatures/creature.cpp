#include "world/creatures/creature.h"

#include <algorithm>

#include "app/game.h"

cCreature::cCreature() {
  yell.SetGame(&g_game);
  yell.SetActive(0);
}

void cCreature::Update(float dt) {
  cSprite::Update(dt);
  yell.Tick(dt);
  yell.position = position;
}

void cCreature::Render(cGUI* gui, float camX, float camY) {
  cSprite::Render(gui, camX, camY);
  yell.Render(gui, camX, camY);
}

int cCreature::GetType() const { return kTypePlain; }

Vec2 cCreature::GetMouthOffset() const { return {}; }

void cCreature::Knock(Vec2 v) {
  target = v;
  state = kCreatureKnocked;
}

void cCreature::Throw(Vec2 v) {
  target = v;
  state = kCreatureThrown;
}

void cCreature::Burn() { state = kCreatureBurning; }

void cCreature::Grab() { state = kCreatureHeld; }

void cCreature::StandOnGround() { position.y = g_game.GroundHeightAt(position.x); }

void cCreature::FadeTint(float dt) {
  const float k = std::min(4.0f * dt, 1.0f);
  colour.r += (1.0f - colour.r) * k;
  colour.g += (1.0f - colour.g) * k;
  colour.b += (1.0f - colour.b) * k;
  colour.a += (1.0f - colour.a) * k;
}
