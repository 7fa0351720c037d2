#pragma once
// The game's wide text (wchar_t strings, one code point each) to and from UTF-8: for SDL,
// the terminal, typed text and the files the game reads.

#include <cstdarg>
#include <string>
#include <string_view>

// Each wchar_t is one code point; values that are no Unicode scalar value
// (surrogates, beyond U+10FFFF) become U+FFFD.
std::string WideToUtf8(std::wstring_view text);

// Malformed bytes become U+FFFD rather than being dropped or read past.
std::wstring Utf8ToWide(std::string_view text);

// printf-style text built as UTF-8 whatever the C library's locale: the wide format and wide
// "%ls" and "%lc" arguments are encoded here, and narrow "%s" arguments (paths, SDL's texts),
// UTF-8 already, are copied byte for byte. (vswprintf reads narrow arguments in the locale's
// encoding instead, and in the C locale cuts them at the first byte above 127.) Understands %% and
// the conversions d i u o x X e E f F g G a A c s p with flags, width, precision and the length
// modifiers hh h l ll j z t L; the text ends where a "*" width, "%n" or anything else turns up.
std::string FormatUtf8V(const wchar_t* format, std::va_list args);
std::string FormatUtf8(const wchar_t* format, ...);
