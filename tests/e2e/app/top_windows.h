// What another process's windows show, read without asking that process (a
// busy program cannot hold the check up), and polling for a state.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace icotrace::e2e {

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);

// Polls until done() holds or the time is up; tells which.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs);

// A visible top-level window of that process with that caption, waiting up
// to timeoutMs for it; null when none came up.
HWND FindTopWindow(DWORD processId, std::wstring_view caption, DWORD timeoutMs);

}  // namespace icotrace::e2e
