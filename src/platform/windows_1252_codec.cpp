#include "platform/windows_1252_codec.h"

#include <array>

namespace icotrace {
namespace {

// Bytes 0x80 to 0x9F. The five bytes that 1252 leaves undefined stand for the
// control characters of the same value, as Windows' own table has them.
constexpr std::array<char16_t, 32> kHighControls = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178'};

constexpr char kReplacement = '?';

// The byte for a character, or -1 when the code page has none.
int ByteOf(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) return static_cast<int>(0x80 + i);
  }
  return -1;
}

}  // namespace

AnsiText Windows1252Codec::ToAnsi(std::u16string_view text) const {
  AnsiText result;
  result.bytes.reserve(text.size());
  for (const char16_t c : text) {
    const int byte = ByteOf(c);
    if (byte < 0) result.lossless = false;
    result.bytes.push_back(byte < 0 ? kReplacement : static_cast<char>(byte));
  }
  return result;
}

std::u16string Windows1252Codec::FromAnsi(std::string_view bytes) const {
  std::u16string text(bytes.size(), u'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    text[i] = (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80] : char16_t{byte};
  }
  return text;
}

}  // namespace icotrace
