#pragma once
// UTF-8 from files to the game's wide text (the way back is in platform/utf8.h).

#include <string>
#include <string_view>

#include "platform/utf8.h"

// Malformed bytes become U+FFFD rather than being dropped or read past.
std::wstring Utf8ToWide(std::string_view text);
