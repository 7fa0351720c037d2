// Text between files and the screen: names read from the hall of fame and debug lines written
// out keep every character, damaged bytes never cost more than the characters they held, and
// messages show the paths and names they carry whole.

#include <SDL.h>

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/utf8.h"

namespace {

std::wstring Bad(std::size_t count) { return std::wstring(count, L'\uFFFD'); }

// Every Unicode scalar value is written as the system's own converter writes it and read back.
TEST(Utf8, EveryCharacterIsWrittenAsIconvWritesItAndEachDamagedByteBecomesOneReplacement) {
  std::wstring every;
  for (char32_t c = 1; c <= 0x10FFFF; ++c) {
    if (c < 0xD800 || c > 0xDFFF) every += static_cast<wchar_t>(c);
  }
  char* expected =
      SDL_iconv_string("UTF-8", "UTF-32LE", reinterpret_cast<const char*>(every.data()),
                       every.size() * sizeof(wchar_t));
  ASSERT_NE(expected, nullptr);
  const std::string utf8 = WideToUtf8(every);
  EXPECT_TRUE(std::string_view(expected, utf8.size()) == utf8);  // SDL may not end it with a 0
  SDL_free(expected);
  EXPECT_TRUE(Utf8ToWide(utf8) == every);
  for (char32_t notScalar : {0xD800u, 0xDFFFu, 0x110000u, 0xFFFFFFFFu})
    EXPECT_EQ(WideToUtf8(std::wstring(1, static_cast<wchar_t>(notScalar)) + L"x"), "\xef\xbf\xbdx");
  // Each byte of a damaged character (cut short, a byte knocked out, stray, overlong, a surrogate,
  // beyond U+10FFFF) becomes one replacement character, and the text around it is kept.
  for (char32_t c : {0x80u, 0x7FFu, 0x800u, 0xFFFFu, 0x10000u, 0x10FFFFu}) {
    const std::string whole = WideToUtf8(std::wstring(1, static_cast<wchar_t>(c)));
    SCOPED_TRACE(testing::Message() << std::hex << unsigned(c));
    for (std::size_t cut = 1; cut < whole.size(); ++cut) {
      EXPECT_EQ(Utf8ToWide("a" + whole.substr(0, cut) + "b"), L"a" + Bad(cut) + L"b");
      EXPECT_EQ(Utf8ToWide("a" + whole.substr(0, cut)), L"a" + Bad(cut));
      std::string knocked = whole;
      knocked[cut] = 'x';
      EXPECT_EQ(Utf8ToWide(knocked), Bad(cut) + L"x" + Bad(whole.size() - cut - 1));
    }
  }
  for (int byte = 0x80; byte <= 0xFF; ++byte)
    EXPECT_EQ(Utf8ToWide(std::string{'a', char(byte), 'b'}), L"a" + Bad(1) + L"b") << byte;
  for (const std::string damaged :
       {"\xc0\xaf", "\xc1\xbf", "\xe0\x9f\xbf", "\xf0\x8f\xbf\xbf", "\xed\xa0\x80", "\xed\xbf\xbf",
        "\xf4\x90\x80\x80", "\xf8\x88\x80\x80\x80", "\xff\x80\x80\x80"})
    EXPECT_EQ(Utf8ToWide(damaged), Bad(damaged.size())) << damaged.size();
}

std::string Printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  char text[512];
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

#define EXPECT_AS_PRINTF(format, ...) \
  EXPECT_EQ(FormatUtf8(L"" format, __VA_ARGS__), Printf(format, __VA_ARGS__))

// Whatever the C library's locale: numbers come out as printf writes them, with every length
// of argument; the narrow paths and SDL texts a message carries are UTF-8 and pass byte for
// byte, damaged or not; wide text is encoded; an unknown directive ends the text.
TEST(Utf8, MessagesWriteNumbersAsPrintfAndCarryNonAsciiPathsAndNamesWhole) {
  const signed char tiny = -5;
  const short small = -300;
  EXPECT_AS_PRINTF("%hhd %hd %+d %ld %lld %jd %zd %td %i|", tiny, small, 7, -1L << 40, -1LL << 50,
                   std::intmax_t{-9}, std::size_t{11}, std::ptrdiff_t{-12}, 13);
  EXPECT_AS_PRINTF("%hhu %hu %u %lu %llu %ju %zu %#o %x %08X|", 250, 65000, 3000000000u, 1UL << 40,
                   1ULL << 63, std::uintmax_t{9}, std::size_t{1} << 33, 8u, 0xabcu, 0xBEEFu);
  EXPECT_AS_PRINTF("%e %E %.2f %F %g %G %a %A %Lf %5.1Lf|", 1e-7, 2e9, 3.14159, 1.5, 1e20, 1e-20,
                   0.5, 2.0, 1.25L, 9.75L);
  EXPECT_AS_PRINTF("%c%-3c|%p %p %% %-8s|%.3s", 'x', 'y', static_cast<const void*>(&tiny), nullptr,
                   "ab", "abcdef");
  EXPECT_EQ(
      FormatUtf8(L"%s: %ls (%lc) %5ls|%-3lc| %s %ls", "/home/j\xc3\xbcrgen/\xff.hm",
                 L"Drachenh\u00f6hle", wint_t{L'\u2694'}, L"ab", wint_t{L'z'},
                 static_cast<const char*>(nullptr), static_cast<const wchar_t*>(nullptr)),
      "/home/j\xc3\xbcrgen/\xff.hm: Drachenh\xc3\xb6hle (\xe2\x9a\x94)    ab|z  | (null) (null)");
  for (const wchar_t* ending : {L"%*d", L"%n", L"%lhd", L"%q", L"%", L"%-5"})
    EXPECT_EQ(FormatUtf8((std::wstring(L"caf\u00e9|") + ending + L"|").c_str(), 3, 4),
              "caf\xc3\xa9|");
  EXPECT_EQ(FormatUtf8(nullptr), "");
}

}  // namespace
