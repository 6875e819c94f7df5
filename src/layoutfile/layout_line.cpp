#include "layoutfile/layout_line.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>

#include "core/command_error.h"
#include "layoutfile/layout_file_errors.h"

namespace icotrace {
namespace {

constexpr int kNumberFields = 4;

constexpr std::u16string_view kBlanks = u" \t";

std::u16string_view WithoutBlanksAround(std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::u16string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Decimal as a person editing the file may type it: blanks around, a sign
// ("+" too), leading zeros. Nothing else, so that a typing slip is caught.
LineFault::Kind ParseNumber(std::u16string_view field, std::int32_t& value) {
  const std::u16string_view text = WithoutBlanksAround(field);
  if (text.empty()) return LineFault::Kind::EmptyNumber;
  const bool negative = text.front() == u'-';
  const bool hasSign = negative || text.front() == u'+';
  const std::u16string_view digits = hasSign ? text.substr(1) : text;
  if (digits.empty()) return LineFault::Kind::NotDecimal;
  for (const char16_t c : digits) {
    if (c < u'0' || c > u'9') return LineFault::Kind::NotDecimal;
  }
  const std::int64_t limit = negative ? -std::int64_t{std::numeric_limits<std::int32_t>::min()}
                                      : std::int64_t{std::numeric_limits<std::int32_t>::max()};
  std::int64_t magnitude = 0;
  for (const char16_t c : digits) {
    magnitude = magnitude * 10 + (c - u'0');
    if (magnitude > limit) return LineFault::Kind::OutOfRange;
  }
  value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  return LineFault::Kind::None;
}

void AppendNumber(std::int32_t value, std::string& bytes) {
  std::array<char, 16> buffer{};
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
  bytes.append(buffer.data(), end);
}

// A character that would break the line apart or cut it short on reading.
bool BreaksLine(char16_t c) {
  return c == u'\r' || c == u'\n' || c == u'\0';
}

}  // namespace

bool IsBlankLine(std::u16string_view line) {
  return line.find_first_not_of(kBlanks) == std::u16string_view::npos;
}

LineFault TryParseLayoutLine(std::u16string_view line, DesktopIcon& icon) {
  if (line.find(u'\0') != std::u16string_view::npos) return {LineFault::Kind::NulCharacter, 0};
  // The separators before X, Y, Image and lParam, found from the right.
  std::array<std::size_t, kNumberFields + 1> starts{};
  std::size_t end = line.size();
  for (int field = kNumberFields - 1; field >= 0; --field) {
    const std::size_t separator = end == 0 ? std::u16string_view::npos : line.rfind(u';', end - 1);
    if (separator == std::u16string_view::npos) return {LineFault::Kind::TooFewFields, 0};
    starts[field] = separator + 1;
    end = separator;
  }
  starts[kNumberFields] = line.size() + 1;
  std::array<std::int32_t, kNumberFields> numbers{};
  for (int field = 0; field < kNumberFields; ++field) {
    const std::size_t length = starts[field + 1] - 1 - starts[field];
    const LineFault::Kind kind = ParseNumber(line.substr(starts[field], length), numbers[field]);
    if (kind != LineFault::Kind::None) return {kind, field};
  }
  icon.Name.assign(line.substr(0, end));
  icon.X = numbers[0];
  icon.Y = numbers[1];
  icon.Image = numbers[2];  // written fourth
  icon.lParam = numbers[3];
  return {};
}

DesktopIcon ParseLayoutLine(std::u16string_view line) {
  DesktopIcon icon;
  const LineFault fault = TryParseLayoutLine(line, icon);
  if (!fault.Ok()) throw CommandError(LineFaultText(fault));
  return icon;
}

CaptionLoss AppendLayoutLine(const AnsiCodec& codec, const DesktopIcon& icon, std::string& bytes) {
  CaptionLoss loss;
  std::u16string_view name = icon.Name;
  std::u16string cleaned;
  if (name.find_first_of(std::u16string_view(u"\r\n\0", 3)) != std::u16string_view::npos) {
    // Written as blanks: the file must stay one line per icon.
    cleaned.assign(name);
    for (char16_t& c : cleaned) {
      if (BreaksLine(c)) c = u' ';
    }
    name = cleaned;
    loss.lineBreaks = true;
  }
  const AnsiText caption = codec.ToAnsi(name);
  bytes += caption.bytes;
  for (const std::int32_t number : {icon.X, icon.Y, icon.Image, icon.lParam}) {
    bytes += ';';
    AppendNumber(number, bytes);
  }
  bytes += "\r\n";
  loss.encoding = !caption.lossless;
  return loss;
}

}  // namespace icotrace
