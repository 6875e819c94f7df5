#include "scratch_install.h"

#include <windows.h>

#include "demo_desktop_process.h"
#include "e2e_environment.h"
#include "e2e_test.h"
#include "layoutfile/layout_file_name.h"
#include "platform/win/handles.h"
#include "platform/win32_file_system.h"
#include "platform/win32_screen_metrics.h"

namespace icotrace::e2e {
namespace {

constexpr wchar_t kProgramName[] = L"Icotrace.exe";
constexpr wchar_t kLibraryName[] = L"InterprocessImageList.dll";

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

template <typename Visit>
void ForEachFile(const std::wstring& folder, Visit visit) {
  WIN32_FIND_DATAW found{};
  const UniqueFind search(::FindFirstFileW((folder + L"\\*").c_str(), &found));
  if (!search) return;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
      visit(std::wstring(found.cFileName));
  } while (::FindNextFileW(search.Get(), &found));
}

std::wstring Wide(const std::u16string& text) {
  return std::wstring(text.begin(), text.end());
}

void Copy(const std::wstring& from, const std::wstring& to) {
  if (!::CopyFileW(from.c_str(), to.c_str(), FALSE))
    throw E2eError("cannot copy " + Utf8(from) + " to " + Utf8(to));
}

}  // namespace

ScratchInstall::ScratchInstall(const std::wstring& name, const std::wstring& program) {
  const std::wstring scratch = E2eDirectory() + L"\\scratch";
  m_folder = scratch + L"\\" + name;
  ::CreateDirectoryW(scratch.c_str(), nullptr);
  ::CreateDirectoryW(m_folder.c_str(), nullptr);
  ForEachFile(m_folder, [&](const std::wstring& file) {
    const std::wstring path = m_folder + L"\\" + file;
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!::DeleteFileW(path.c_str())) throw E2eError("cannot empty " + Utf8(m_folder));
  });
  m_program = m_folder + L"\\" + kProgramName;
  Copy(program, m_program);
  Copy(FolderOf(program) + L"\\" + kLibraryName, m_folder + L"\\" + kLibraryName);
}

std::wstring LayoutFileIn(const std::wstring& folder) {
  Win32ScreenMetrics screen;
  Win32FileSystem files;
  const std::u16string ours = LayoutFileName(screen, files);  // in this program's folder
  return folder + L"\\" + Wide(ours.substr(ours.find_last_of(u'\\') + 1));
}

std::string StartAccount(const std::wstring& folder) {
  const WindowDc screen(nullptr);
  std::string account = "screen " + std::to_string(::GetSystemMetrics(SM_CXSCREEN)) + "x" +
                        std::to_string(::GetSystemMetrics(SM_CYSCREEN)) + " at " +
                        std::to_string(::GetDeviceCaps(screen.Get(), LOGPIXELSX)) +
                        " dpi; layout file looked for: " + Utf8(LayoutFileIn(folder)) +
                        "; the folder holds:";
  ForEachFile(folder, [&](const std::wstring& file) { account += " " + Utf8(file); });
  return account;
}

std::optional<std::string> ScratchInstall::LayoutBytes() const {
  return ReadFileBytes(LayoutFile());
}

void ScratchInstall::WriteLayout(const std::string& bytes) const {
  WriteFileBytes(LayoutFile(), bytes);
}

void ScratchInstall::SetLayoutReadOnly(bool readOnly) const {
  if (!::SetFileAttributesW(LayoutFile().c_str(),
                            readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL))
    throw E2eError("cannot change the attributes of " + Utf8(LayoutFile()));
}

bool ScratchInstall::LayoutReadOnly() const {
  const DWORD attributes = ::GetFileAttributesW(LayoutFile().c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

void ScratchInstall::RemoveLayout() const {
  ::SetFileAttributesW(LayoutFile().c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!::DeleteFileW(LayoutFile().c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND)
    throw E2eError("cannot remove " + Utf8(LayoutFile()));
}

int ScratchInstall::OtherFileCount() const {
  int count = 0;
  ForEachFile(m_folder, [&](const std::wstring& file) {
    if (_wcsicmp(file.c_str(), kProgramName) != 0 && _wcsicmp(file.c_str(), kLibraryName) != 0)
      ++count;
  });
  return count;
}

}  // namespace icotrace::e2e
