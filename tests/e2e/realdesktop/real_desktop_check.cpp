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
#include "shell_folder.h"

namespace icotrace::e2e {
namespace {

constexpr std::size_t kPlainFiles = 22;  // with the awkward ones, thirty items
constexpr DWORD kShellMs = 60000;        // for a shell to come up, or to show new files
constexpr DWORD kAnswerMs = 5000;
// Every COM call of the walk, from its first step to its last.
constexpr ULONGLONG kWalkMs = 180000;

using Place = std::pair<LONG, LONG>;
// Each caption's places, sorted: duplicate captions may come in any order.
using Places = std::map<std::wstring, std::vector<Place>>;

std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM wParam, const void* lParam) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, message, wParam, reinterpret_cast<LPARAM>(lParam),
                           SMTO_ABORTIFHUNG, kAnswerMs, &answer))
    return std::nullopt;
  return static_cast<LRESULT>(answer);
}

// Every item of the list view as its own process tells it, read through
// memory lent there; empty when the control does not answer.
Places ListViewPlaces(HWND listView) {
  constexpr int kTextCapacity = 512;
  const int count = static_cast<int>(Ask(listView, LVM_GETITEMCOUNT, 0, nullptr).value_or(0));
  RemoteMemory shell(listView);
  BYTE* block = shell.Lend(sizeof(LVITEMW) + kTextCapacity * sizeof(wchar_t));
  Places places;
  for (int i = 0; block != nullptr && i < count; ++i) {
    LVITEMW item{};
    item.pszText = reinterpret_cast<wchar_t*>(block + sizeof item);
    item.cchTextMax = kTextCapacity;
    std::wstring caption(kTextCapacity, L'\0');
    POINT at{};
    if (!shell.Write(block, &item, sizeof item) || !Ask(listView, LVM_GETITEMTEXTW, i, block) ||
        !shell.Read(item.pszText, caption.data(), caption.size() * sizeof(wchar_t)) ||
        !Ask(listView, LVM_GETITEMPOSITION, i, block) || !shell.Read(block, &at, sizeof at))
      return {};
    caption.resize(wcsnlen(caption.data(), caption.size()));
    places[caption].push_back({at.x, at.y});
  }
  for (auto& [caption, points] : places) std::sort(points.begin(), points.end());
  return places;
}

std::size_t ItemCount(const Places& places) {
  std::size_t count = 0;
  for (const auto& [caption, points] : places) count += points.size();
  return count;
}

// The captions whose places differ between the two accounts.
std::string Moved(const Places& before, const Places& now) {
  std::string moved;
  for (const auto& [caption, points] : before) {
    const auto found = now.find(caption);
    if (found == now.end() || found->second != points) moved += " \"" + Utf8(caption) + "\"";
  }
  return moved;
}

struct ItemIdDeleter {
  void operator()(ITEMID_CHILD* id) const { CoTaskMemFree(id); }
};
using ItemId = std::unique_ptr<ITEMID_CHILD, ItemIdDeleter>;

// The desktop's folder view, found as the shell registers it, and our files
// in it by their names on disk, as the desktop folder of this process names
// their IDs (the view's folder is that folder).
struct ShellDesktop {
  ComPtr<IShellView> View;
  ComPtr<IFolderView> Folder;
  HWND ListView = nullptr;
  std::map<std::wstring, ItemId> Files;

  static std::optional<ShellDesktop> Find(const std::vector<std::wstring>& names) {
    ShellDesktop desktop;
    ComPtr<IShellWindows> windows;
    ComPtr<IDispatch> dispatch;
    ComPtr<IShellBrowser> browser;
    ComPtr<IShellFolder> folder;
    ComPtr<IEnumIDList> items;
    VARIANT where{};
    where.vt = VT_I4;
    where.lVal = CSIDL_DESKTOP;
    VARIANT root{};
    long window = 0;
    HWND view = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL,
                                IID_PPV_ARGS(windows.GetAddressOf()))) ||
        windows->FindWindowSW(&where, &root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                              dispatch.GetAddressOf()) != S_OK ||
        FAILED(IUnknown_QueryService(dispatch.Get(), SID_STopLevelBrowser,
                                     IID_PPV_ARGS(browser.GetAddressOf()))) ||
        FAILED(browser->QueryActiveShellView(desktop.View.GetAddressOf())) ||
        FAILED(desktop.View.As(&desktop.Folder)) || FAILED(desktop.View->GetWindow(&view)) ||
        FAILED(SHGetDesktopFolder(folder.GetAddressOf())) ||
        FAILED(desktop.Folder->Items(SVGIO_ALLVIEW, IID_PPV_ARGS(items.GetAddressOf()))))
      return std::nullopt;
    desktop.ListView = FindWindowExW(view, nullptr, WC_LISTVIEWW, nullptr);
    PITEMID_CHILD id = nullptr;
    // A count asked for: through another process's proxy a null one fails.
    ULONG fetched = 0;
    while (items->Next(1, &id, &fetched) == S_OK && fetched == 1) {
      ItemId owned(id);
      STRRET name{};
      wchar_t text[MAX_PATH] = {};
      if (SUCCEEDED(folder->GetDisplayNameOf(id, SHGDN_INFOLDER | SHGDN_FORPARSING, &name)) &&
          SUCCEEDED(StrRetToBufW(&name, id, text, MAX_PATH))) {
        // Wine's desktop folder parses its files by their whole paths.
        const std::wstring file = PathFindFileNameW(text);
        if (std::find(names.begin(), names.end(), file) != names.end())
          desktop.Files[file] = std::move(owned);
      }
    }
    return desktop;
  }

  // Each of our files' place in the view; nothing for a file it lacks.
  std::map<std::wstring, Place> FilePlaces() const {
    std::map<std::wstring, Place> places;
    for (const auto& [name, id] : Files) {
      POINT at{};
      if (SUCCEEDED(Folder->GetItemPosition(id.get(), &at))) places[name] = {at.x, at.y};
    }
    return places;
  }
};

// Everything the steps share, from the first to the last.
struct Walk {
  Walk() {
    if (RunningUnderWine()) {
      demo.emplace(PathArgument(1),
                   std::vector<std::wstring>{L"--windows-shell", L"--view-state",
                                             E2eDirectory() + L"\\real-desktop-view-state.txt"});
    }
    ShowRealDesktop();
    icotrace.emplace(install.Program());
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

}  // namespace
}  // namespace icotrace::e2e
