#include "audio/mix_levels.h"

namespace {

struct SoundLevel {
  int resourceId;
  float decibels;
};

constexpr SoundLevel kLevels[] = {
    {127, 0.0f},    // menu music: on its own, so at its full level
    {128, -4.0f},   // match music: under the fight
    {129, -7.0f},   // bow shots: up to ten archers at once
    {130, -7.0f},   //
    {131, -12.0f},  // arrow whooshes: one for every arrow in flight
    {132, -12.0f},  //
    {133, -1.0f},   // the dragon's breath, a long roar that must carry over the fight
    {134, -3.0f},   // the dragon's dying bellow
    {135, -3.0f},   // the dragon's opening bellow, over the match music
    {136, -4.0f},   // fireballs
    {137, -4.0f},   //
    {138, -3.0f},   // a hero's taunts (the match music ducks under them)
    {139, -3.0f},   //
    {140, -3.0f},   //
    {141, -5.0f},   // a wizard casting
    {142, -3.0f},   // a spell bursting
    {143, -4.0f},   // a hero's swords
    {144, -3.0f},   // a zeppelin crashing
};

}  // namespace

float MixLevelDb(int resourceId) {
  for (const SoundLevel& level : kLevels) {
    if (level.resourceId == resourceId) return level.decibels;
  }
  return 0.0f;
}
