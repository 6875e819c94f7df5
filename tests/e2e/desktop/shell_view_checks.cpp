// The demo desktop showing the shell's own view of a folder: found where the
// desktop is looked for, the shell's names with extensions hidden, read and
// applied like any desktop.
#include <windows.h>
#include <commctrl.h>

#include <shlobj.h>
#include <wrl/client.h>

#include <set>

#include "demo_desktop_process.h"
#include "desktop/desktop_messages.h"
#include "desktop_e2e.h"
#include "e2e_environment.h"
#include "e2e_test.h"
#include "platform/win32_item_label.h"
#include "remote_memory.h"
#include "shell_folder.h"

namespace icotrace::e2e {

namespace {

using Microsoft::WRL::ComPtr;

// The names that an apply makes in this process from the view's item IDs
// (ItemLabel, as the folder view does) are the list view's captions, item by
// item: extensions hidden, duplicates, accents, ';'. The view lives in the
// demo's process, which keeps each item's ID list as its data: copied here.
void CheckLabelsMadeHere(const ShellFolder& folder, HWND list,
                         const std::vector<demo::DemoItem>& truth) {
  ComPtr<IShellFolder> desktop;
  ComPtr<IShellFolder> shown;
  PIDLIST_ABSOLUTE path = nullptr;
  ASSERT_TRUE(SUCCEEDED(::SHGetDesktopFolder(desktop.GetAddressOf())) &&
              SUCCEEDED(::SHParseDisplayName(folder.Path().c_str(), nullptr, &path, 0, nullptr)) &&
              SUCCEEDED(desktop->BindToObject(path, nullptr, IID_PPV_ARGS(shown.GetAddressOf()))));
  ::CoTaskMemFree(path);
  const RemoteMemory view(list);
  for (const demo::DemoItem& item : truth) {
    std::vector<BYTE> id;
    for (USHORT size = 1; size != 0 && id.size() < 0x10000;) {
      const auto* at = reinterpret_cast<const BYTE*>(static_cast<INT_PTR>(item.LParam)) + id.size();
      ASSERT_TRUE(view.Read(at, &size, sizeof size));
      id.resize(id.size() + std::max<std::size_t>(size, sizeof size));
      if (size != 0) {
        ASSERT_TRUE(view.Read(at, id.data() + id.size() - size, size));
      }
    }
    EXPECT_EQ(ItemLabel(*shown.Get(), reinterpret_cast<PCUITEMID_CHILD>(id.data())),
              std::u16string(item.Caption.begin(), item.Caption.end()));
  }
}

}  // namespace

TEST(DesktopShellView, FoundWhereTheDesktopIsLookedFor) {
  const ShellFolder folder(L"Bureau Icotrace");
  DemoDesktopProcess demo(Demos().Same, folder.DemoArguments());
  RequestScreenshot(L"desktop-shell-view");
  RealDesktop desktop;
  const HWND list = CheckFoundListView(desktop);
  if (list == nullptr) return;
  EXPECT_TRUE(GetParent(GetParent(list)) == demo.Progman());
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(list, GWL_STYLE));
  EXPECT_EQ(style & LVS_TYPEMASK, static_cast<DWORD>(LVS_ICON));
  EXPECT_EQ(style & LVS_AUTOARRANGE, 0u);

  // The shell's names: extensions hidden, so that "notes.txt", "notes.doc"
  // and the folder "Notes" all read "notes" in some case.
  const std::vector<demo::DemoItem> truth = demo.Truth();
  EXPECT_TRUE(SortedCaptions(truth) == ShellFolder::Captions());
  std::set<std::int64_t> idLists;
  for (const demo::DemoItem& item : truth) {
    if (item.LParam != 0) idLists.insert(item.LParam);
  }
  EXPECT_EQ(idLists.size(), truth.size());  // each item its own ID list

  Layout layout;
  desktop.Common.ReadDesktopLayout(layout);
  CheckSameItems(layout, truth);
  CheckLabelsMadeHere(folder, list, truth);
}

TEST(DesktopShellView, ReadScrambleApply) {
  const ShellFolder folder(L"Bureau Icotrace");
  ScrambleAndRestore(Demos().Same, folder.DemoArguments(), L"desktop-shell-view");
}

TEST(DesktopShellView, UnderAWorkerW) {
  const ShellFolder folder(L"Bureau Icotrace");
  std::vector<std::wstring> arguments = folder.DemoArguments();
  arguments.push_back(L"--workerw");
  ScrambleAndRestore(Demos().Same, arguments, L"");
}

TEST(DesktopShellView, GoesAwayDuringARead) {
  const ShellFolder folder(L"Bureau Icotrace");
  std::vector<std::wstring> arguments = folder.DemoArguments();
  arguments.insert(arguments.end(), {L"--exit-after", L"2"});
  DemoDesktopProcess demo(Demos().Same, arguments);
  RealDesktop desktop;
  Layout layout;
  EXPECT_EQ(MessageOf([&] { desktop.Common.ReadDesktopLayout(layout); }),
            std::u16string(messages::kDesktopNotResponding));
  EXPECT_TRUE(demo.Exited(5000));
}

}  // namespace icotrace::e2e
