// The program's UTF-16 text at the Win32 boundary, where it is wchar_t.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace icotrace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

inline std::wstring Wide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

// The whole text of a window, however long.
inline std::u16string WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return std::u16string(text.begin(), text.end());
}

}  // namespace icotrace
