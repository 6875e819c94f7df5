#include "platform/win32_shell_launcher.h"

#include <shellapi.h>

namespace icotrace {
namespace {

static_assert(kShowNormal == SW_SHOWNORMAL);

// wchar_t is UTF-16 on Windows.
const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

const wchar_t* WideOrNull(const std::optional<std::u16string>& text) {
  return text ? Wide(*text) : nullptr;
}

}  // namespace

bool Win32ShellLauncher::ShellExecuteExW(const ShellRequest& request) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = request.NoErrorBox ? SEE_MASK_FLAG_NO_UI : 0;
  info.hwnd = m_owner;
  info.lpVerb = Wide(request.Verb);
  info.lpFile = Wide(request.File);
  info.lpParameters = WideOrNull(request.Parameters);
  info.lpDirectory = WideOrNull(request.Directory);
  info.nShow = request.Show;
  return ::ShellExecuteExW(&info) != FALSE;
}

}  // namespace icotrace
