#pragma once

#include "synth/effects/effects.h"

// One function per kind of sound; variants differ in pitch, timing, seed
// and direction so that repeats do not sound identical. Each returns an
// unnormalised sound in the format given.

cSound BowShot(const EffectFormat& format, int variant);
cSound ArrowWhoosh(const EffectFormat& format, int variant);
cSound BreathRoar(const EffectFormat& format);
cSound DragonDeathBellow(const EffectFormat& format);
cSound DragonStartBellow(const EffectFormat& format);
cSound FireballLaunch(const EffectFormat& format, int variant);
cSound WizardCast(const EffectFormat& format);
cSound SpellBurst(const EffectFormat& format);
cSound SwordSlash(const EffectFormat& format);
cSound ZeppelinCrash(const EffectFormat& format);
cSound ShoutedTaunt(const EffectFormat& format, const cSound& speech, int variant);

// A silent sound of the given format and length.
cSound Blank(const EffectFormat& format, float seconds);
