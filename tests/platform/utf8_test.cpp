// Text between files and the screen: names read from the hall of fame and debug lines written
// out keep every character, damaged bytes never cost more than the characters they held, and
// messages show the paths and names they carry whole.

#include <gtest/gtest.h>

#include "platform/utf8.h"

namespace {

TEST(Utf8, TextOfEveryLengthOfCharacterRoundTrips) {
  const struct {
    const char* utf8;
    const wchar_t* wide;
  } cases[] = {{"Drachenh\xc3\xb6hle", L"Drachenh\u00f6hle"},
               {"\xe2\x9a\x94 sword", L"\u2694 sword"},
               {"\xf0\x90\x80\x80", L"\U00010000"},  // the first that takes four bytes
               {"\xf3\xa0\x81\x81", L"\U000E0041"}};
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToWide(c.utf8), c.wide) << c.utf8;
    EXPECT_EQ(WideToUtf8(c.wide), c.utf8) << c.utf8;
  }
}

TEST(Utf8, DamagedBytesBecomeReplacementCharactersAndTheRestIsKept) {
  const std::wstring bad(1, L'\uFFFD');
  const struct {
    std::string utf8;
    std::wstring wide;
  } cases[] = {
      {"a\377b", L"a" + bad + L"b"},                // no lead byte
      {"a\342\202", L"a" + bad + bad},              // cut short at the end
      {"\303b", bad + L"b"},                        // a lead without its continuation
      {"\300\257", bad + bad},                      // an overlong '/'
      {"\355\240\200", bad + bad + bad},            // a surrogate
      {"\364\220\200\200", bad + bad + bad + bad},  // beyond U+10FFFF
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToWide(c.utf8), c.wide);
  EXPECT_EQ(WideToUtf8(std::wstring(1, wchar_t(0xD800)) + L"x"), "\xef\xbf\xbdx");
  EXPECT_EQ(WideToUtf8(std::wstring(1, wchar_t(0x110000))), "\xef\xbf\xbd");
}

// Whatever the C library's locale: the narrow paths and SDL texts a message carries are UTF-8
// and pass byte for byte, damaged or not; wide text is encoded; numbers keep their forms.
TEST(Utf8, MessagesCarryNonAsciiPathsAndNamesWhole) {
  EXPECT_EQ(
      FormatUtf8(L"%s: %ls (%lc) %02d%% %08X %.1f %-4u| %5s %s", "/home/j\xc3\xbcrgen/map.hm",
                 L"Drachenh\u00f6hle", wint_t{L'\u2694'}, 7, 0xBEEFu, 2.5, 3u, "ab",
                 static_cast<const char*>(nullptr)),
      "/home/j\xc3\xbcrgen/map.hm: Drachenh\xc3\xb6hle (\xe2\x9a\x94) 07% 0000BEEF 2.5 3   |    ab "
      "(null)");
  EXPECT_EQ(FormatUtf8(L"caf\u00e9 %s|%*d", "\xff\xfe", 3, 4), "caf\xc3\xa9 \xff\xfe|")
      << "a width taken from the arguments ends the text";
}

}  // namespace
