// Icotrace in a folder whose name the ANSI code page cannot hold, and at the
// root of a drive: the layout file is written, found at start and read where
// the program stands, and the messages name it as the program forms it.
#include <cstdio>

#include "app_checks.h"
#include "app_scenarios.h"
#include "demo_desktop_process.h"
#include "desktop_places.h"
#include "e2e_environment.h"
#include "e2e_test.h"
#include "expected_layout.h"
#include "platform/win/handles.h"
#include "scratch_install.h"

namespace icotrace::e2e {
namespace {

// The drive that the test's runner maps to <e2e>\scratch\drive-root.
constexpr wchar_t kDriveRoot[] = L"Q:\\";

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  const UniqueFind search(::FindFirstFileW((folder + L"\\*").c_str(), &found));
  if (!search) return names;
  do names.emplace_back(found.cFileName);
  while (::FindNextFileW(search.Get(), &found));
  return names;
}

// Save, then a fresh start finds the file, then load and apply; then the
// file's absence as the load tells it. layoutFile is the path the program
// forms and shows.
void SaveFindLoadApply(const ScratchInstall& install, const std::wstring& program,
                       const std::wstring& layoutFile, const AppPaths& paths) {
  DemoDesktopProcess demo(paths.DemoDesktop, ScenarioDesktopArguments());
  const std::vector<demo::DemoItem> original = demo.Truth();
  const std::vector<ExpectedRow> readRows = RowsOfDesktop(original);
  {
    IcotraceSession icotrace(program);
    CheckButtons(icotrace, Offered(false, false, false), "start without a layout file");
    CheckClick(icotrace, Command::Read, "read");
    CheckNoMessage(icotrace, "read");
    CheckClick(icotrace, Command::Save, "save");
    CheckNoMessage(icotrace, "save");
    EXPECT_EQ(install.LayoutBytes().value_or("<no file>"), LayoutFileBytes(readRows))
        << "save: the layout file beside the program holds the read";
    EXPECT_EQ(install.OtherFileCount(), 1) << "save: nothing else beside the program";
    CheckButtons(icotrace, Offered(true, true, false), "after the save");
  }
  IcotraceSession icotrace(program);
  CheckButtons(icotrace, Offered(false, true, false), "start with the saved file");
  ScrambleDesktop(demo, "before the load");
  CheckClick(icotrace, Command::Load, "load");
  CheckNoMessage(icotrace, "load");
  CheckRows(icotrace, RowsOfLoad(readRows), "load");
  CheckClick(icotrace, Command::Apply, "apply");
  CheckNoMessage(icotrace, "apply");
  CheckDesktopPlaces(demo, original, "apply of the loaded layout");

  install.RemoveLayout();
  CheckClick(icotrace, Command::Load, "load of a file removed since");
  CheckMessage(icotrace, {layoutFile, L"introuvable"}, "load of a file removed since");
}

void ForeignFolder(const AppPaths& paths) {
  const std::wstring name = L"Ελληνικά Фото";
  BOOL lossy = FALSE;
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), static_cast<int>(name.size()),
                        nullptr, 0, nullptr, &lossy);
  if (!lossy) std::printf("note: this system's ANSI code page holds Greek and Cyrillic\n");
  const std::wstring scratch = E2eDirectory() + L"\\scratch";
  const ScratchInstall install(name, paths.Icotrace);
  const std::vector<std::wstring> entries = FolderEntries(scratch);
  SaveFindLoadApply(install, install.Program(), install.LayoutFile(), paths);
  EXPECT_TRUE(FolderEntries(scratch) == entries) << "no other folder was made beside the program's";
}

// The runner maps the drive; elsewhere there is nothing to check.
bool DriveShowsFolder(const std::wstring& folder) {
  const std::wstring marker = L"drive-root-marker.txt";
  WriteFileBytes(folder + L"\\" + marker, "Q");
  const bool shows =
      ::GetFileAttributesW((std::wstring(kDriveRoot) + marker).c_str()) != INVALID_FILE_ATTRIBUTES;
  ::DeleteFileW((folder + L"\\" + marker).c_str());
  return shows;
}

void DriveRoot(const AppPaths& paths) {
  const ScratchInstall install(L"drive-root", paths.Icotrace);
  if (!DriveShowsFolder(install.Folder())) {
    GTEST_SKIP() << "drive Q: does not show " << Utf8(install.Folder())
                 << " (tests/e2e/app/with_wine_drive.sh)";
  }
  // The folder at a root ends in its separator, and the name gets one more.
  SaveFindLoadApply(install, kDriveRoot + std::wstring(L"Icotrace.exe"), LayoutFileIn(kDriveRoot),
                    paths);
}

}  // namespace

// program folder named outside the ANSI code page
TEST(AppFolders, ForeignFolder) {
  ForeignFolder(Paths());
}

// program folder at the root of a drive
TEST(AppFolders, DriveRoot) {
  DriveRoot(Paths());
}

}  // namespace icotrace::e2e
