#include "live_windows.h"

#include <commctrl.h>

#include <algorithm>

namespace icotrace::e2e {
namespace {

// The visible top-level windows of a process that pass a test.
struct WindowSearch {
  DWORD processId;
  std::function<bool(HWND)> wanted;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  if (processId == search->processId && ::IsWindowVisible(window) && search->wanted(window))
    search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> VisibleWindows(DWORD processId, std::function<bool(HWND)> wanted) {
  WindowSearch search{processId, std::move(wanted), {}};
  ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The first visible top-level window of the process that passes the test,
// waiting up to timeoutMs for one.
HWND WaitForVisible(DWORD processId, const std::function<bool(HWND)>& wanted, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        const std::vector<HWND> windows = VisibleWindows(processId, wanted);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

}  // namespace

std::vector<HWND> VisibleWindows(DWORD processId, const wchar_t* className) {
  return VisibleWindows(processId, [className](HWND window) {
    return className == nullptr || ClassOf(window) == className;
  });
}

std::string Describe(const Box& box) {
  return "(" + std::to_string(box.Left) + "," + std::to_string(box.Top) + " " +
         std::to_string(box.Width) + "x" + std::to_string(box.Height) + ")";
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  const int length = ::GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
    return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(copied);
  return text;
}

std::wstring SystemTextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(std::max(0, ::GetWindowTextLengthW(window))) + 1,
                    L'\0');
  text.resize(static_cast<std::size_t>(
      std::max(0, ::GetWindowTextW(window, text.data(), static_cast<int>(text.size())))));
  return text;
}

Box BoxIn(HWND window, HWND container) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  ::MapWindowPoints(HWND_DESKTOP, container, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

SIZE ClientSize(HWND window) {
  RECT rect{};
  ::GetClientRect(window, &rect);
  return {rect.right, rect.bottom};
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  for (;;) {
    if (done()) return true;
    if (::GetTickCount64() >= end) return false;
    ::Sleep(50);
  }
}

HWND WaitForWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs) {
  return WaitForVisible(
      processId, [className](HWND window) { return ClassOf(window) == className; }, timeoutMs);
}

HWND FindTopWindow(DWORD processId, std::wstring_view caption, DWORD timeoutMs) {
  return WaitForVisible(
      processId, [caption](HWND window) { return SystemTextOf(window) == caption; }, timeoutMs);
}

std::vector<std::wstring> ShownToolTips(DWORD processId) {
  std::vector<std::wstring> texts;
  for (const HWND tip : VisibleWindows(processId, TOOLTIPS_CLASSW))
    if (std::wstring text = TextOf(tip); !text.empty()) texts.push_back(std::move(text));
  return texts;
}

}  // namespace icotrace::e2e
