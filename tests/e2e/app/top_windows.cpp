#include "top_windows.h"

#include <algorithm>

namespace icotrace::e2e {
namespace {

struct TopSearch {
  DWORD processId;
  std::wstring_view caption;
  HWND found;
};

BOOL CALLBACK TakeTopWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TopSearch*>(data);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  if (processId != search->processId || !::IsWindowVisible(window) ||
      TextOf(window) != search->caption)
    return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  return std::wstring(name,
                      static_cast<std::size_t>(std::max(0, ::GetClassNameW(window, name, 256))));
}

std::wstring TextOf(HWND window) {
  // The text the system keeps for the window: no message goes to its owner.
  std::wstring text(static_cast<std::size_t>(std::max(0, ::GetWindowTextLengthW(window))) + 1,
                    L'\0');
  text.resize(static_cast<std::size_t>(
      std::max(0, ::GetWindowTextW(window, text.data(), static_cast<int>(text.size())))));
  return text;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  for (const ULONGLONG end = ::GetTickCount64() + timeoutMs; !done(); ::Sleep(50))
    if (::GetTickCount64() >= end) return false;
  return true;
}

HWND FindTopWindow(DWORD processId, std::wstring_view caption, DWORD timeoutMs) {
  TopSearch search{processId, caption, nullptr};
  WaitUntil(
      [&] {
        ::EnumWindows(&TakeTopWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeoutMs);
  return search.found;
}

}  // namespace icotrace::e2e
