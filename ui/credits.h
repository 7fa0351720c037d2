#pragma once
// The credits: who made the game and what it is built on, one entry every five seconds.

struct cCreditsEntry {
  const wchar_t* heading;  // empty ends the list
  const wchar_t* names;
};

inline constexpr cCreditsEntry kCredits[] = {
    {L"design\nart & programming", L"the Drakmoor team"},
    {L"audio\nlicensed from",
     L"the Drakmoor team: both tunes and every effect,\nsynthesised by our own sound tool\n"
     L"eSpeak NG: the voice of the hero's shouts"},
    {L"special thanks to",
     L"SDL, SDL_image, SDL_ttf and SDL_mixer: Sam Lantinga and the SDL contributors\n"
     L"libvorbis: the Xiph.Org Foundation\n"
     L"librsvg: the GNOME project\n"
     L"Junicode typeface: Peter S. Baker\n"
     L"eSpeak NG: Reece H. Dunn and Jonathan Duddington"},
    {L"", L""},
};

// The author credit line under the main menu.
inline constexpr const wchar_t* kAuthorLine = L"Drakmoor \u00a9 2026 the Drakmoor team";
