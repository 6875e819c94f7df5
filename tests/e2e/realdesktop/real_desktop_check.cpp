// icotrace_real_desktop_check <Icotrace.exe> <demo-desktop.exe>
// Icotrace.exe on a real desktop: about thirty files of awkward names put
// into the user's desktop folder; Icotrace reads and saves; the icons are
// scrambled through the desktop's folder view, as Windows 10 and 11 place
// them; Icotrace loads and applies; every place is checked through the
// folder view and the list view, then again after the desktop is refreshed.
// The files go at the end, whatever happened (or at the start of the next
// run). Under Wine the desktop is a demo desktop that keeps its places as
// Windows 10 1809 and later do (--windows-shell), reached through COM by the
// same calls; the harness maps the shell's window list onto it.
#include <windows.h>
#include <commctrl.h>
#include <exdisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>

#include "demo_desktop_process.h"
#include "e2e_environment.h"
#include "e2e_test.h"
#include "icotrace_session.h"
#include "live_windows.h"
#include "message_box.h"
#include "person_input.h"
#include "platform/com_call_deadline.h"
#include "remote_memory.h"
#include "scratch_install.h"
#include "shell_desktop.h"
#include "shell_folder.h"

namespace icotrace::e2e {
namespace {

constexpr std::size_t kPlainFiles = 22;  // with the awkward ones, thirty items
constexpr DWORD kShellMs = 60000;        // for a shell to come up, or to show new files
// Every COM call of the walk, from its first step to its last.
constexpr ULONGLONG kWalkMs = 180000;

// Everything the steps share, from the first to the last.
struct Walk {
  Walk() {
    if (RunningUnderWine()) StartStandIn();
    ShowRealDesktop();
    icotrace.emplace(install.Program());
  }

  // The shell as Windows 10 and 11 keep it, with the state it saved last.
  void StartStandIn() {
    demo.emplace(PathArgument(1),
                 std::vector<std::wstring>{L"--windows-shell", L"--view-state",
                                           E2eDirectory() + L"\\real-desktop-view-state.txt"});
  }
  void CrashAndRestartStandIn() {
    demo->Crash();
    demo.reset();
    // The dead shell's windows go a moment after it.
    if (!WaitUntil([] { return FindWindowW(L"Progman", nullptr) == nullptr; }, kAnswerMs))
      throw E2eError("the crashed desktop's windows stay");
    StartStandIn();
    const std::size_t wanted = files->Names().size();
    if (!WaitUntil([&] { return FilesShown() == wanted; }, kShellMs))
      throw E2eError("the restarted desktop does not show the files");
    listView = ShellDesktop::Find({})->ListView;
  }

  void ShowRealDesktop() {
    PWSTR desktopFolder = nullptr;
    if (FAILED(SHGetKnownFolderPath(FOLDERID_Desktop, 0, nullptr, &desktopFolder)))
      throw E2eError("the user has no desktop folder");
    const std::wstring path = desktopFolder;
    CoTaskMemFree(desktopFolder);
    // The shell may still be starting (CI starts it just before).
    if (!WaitUntil([&] { return ShellDesktop::Find({}).has_value(); }, kShellMs))
      throw E2eError("no shell desktop with a folder view came up");
    listView = ShellDesktop::Find({})->ListView;
    files = std::make_unique<ShellFolder>(ShellFolder::Existing{}, path, kPlainFiles);
  }

  std::optional<ShellDesktop> FolderView() const { return ShellDesktop::Find(files->Names()); }
  // Our files in the folder view.
  std::size_t FilesShown() const {
    const std::optional<ShellDesktop> desktop = FolderView();
    return desktop ? desktop->Files.size() : 0;
  }

  struct Apartment {
    Apartment() : started(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~Apartment() {
      if (started) CoUninitialize();
    }
    bool started;
  } apartment;
  ComCallDeadline deadline{GetTickCount64() + kWalkMs};
  std::optional<DemoDesktopProcess> demo;  // under Wine, before the files
  std::unique_ptr<ShellFolder> files;
  HWND listView = nullptr;
  ScratchInstall install{L"real-desktop", PathArgument(0)};
  std::optional<IcotraceSession> icotrace;
  Places original;
  std::map<std::wstring, Place> originalInView;
};

class RealDesktop : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    BOOL wow64 = FALSE;
    if (!RunningUnderWine() && IsWow64Process(GetCurrentProcess(), &wow64) && wow64) {
      s_skip = "a 32-bit Icotrace cannot reach the 64-bit shell of this Windows";
      return;
    }
    try {
      s_walk = std::make_unique<Walk>();
    } catch (const E2eError& error) {
      s_error = error.what();
    }
  }
  static void TearDownTestSuite() { s_walk.reset(); }  // Icotrace, the demo, then the files

  void SetUp() override {
    if (s_skip != nullptr) GTEST_SKIP() << s_skip;
    ASSERT_TRUE(s_walk) << s_error;
  }

  static void Click(Command command) {
    const ClickResult result = s_walk->icotrace->Click(command);
    EXPECT_EQ(result, ClickResult::Done) << Utf8(CaptionOf(command)) << ": " << Describe(result);
    const ShownMessage message = FindMessageBox(s_walk->icotrace->Main(), 300);
    EXPECT_EQ(message.Box, nullptr) << Utf8(message.Text);
    CloseWithOk(message);
  }
  static void Screenshot(const wchar_t* name) {
    // The pointer goes away first, so that no tool tip hides the desktop.
    MoveMouseTo({GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});
    EXPECT_TRUE(RequestScreenshot(name)) << Utf8(name);
  }
  // Waits a little for the list view to show the places wanted, then
  // compares.
  static void ExpectListViewPlaces(const Places& wanted) {
    Places now;
    WaitUntil([&] { return (now = ListViewPlaces(s_walk->listView)) == wanted; }, kShellMs / 3);
    EXPECT_EQ(Moved(wanted, now), "") << "these icons are not where they were saved";
  }
  static void ExpectFolderViewPlaces() {
    const std::optional<ShellDesktop> desktop = s_walk->FolderView();
    ASSERT_TRUE(desktop);
    EXPECT_EQ(desktop->FilePlaces(), s_walk->originalInView);
  }

  static inline std::unique_ptr<Walk> s_walk;
  static inline std::string s_error;
  static inline const char* s_skip = nullptr;
};

TEST_F(RealDesktop, TheDesktopShowsTheFiles) {
  const std::size_t wanted = s_walk->files->Names().size();
  EXPECT_TRUE(WaitUntil([&] { return s_walk->FilesShown() == wanted; }, kShellMs))
      << s_walk->FilesShown() << " of " << wanted << " files shown";
  s_walk->original = ListViewPlaces(s_walk->listView);
  Screenshot(L"real-1-files");
  const std::optional<ShellDesktop> desktop = s_walk->FolderView();
  ASSERT_TRUE(desktop);
  s_walk->originalInView = desktop->FilePlaces();
  EXPECT_EQ(s_walk->originalInView.size(), s_walk->files->Names().size());
}

TEST_F(RealDesktop, IcotraceReadsAndSaves) {
  Click(Command::Read);
  EXPECT_EQ(Ask(s_walk->icotrace->ListView(), LVM_GETITEMCOUNT, 0, nullptr).value_or(-1),
            static_cast<LRESULT>(ItemCount(s_walk->original)));
  Click(Command::Save);
  EXPECT_TRUE(s_walk->install.LayoutBytes());
  Screenshot(L"real-2-saved");
}

TEST_F(RealDesktop, TheFolderViewScramblesTheIcons) {
  const std::optional<ShellDesktop> desktop = s_walk->FolderView();
  ASSERT_TRUE(desktop);
  ASSERT_FALSE(s_walk->originalInView.empty());
  std::vector<PCUITEMID_CHILD> ids;
  std::vector<POINT> places;
  for (const auto& [name, place] : s_walk->originalInView) {
    ids.push_back(desktop->Files.at(name).get());
    places.push_back({place.first, place.second});
  }
  // Each file takes the place of the next one.
  std::rotate(places.begin(), places.begin() + 1, places.end());
  ASSERT_HRESULT_SUCCEEDED(desktop->Folder->SelectAndPositionItems(
      static_cast<UINT>(ids.size()), ids.data(), places.data(), SVSI_POSITIONITEM));
  EXPECT_NE(Moved(s_walk->original, ListViewPlaces(s_walk->listView)), "");
  Screenshot(L"real-3-scrambled");
}

TEST_F(RealDesktop, ApplyPutsEveryIconBackInTheListView) {
  Click(Command::Load);
  Click(Command::Apply);
  ExpectListViewPlaces(s_walk->original);
  Screenshot(L"real-4-applied");
}

TEST_F(RealDesktop, ApplyPutsEveryFileBackInTheFolderView) {
  ExpectFolderViewPlaces();
}

// What Windows 10 and 11 do to places set only through the list view.
TEST_F(RealDesktop, ThePlacesHoldAfterARefresh) {
  const std::optional<ShellDesktop> desktop = s_walk->FolderView();
  ASSERT_TRUE(desktop);
  ASSERT_HRESULT_SUCCEEDED(desktop->View->Refresh());
  ExpectListViewPlaces(s_walk->original);
  ExpectFolderViewPlaces();
  Screenshot(L"real-5-refreshed");
}

// A shell that crashes shows, once back, the places its view saved last:
// those of the apply only when Icotrace had the view save them.
TEST_F(RealDesktop, ThePlacesHoldAfterTheShellCrashes) {
  if (!RunningUnderWine()) GTEST_SKIP() << "the check never ends the user's own shell";
  ASSERT_NO_THROW(s_walk->CrashAndRestartStandIn());
  ExpectListViewPlaces(s_walk->original);
  ExpectFolderViewPlaces();
  Screenshot(L"real-6-restarted");
}

}  // namespace
}  // namespace icotrace::e2e
