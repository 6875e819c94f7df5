#include "layoutfile/utf8_codec.h"

namespace icotrace {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendUtf8(char32_t c, std::string& bytes) {
  if (c < 0x80) {
    bytes += static_cast<char>(c);
    return;
  }
  const int trail = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
  constexpr unsigned char kLeads[] = {0, 0xC0, 0xE0, 0xF0};
  bytes += static_cast<char>(kLeads[trail] | (c >> (6 * trail)));
  for (int shift = 6 * (trail - 1); shift >= 0; shift -= 6) {
    bytes += static_cast<char>(0x80 | ((c >> shift) & 0x3F));
  }
}

void AppendUtf16(char32_t c, std::u16string& text) {
  if (c < 0x10000) {
    text += static_cast<char16_t>(c);
    return;
  }
  c -= 0x10000;
  text += static_cast<char16_t>(0xD800 + (c >> 10));
  text += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
}

// How many bytes the sequence of this lead byte has, and which values its
// second byte may take (the rest take 80-BF); 0 for a byte that starts none.
struct Lead {
  int length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
};

Lead LeadOf(unsigned char b) {
  if (b >= 0xC2 && b <= 0xDF) return {2};
  if (b == 0xE0) return {3, 0xA0};        // below: overlong
  if (b == 0xED) return {3, 0x80, 0x9F};  // above: surrogates
  if (b >= 0xE1 && b <= 0xEF) return {3};
  if (b == 0xF0) return {4, 0x90};  // below: overlong
  if (b >= 0xF1 && b <= 0xF3) return {4};
  if (b == 0xF4) return {4, 0x80, 0x8F};  // above: beyond U+10FFFF
  return {};
}

}  // namespace

Utf8Decoded DecodeUtf8(std::string_view bytes) {
  Utf8Decoded decoded;
  decoded.text.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    if (first < 0x80) {
      decoded.text += static_cast<char16_t>(first);
      ++i;
      continue;
    }
    const Lead lead = LeadOf(first);
    char32_t c = first & (0x7F >> lead.length);
    int taken = 1;
    for (; taken < lead.length && i + taken < bytes.size(); ++taken) {
      const auto next = static_cast<unsigned char>(bytes[i + taken]);
      if (next < (taken == 1 ? lead.low : 0x80) || next > (taken == 1 ? lead.high : 0xBF)) break;
      c = (c << 6) | (next & 0x3F);
    }
    if (lead.length == 0 || taken < lead.length) {
      // The valid start of a sequence counts as one fault, as decoders do.
      if (decoded.firstInvalid == std::string_view::npos) decoded.firstInvalid = i;
      c = kReplacement;
    }
    AppendUtf16(c, decoded.text);
    i += static_cast<std::size_t>(taken);
  }
  return decoded;
}

AnsiText Utf8Codec::ToAnsi(std::u16string_view text) const {
  AnsiText result;
  result.bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      c = kReplacement;
      result.lossless = false;
    }
    AppendUtf8(c, result.bytes);
  }
  return result;
}

std::u16string Utf8Codec::FromAnsi(std::string_view bytes) const {
  return DecodeUtf8(bytes).text;
}

}  // namespace icotrace
