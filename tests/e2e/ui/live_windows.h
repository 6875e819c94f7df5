// Reading the windows of another process as they stand on the screen.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace icotrace::e2e {

struct Box {
  long Left, Top, Width, Height;
  friend bool operator==(const Box&, const Box&) = default;
};
std::string Describe(const Box& box);

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
// The window's outer rectangle in the client coordinates of container.
Box BoxIn(HWND window, HWND container);
SIZE ClientSize(HWND window);
// The direct children, topmost first: the order of creation and of tabbing.
std::vector<HWND> ChildrenOf(HWND parent);
// The focus of the thread that owns window (another process's too).
HWND FocusOf(HWND window);

// Polls until done() holds or the time is up; tells which.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs);
// The visible top-level windows of that process, of that class or of any.
std::vector<HWND> VisibleWindows(DWORD processId, const wchar_t* className = nullptr);
// A visible top-level window of that process and class, or null after the wait.
HWND WaitForWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs);
// The visible tooltip windows of that process with a text, and their texts.
std::vector<std::wstring> ShownToolTips(DWORD processId);

}  // namespace icotrace::e2e
