#include "platform/utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cwchar>

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

bool IsScalarValue(char32_t c) { return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF); }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Appends `value` written by one narrow conversion directive `directive` ("%-8.3ld").
template <typename T>
void AppendConversion(std::string& out, const std::string& directive, T value) {
  const int length = std::snprintf(nullptr, 0, directive.c_str(), value);
  if (length <= 0) return;
  const std::size_t start = out.size();
  out.resize(start + static_cast<std::size_t>(length) + 1);
  std::snprintf(out.data() + start, static_cast<std::size_t>(length) + 1, directive.c_str(), value);
  out.resize(start + static_cast<std::size_t>(length));
}

// Appends the next argument, an integer of the type `length` names for the conversion
// (`Plain` without a length modifier, which also stands for "hh" and "h").
template <typename Plain, typename Long, typename LongLong, typename Max, typename Size>
void AppendInteger(std::string& out, const std::string& directive, std::string_view length,
                   std::va_list* args) {
  if (length == "l") {
    AppendConversion(out, directive, va_arg(*args, Long));
  } else if (length == "ll") {
    AppendConversion(out, directive, va_arg(*args, LongLong));
  } else if (length == "j") {
    AppendConversion(out, directive, va_arg(*args, Max));
  } else if (length == "z" || length == "t") {
    AppendConversion(out, directive, va_arg(*args, Size));
  } else {
    AppendConversion(out, directive, va_arg(*args, Plain));
  }
}

bool IsLengthModifier(std::string_view length) {
  for (std::string_view known : {"", "hh", "h", "l", "ll", "j", "z", "t", "L"}) {
    if (length == known) return true;
  }
  return false;
}

// FormatUtf8V, taking the arguments through a pointer so that helpers can take them in turn.
std::string FormatArguments(const wchar_t* format, std::va_list* args) {
  const std::string text = WideToUtf8(format != nullptr ? format : L"");
  std::string out;
  std::size_t next = 0;
  for (;;) {
    const std::size_t percent = text.find('%', next);
    out.append(text, next, percent == std::string::npos ? std::string::npos : percent - next);
    if (percent == std::string::npos) return out;
    const std::size_t lengthAt = text.find_first_not_of("-+ #0123456789.", percent + 1);
    const std::size_t conversionAt = text.find_first_not_of("hljztL", lengthAt);
    if (conversionAt == std::string::npos) return out;
    const std::string_view length(text.data() + lengthAt, conversionAt - lengthAt);
    if (!IsLengthModifier(length)) return out;
    const char conversion = text[conversionAt];
    const std::string directive = text.substr(percent, conversionAt + 1 - percent);
    // Wide text goes in as UTF-8 through the narrow "%s" with the same flags and width.
    const std::string textSpec = text.substr(percent, lengthAt - percent) + "s";
    next = conversionAt + 1;
    switch (conversion) {
      case '%':
        out += '%';
        break;
      case 'd':
      case 'i':
        AppendInteger<int, long, long long, std::intmax_t, std::ptrdiff_t>(out, directive, length, args);
        break;
      case 'u':
      case 'o':
      case 'x':
      case 'X':
        AppendInteger<unsigned, unsigned long, unsigned long long, std::uintmax_t, std::size_t>(
            out, directive, length, args);
        break;
      case 'e':
      case 'E':
      case 'f':
      case 'F':
      case 'g':
      case 'G':
      case 'a':
      case 'A':
        if (length == "L") {
          AppendConversion(out, directive, va_arg(*args, long double));
        } else {
          AppendConversion(out, directive, va_arg(*args, double));
        }
        break;
      case 'c':
        if (length == "l") {
          const auto character = static_cast<wchar_t>(va_arg(*args, std::wint_t));
          AppendConversion(out, textSpec, WideToUtf8(std::wstring_view(&character, 1)).c_str());
        } else {
          AppendConversion(out, directive, va_arg(*args, int));
        }
        break;
      case 's':
        if (length == "l") {
          const wchar_t* wide = va_arg(*args, const wchar_t*);
          AppendConversion(out, textSpec, wide ? WideToUtf8(wide).c_str() : "(null)");
        } else {
          const char* narrow = va_arg(*args, const char*);
          AppendConversion(out, directive, narrow ? narrow : "(null)");
        }
        break;
      case 'p':
        AppendConversion(out, directive, va_arg(*args, void*));
        break;
      default:
        return out;
    }
  }
}

}  // namespace

std::string WideToUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t unit : text) {
    const auto c = static_cast<char32_t>(unit);
    AppendUtf8(out, IsScalarValue(c) ? c : kReplacementCharacter);
  }
  return out;
}

std::wstring Utf8ToWide(std::string_view text) {
  std::wstring result;
  result.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
      code = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1, code = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, code = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, code = lead & 0x07, minimum = 0x10000;
    } else {
      result.push_back(static_cast<wchar_t>(kReplacementCharacter));
      ++i;
      continue;
    }
    bool valid = i + static_cast<std::size_t>(extra) < text.size();
    for (int k = 1; valid && k <= extra; ++k) {
      const auto byte = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      valid = IsContinuation(byte);
      code = (code << 6) | (byte & 0x3F);
    }
    if (!valid || code < minimum || !IsScalarValue(code)) {
      result.push_back(static_cast<wchar_t>(kReplacementCharacter));
      ++i;
      continue;
    }
    result.push_back(static_cast<wchar_t>(code));
    i += static_cast<std::size_t>(extra) + 1;
  }
  return result;
}

std::string FormatUtf8V(const wchar_t* format, std::va_list args) {
  std::va_list own;
  va_copy(own, args);
  std::string text = FormatArguments(format, &own);
  va_end(own);
  return text;
}

std::string FormatUtf8(const wchar_t* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::string text = FormatUtf8V(format, args);
  va_end(args);
  return text;
}
