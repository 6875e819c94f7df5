// The column headers of another process's list view, asked through a record
// lent in that process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace icotrace::e2e {

struct HeaderColumn {
  std::wstring Text;
  int Width = 0;
};

// Empty when the process cannot be reached.
std::vector<HeaderColumn> ReadHeaderColumns(HWND listView);

}  // namespace icotrace::e2e
