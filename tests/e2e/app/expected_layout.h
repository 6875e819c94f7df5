// What the program should show and write, worked out from the demo
// desktop's own account of its items or from a layout file's entries,
// never from what the program itself read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "demo_items.h"

namespace icotrace::e2e {

// One row of ListView1 as it should read, with the desktop image index
// whose picture it should show.
struct ExpectedRow {
  std::wstring Caption;
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::int32_t LParam = 0;
  std::int32_t Image = 0;
};

// The rows of a read: one per item, in the desktop's order; item data keeps
// its low 32 bits, as a signed number.
std::vector<ExpectedRow> RowsOfDesktop(const std::vector<demo::DemoItem>& items);

// The rows of a load: one per entry, then the empty one (image index 0).
std::vector<ExpectedRow> RowsOfLoad(std::vector<ExpectedRow> entries);

// A layout file of those rows: Name;X;Y;Image;lParam and CR LF each, the
// names in the system's ANSI code page. Throws E2eError when a name does not
// convert exactly.
std::string LayoutFileBytes(const std::vector<ExpectedRow>& rows);

// The items the scenarios put on the demo desktop: captions with accents,
// one caption twice, shared image indexes, negative places, item data with
// its high bit set, and one item whose image index the desktop cannot draw.
std::vector<demo::DemoItem> ScenarioItems();
// A desktop image index that has no picture on the demo desktop.
inline constexpr std::int32_t kImageWithoutPicture = 20;

// Writes the items for --items into the e2e folder; the file's path.
std::wstring WriteItemFile(const std::wstring& name, const std::vector<demo::DemoItem>& items);

}  // namespace icotrace::e2e
