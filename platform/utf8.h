#pragma once
// Wide text (the game's wchar_t strings) to UTF-8 for SDL and the terminal.

#include <string>
#include <string_view>

// Each wchar_t is one code point; values that are no Unicode scalar value
// (surrogates, beyond U+10FFFF) become U+FFFD.
std::string WideToUtf8(std::wstring_view text);
