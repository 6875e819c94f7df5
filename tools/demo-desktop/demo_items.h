// The items a demo desktop shows: the default French set, a generated set of
// any size, and the text form shared by item files and dumps.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace icotrace::demo {

struct DemoItem {
  std::wstring Caption;
  std::int32_t X = 0;  // list view client coordinates, pixels
  std::int32_t Y = 0;
  std::int32_t Image = 0;   // index in both image lists
  std::int64_t LParam = 0;  // as stored; a 32-bit desktop keeps its low 32 bits

  friend bool operator==(const DemoItem&, const DemoItem&) = default;
};

// How many distinct pictures the image lists hold.
inline constexpr std::int32_t kImageCount = 8;

// About a dozen French items: accents, a ";", two items of one caption, a
// 200-character caption, one outside Windows-1252, one at negative
// coordinates, shared image indexes and an item data with its high bits set.
std::vector<DemoItem> DefaultItems();

// count items in columns over a screen of that size (they wrap onto the
// screen again when there are more than it holds).
std::vector<DemoItem> GeneratedItems(std::int32_t count, std::int32_t screenWidth,
                                     std::int32_t screenHeight);

// The text form, one item per line: X, Y, Image, LParam and the caption,
// separated by tabs; the caption is the rest of the line. Blank lines and
// lines that start with '#' say nothing.
std::string FormatItemLine(const DemoItem& item);  // UTF-8, no line end
std::string FormatItemFile(const std::vector<DemoItem>& items);

class ItemFileError : public std::runtime_error {
 public:
  ItemFileError(std::size_t line, std::wstring message)
      : std::runtime_error("bad item file"), m_line(line), m_message(std::move(message)) {}
  std::size_t Line() const { return m_line; }  // 1-based, 0 for the whole file
  const std::wstring& Message() const { return m_message; }

 private:
  std::size_t m_line;
  std::wstring m_message;
};

// The items of a file's bytes: UTF-8 (with or without its BOM) or UTF-16 with
// its BOM. Throws ItemFileError.
std::vector<DemoItem> ParseItemFile(std::string_view bytes);

std::string ToUtf8(std::wstring_view text);

}  // namespace icotrace::demo
