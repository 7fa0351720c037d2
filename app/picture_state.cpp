#include "app/picture_state.h"

#include <algorithm>

#include "app/game.h"
#include "platform/dxut.h"
#include "world/creatures/dragon.h"

namespace {

void DescribeMenu(const cGame& game, cStillPicture& picture) {
  picture.screen = game.screen;
  picture.screenTexture = game.screenTexture;
  picture.slideIndex = game.slideIndex;
  picture.gold = game.gold;
  picture.matchTime = game.matchTime;
  switch (game.screen) {
    case kScreenTitle:
      picture.menuSelection = game.menuSelection;
      picture.difficulty = game.settings.difficulty;
      break;
    case kScreenHallOfFame:
      picture.nameEntryActive = game.nameEntryActive;
      std::copy(std::begin(game.nameBuffer), std::end(game.nameBuffer), picture.name.begin());
      picture.pickerLetter = game.PickerLetterShown();
      picture.fading[2] = game.PromptColour();
      break;
    case kScreenCredits:
      picture.creditsLine = game.creditsLine;
      picture.fading[0] = game.CreditsHeadingColour();
      picture.fading[1] = game.CreditsNamesColour();
      break;
    default:
      break;
  }
}

// While a match is paused the world stands still, but the dragon's keys still aim, charge,
// breathe, grab and eat, and the aim mark shows while the aim key is held.
void DescribePausedMatch(const cGame& game, cStillPicture& picture) {
  picture.gold = game.gold;
  picture.matchTime = game.matchTime;
  picture.creatures = game.creatures.size();
  picture.projectiles = game.projectiles.size();
  picture.aimMark = DXUTIsKeyDown(static_cast<std::uint8_t>(VK_SPACE));
  if (const auto* dragon = static_cast<const cDragon*>(game.GetDragon())) {
    picture.dragon = {
        dragon->position.x, dragon->position.y, dragon->frame,  dragon->scale,
        dragon->aim,        dragon->charge,     dragon->health, static_cast<float>(dragon->state)};
  }
}

}  // namespace

std::optional<cStillPicture> DescribePicture(const cGame& game) {
  cStillPicture picture;
  picture.state = game.state;
  if (game.state == kStateScreens) {
    DescribeMenu(game, picture);
  } else if (game.state == kStateMatch && game.paused != 0) {
    DescribePausedMatch(game, picture);
  } else {
    return std::nullopt;
  }
  picture.volumeShown = game.volumeShownFor > 0.0f;
  picture.volume = game.settings.volume;
  picture.muted = game.soundSystem.Muted();
  picture.frameCounter = game.frameCounter.Text();
  return picture;
}
