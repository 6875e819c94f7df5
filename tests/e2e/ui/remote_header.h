// The column headers of another process's list view. Their texts are only
// given through a record in the list's own address space, so one is lent
// there for the question.
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
