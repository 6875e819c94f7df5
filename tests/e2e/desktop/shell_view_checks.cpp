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
#include "e2e_check.h"
#include "e2e_environment.h"
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
  if (!E2E_CHECK(
          SUCCEEDED(::SHGetDesktopFolder(desktop.GetAddressOf())) &&
          SUCCEEDED(::SHParseDisplayName(folder.Path().c_str(), nullptr, &path, 0, nullptr)) &&
          SUCCEEDED(desktop->BindToObject(path, nullptr, IID_PPV_ARGS(shown.GetAddressOf())))))
    return;
  ::CoTaskMemFree(path);
  const RemoteMemory view(list);
  for (const demo::DemoItem& item : truth) {
    std::vector<BYTE> id;
    for (USHORT size = 1; size != 0 && id.size() < 0x10000;) {
      const auto* at = reinterpret_cast<const BYTE*>(static_cast<INT_PTR>(item.LParam)) + id.size();
      if (!E2E_CHECK(view.Read(at, &size, sizeof size))) break;
      id.resize(id.size() + std::max<std::size_t>(size, sizeof size));
      if (size != 0) E2E_CHECK(view.Read(at, id.data() + id.size() - size, size));
    }
    E2E_CHECK(ItemLabel(*shown.Get(), reinterpret_cast<PCUITEMID_CHILD>(id.data())) ==
              std::u16string(item.Caption.begin(), item.Caption.end()));
  }
}

void CheckShellView(const DemoPaths& demos) {
  const ShellFolder folder(L"Bureau Icotrace");
  DemoDesktopProcess demo(demos.Same, folder.DemoArguments());
  RequestScreenshot(L"desktop-shell-view");
  RealDesktop desktop;
  const HWND list = CheckFoundListView(desktop);
  if (list == nullptr) return;
  E2E_CHECK(GetParent(GetParent(list)) == demo.Progman());
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(list, GWL_STYLE));
  E2E_CHECK_EQ(style & LVS_TYPEMASK, static_cast<DWORD>(LVS_ICON));
  E2E_CHECK_EQ(style & LVS_AUTOARRANGE, 0u);

  // The shell's names: extensions hidden, so that "notes.txt", "notes.doc"
  // and the folder "Notes" all read "notes" in some case.
  const std::vector<demo::DemoItem> truth = demo.Truth();
  E2E_CHECK(SortedCaptions(truth) == ShellFolder::Captions());
  std::set<std::int64_t> idLists;
  for (const demo::DemoItem& item : truth) {
    if (item.LParam != 0) idLists.insert(item.LParam);
  }
  E2E_CHECK_EQ(idLists.size(), truth.size());  // each item its own ID list

  Layout layout;
  desktop.Common.ReadDesktopLayout(layout);
  CheckSameItems(layout, truth);
  CheckLabelsMadeHere(folder, list, truth);
}

}  // namespace

void ShellViewChecks(const DemoPaths& demos) {
  Scenario("the shell's view of a folder stands where the desktop is looked for",
           [&] { CheckShellView(demos); });

  Scenario("read, scramble and apply through the shell's view", [&] {
    const ShellFolder folder(L"Bureau Icotrace");
    ScrambleAndRestore(demos.Same, folder.DemoArguments(), L"desktop-shell-view");
  });

  Scenario("the shell's view under a WorkerW", [&] {
    const ShellFolder folder(L"Bureau Icotrace");
    std::vector<std::wstring> arguments = folder.DemoArguments();
    arguments.push_back(L"--workerw");
    ScrambleAndRestore(demos.Same, arguments, L"");
  });

  Scenario("the shell's view going away during a read", [&] {
    const ShellFolder folder(L"Bureau Icotrace");
    std::vector<std::wstring> arguments = folder.DemoArguments();
    arguments.insert(arguments.end(), {L"--exit-after", L"2"});
    DemoDesktopProcess demo(demos.Same, arguments);
    RealDesktop desktop;
    Layout layout;
    E2E_CHECK_EQ(MessageOf([&] { desktop.Common.ReadDesktopLayout(layout); }),
                 std::u16string(messages::kDesktopNotResponding));
    E2E_CHECK(demo.Exited(5000));
  });
}

}  // namespace icotrace::e2e
