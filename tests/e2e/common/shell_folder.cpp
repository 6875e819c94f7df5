#include "shell_folder.h"

#include <shellapi.h>

#include <algorithm>

#include "demo_desktop_process.h"
#include "e2e_test.h"

namespace icotrace::e2e {
namespace {

constexpr wchar_t kAdvanced[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr wchar_t kHideFileExt[] = L"HideFileExt";

std::wstring LongName() {
  std::wstring name = L"Compte rendu de la réunion du conseil";
  while (name.size() < 120) name += L" et suite";
  name.resize(120);
  return name;
}

struct Entry {
  std::wstring Name;  // as on disk
  bool Folder;
  std::wstring Caption;  // as the shell shows it, extensions hidden
};

std::vector<Entry> Entries() {
  return {
      {L"notes.txt", false, L"notes"},
      {L"notes.doc", false, L"notes"},
      {L"Notes", true, L"Notes"},
      {L"Sous-dossier", true, L"Sous-dossier"},
      {L"Été à la plage, où ça.txt", false, L"Été à la plage, où ça"},
      {L"Recettes; desserts; pâtes.txt", false, L"Recettes; desserts; pâtes"},
      {L"  Liste  des   courses.txt", false, L"  Liste  des   courses"},
      {LongName() + L".txt", false, LongName()},
  };
}

std::optional<DWORD> ReadHideExtensions() {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (::RegGetValueW(HKEY_CURRENT_USER, kAdvanced, kHideFileExt, RRF_RT_REG_DWORD, nullptr, &value,
                     &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

bool WriteHideExtensions(DWORD value) {
  return ::RegSetKeyValueW(HKEY_CURRENT_USER, kAdvanced, kHideFileExt, REG_DWORD, &value,
                           sizeof value) == ERROR_SUCCESS;
}

// The files and folders with all they hold; each path ends with a NUL, the
// list with another, for the shell.
void RemoveAll(const std::vector<std::wstring>& paths) {
  std::wstring from;
  for (const std::wstring& path : paths) from += path + L'\0';
  if (from.empty()) return;
  from.push_back(L'\0');
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NO_UI;
  ::SHFileOperationW(&operation);
}

}  // namespace

ShellFolder::ShellFolder(const std::wstring& name, std::size_t plainFiles) {
  wchar_t temp[MAX_PATH + 1] = {};
  if (::GetTempPathW(MAX_PATH + 1, temp) == 0) throw E2eError("no temporary folder");
  m_path = std::wstring(temp) + name;
  RemoveAll({m_path});
  if (!::CreateDirectoryW(m_path.c_str(), nullptr)) throw E2eError("cannot make " + Utf8(m_path));
  Fill(plainFiles);
}

ShellFolder::ShellFolder(Existing, const std::wstring& folder, std::size_t plainFiles)
    : m_path(folder), m_ownsFolder(false) {
  Fill(plainFiles);
}

void ShellFolder::Fill(std::size_t plainFiles) {
  std::vector<Entry> entries = Entries();
  for (std::size_t i = 1; i <= plainFiles; ++i) {
    const std::wstring number = std::to_wstring(i);
    entries.push_back({L"Document " +
                           std::wstring(5 - std::min<std::size_t>(5, number.size()), L'0') +
                           number + L".txt",
                       false,
                       {}});
  }
  for (const Entry& entry : entries) m_names.push_back(entry.Name);
  if (!m_ownsFolder) RemoveAll(Paths());
  try {
    for (const Entry& entry : entries) {
      const std::wstring path = m_path + L"\\" + entry.Name;
      if (!entry.Folder) {
        WriteFileBytes(path, Utf8(entry.Name));
      } else if (!::CreateDirectoryW(path.c_str(), nullptr)) {
        throw E2eError("cannot make " + Utf8(path));
      }
    }
    if (m_ownsFolder) {
      m_hideExtensions = ReadHideExtensions();
      if (!WriteHideExtensions(1)) throw E2eError("cannot set HideFileExt");
    }
  } catch (const E2eError&) {
    RemoveAll(Paths());  // no destructor runs after a throwing constructor
    throw;
  }
}

std::vector<std::wstring> ShellFolder::Paths() const {
  if (m_ownsFolder) return {m_path};
  std::vector<std::wstring> paths;
  for (const std::wstring& name : m_names) paths.push_back(m_path + L"\\" + name);
  return paths;
}

ShellFolder::~ShellFolder() {
  if (m_hideExtensions) {
    WriteHideExtensions(*m_hideExtensions);
  } else if (m_ownsFolder) {
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kAdvanced, kHideFileExt);
  }
  RemoveAll(Paths());
}

std::vector<std::wstring> ShellFolder::Captions() {
  std::vector<std::wstring> captions;
  for (const Entry& entry : Entries()) captions.push_back(entry.Caption);
  std::sort(captions.begin(), captions.end());
  return captions;
}

std::size_t ShellFolder::AwkwardItems() {
  return Entries().size();
}

std::vector<std::wstring> SortedCaptions(const std::vector<demo::DemoItem>& items) {
  std::vector<std::wstring> captions;
  for (const demo::DemoItem& item : items) captions.push_back(item.Caption);
  std::sort(captions.begin(), captions.end());
  return captions;
}

}  // namespace icotrace::e2e
