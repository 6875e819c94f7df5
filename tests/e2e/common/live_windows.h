// Reading the windows of another process as they stand on the screen, and
// polling for a state.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace icotrace::e2e {

struct Box {
  long Left, Top, Width, Height;
  friend bool operator==(const Box&, const Box&) = default;
};
std::string Describe(const Box& box);

std::wstring ClassOf(HWND window);
// The text the window gives when asked (WM_GETTEXT, 5 s at most): what an
// edit control holds now, say.
std::wstring TextOf(HWND window);
// The text the system keeps for the window, read without a message to its
// owner: a busy program cannot hold the check up.
std::wstring SystemTextOf(HWND window);
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
// A visible top-level window of that process with that caption (as the
// system keeps it), or null after the wait.
HWND FindTopWindow(DWORD processId, std::wstring_view caption, DWORD timeoutMs);
// The visible tooltip windows of that process with a text, and their texts.
std::vector<std::wstring> ShownToolTips(DWORD processId);

}  // namespace icotrace::e2e
