// Finding the desktop: the layout of current Windows after "show desktop",
// and no desktop at all.
#include "demo_desktop_process.h"
#include "desktop/desktop_messages.h"
#include "desktop_e2e.h"
#include "e2e_environment.h"
#include "e2e_test.h"

namespace icotrace::e2e {

TEST(DesktopWorkerW, ListViewIsFound) {
  DemoDesktopProcess demo(Demos().Same, {L"--workerw"});
  RequestScreenshot(L"desktop-workerw");
  RealDesktop desktop;
  const HWND list = CheckFoundListView(desktop);
  if (list == nullptr) return;
  EXPECT_EQ(ClassOf(GetAncestor(list, GA_ROOT)), std::wstring(L"WorkerW"));
  DWORD owner = 0;
  GetWindowThreadProcessId(list, &owner);
  EXPECT_EQ(owner, demo.ProcessId());

  Layout layout;
  desktop.Common.ReadDesktopLayout(layout);
  CheckSameItems(layout, demo.Truth());
}

TEST(DesktopWorkerW, ReadAndApply) {
  ScrambleAndRestore(Demos().Same, {L"--workerw"}, L"");
}

TEST(DesktopNoDesktop, ReadAndApplyFailAtOnce) {
  ASSERT_TRUE(FindWindowW(L"Progman", nullptr) == nullptr);  // nothing to find
  RealDesktop desktop;
  const Layout kept = {{u"Corbeille", 10, 20, 30, 40}};
  Layout layout = kept;
  ULONGLONG start = GetTickCount64();
  EXPECT_EQ(MessageOf([&] { desktop.Common.ReadDesktopLayout(layout); }),
            std::u16string(messages::kDesktopNotFound));
  EXPECT_TRUE(GetTickCount64() - start < 2000);
  EXPECT_TRUE(layout == kept);

  start = GetTickCount64();
  EXPECT_EQ(MessageOf([&] { desktop.Common.ApplyDesktopLayout(layout); }),
            std::u16string(messages::kDesktopNotFound));
  EXPECT_TRUE(GetTickCount64() - start < 2000);
}

}  // namespace icotrace::e2e
