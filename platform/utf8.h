#pragma once
// The game's wide text (wchar_t strings, one code point each) to and from UTF-8: for SDL,
// the terminal, typed text and the files the game reads.

#include <string>
#include <string_view>

// Each wchar_t is one code point; values that are no Unicode scalar value
// (surrogates, beyond U+10FFFF) become U+FFFD.
std::string WideToUtf8(std::wstring_view text);

// Malformed bytes become U+FFFD rather than being dropped or read past.
std::wstring Utf8ToWide(std::string_view text);
