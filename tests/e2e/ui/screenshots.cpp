#include "screenshots.h"

#include <windows.h>

#include "live_windows.h"

namespace icotrace::e2e {

bool TakeScreenshot(const std::wstring& name) {
  wchar_t folder[MAX_PATH] = {};
  if (::GetEnvironmentVariableW(L"ICOTRACE_E2E_DIR_WIN", folder, MAX_PATH) == 0) return false;
  const std::wstring request = std::wstring(folder) + L"\\" + name + L".snap-request";
  const HANDLE file = ::CreateFileW(request.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(file);
  // The harness removes the request once the picture is written.
  return WaitUntil([&] { return ::GetFileAttributesW(request.c_str()) == INVALID_FILE_ATTRIBUTES; },
                   30000);
}

}  // namespace icotrace::e2e
