// ListView1 of another process, read as a person sees it: each row's caption,
// its three sub-items and the picture it names in the small image list.
// Records go through memory lent in that process; this program and the
// other share one pointer width (one build).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace icotrace::e2e {

struct SeenRow {
  std::wstring Caption;
  std::wstring X;
  std::wstring Y;
  std::wstring LParam;
  int Image = -1;  // the row's index in the small image list (negative: none)
};

// Empty when the process cannot be reached or the list has no rows.
std::vector<SeenRow> ReadRows(HWND listView);

// How many pictures the list's small image list holds, when the image list
// can be read in the other process's memory (Wine's common controls keep the
// count right after the interface pointer, followed by the sizes, which this
// checks before trusting it); nothing otherwise.
std::optional<int> SmallImageCount(HWND listView);

}  // namespace icotrace::e2e
