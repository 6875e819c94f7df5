// Finding the desktop: the layout of current Windows after "show desktop",
// and no desktop at all.
#include "demo_desktop_process.h"
#include "desktop/desktop_messages.h"
#include "desktop_e2e.h"
#include "e2e_check.h"
#include "e2e_environment.h"

namespace icotrace::e2e {

void WorkerWChecks(const DemoPaths& demos) {
  Scenario("the list view under a top-level WorkerW is found", [&] {
    DemoDesktopProcess demo(demos.Same, {L"--workerw"});
    RequestScreenshot(L"desktop-workerw");
    RealDesktop desktop;
    const HWND list = CheckFoundListView(desktop);
    if (list == nullptr) return;
    E2E_CHECK_EQ(ClassOf(GetAncestor(list, GA_ROOT)), std::wstring(L"WorkerW"));
    DWORD owner = 0;
    GetWindowThreadProcessId(list, &owner);
    E2E_CHECK_EQ(owner, demo.ProcessId());

    Layout layout;
    desktop.Common.ReadDesktopLayout(layout);
    CheckSameItems(layout, demo.Truth());
  });

  Scenario("read and apply work through the WorkerW layout",
           [&] { ScrambleAndRestore(demos.Same, {L"--workerw"}, L""); });
}

void NoDesktopChecks(const DemoPaths&) {
  Scenario("without any desktop, read and apply fail at once with the French message", [&] {
    if (!E2E_CHECK(FindWindowW(L"Progman", nullptr) == nullptr)) return;  // nothing to find
    RealDesktop desktop;
    const Layout kept = {{u"Corbeille", 10, 20, 30, 40}};
    Layout layout = kept;
    ULONGLONG start = GetTickCount64();
    E2E_CHECK_EQ(MessageOf([&] { desktop.Common.ReadDesktopLayout(layout); }),
                 std::u16string(messages::kDesktopNotFound));
    E2E_CHECK(GetTickCount64() - start < 2000);
    E2E_CHECK(layout == kept);

    start = GetTickCount64();
    E2E_CHECK_EQ(MessageOf([&] { desktop.Common.ApplyDesktopLayout(layout); }),
                 std::u16string(messages::kDesktopNotFound));
    E2E_CHECK(GetTickCount64() - start < 2000);
  });
}

}  // namespace icotrace::e2e
