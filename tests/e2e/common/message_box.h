// The message boxes that a program shows over its main window: found among
// the process's windows, read, and closed with their OK button like a person
// would.
#pragma once

#include <windows.h>

#include <string>

namespace icotrace::e2e {

struct ShownMessage {
  HWND Box = nullptr;  // null: none came up
  std::wstring Caption;
  std::wstring Text;
};

// The visible standard dialog ("#32770") owned by owner, waiting up to
// timeoutMs for one to come up.
ShownMessage FindMessageBox(HWND owner, DWORD timeoutMs);

// Clicks its OK button; true when the box has gone.
bool CloseWithOk(const ShownMessage& message);

}  // namespace icotrace::e2e
