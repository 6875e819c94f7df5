// A folder of awkward names for the demo desktop's --shell-view, in the
// temporary folder (under Wine: inside the test's prefix), with the user's
// "hide extensions of known file types" set while it lives: "notes.txt",
// "notes.doc" and the folder "Notes" then read as three items one
// case-blind search cannot tell apart.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "demo_items.h"

namespace icotrace::e2e {

class ShellFolder {
 public:
  // <temp>\<name>, made afresh, with plainFiles more files of plain names
  // besides the awkward ones. Throws E2eError.
  explicit ShellFolder(const std::wstring& name, std::size_t plainFiles = 0);
  // The same names put into a folder that exists and stays (the user's
  // desktop), after any left there by an earlier run are removed; the
  // user's extension setting is left alone, since a shell that runs may
  // take a change of it in the middle of a check.
  struct Existing {};
  ShellFolder(Existing, const std::wstring& folder, std::size_t plainFiles);
  // Puts the extension setting back as it was and removes what it made.
  ~ShellFolder();
  ShellFolder(const ShellFolder&) = delete;
  ShellFolder& operator=(const ShellFolder&) = delete;

  const std::wstring& Path() const { return m_path; }
  // The names of the files and folders it made, as on disk.
  const std::vector<std::wstring>& Names() const { return m_names; }
  // The demo desktop's arguments that show this folder.
  std::vector<std::wstring> DemoArguments() const { return {L"--shell-view", m_path}; }
  // The awkward items' captions as the shell should show them, extensions
  // hidden, sorted.
  static std::vector<std::wstring> Captions();
  // How many awkward items every such folder holds.
  static std::size_t AwkwardItems();

 private:
  void Fill(std::size_t plainFiles);
  std::vector<std::wstring> Paths() const;

  std::wstring m_path;
  bool m_ownsFolder = true;
  std::vector<std::wstring> m_names;
  std::optional<DWORD> m_hideExtensions;  // the setting before, when there was one
};

// The items' captions sorted, for comparing a view's items whatever their
// order.
std::vector<std::wstring> SortedCaptions(const std::vector<demo::DemoItem>& items);

}  // namespace icotrace::e2e
