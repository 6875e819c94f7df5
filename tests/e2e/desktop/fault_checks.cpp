// A shell that hangs or goes away in the middle of a command: the command
// ends with the French error, quickly, and the program goes on.
#include "demo_desktop_process.h"
#include "demo_protocol.h"
#include "desktop/desktop_messages.h"
#include "desktop_e2e.h"
#include "e2e_environment.h"
#include "e2e_test.h"

namespace icotrace::e2e {

TEST(DesktopFaults, StopsAnswering) {
  DemoDesktopProcess demo(Demos().Same, {L"--hang-after", L"3"});
  RealDesktop desktop;
  const Layout kept = {{u"Corbeille", 1, 2, 3, 4}};
  Layout layout = kept;
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(MessageOf([&] { desktop.Common.ReadDesktopLayout(layout); }),
            std::u16string(messages::kDesktopNotResponding));
  const ULONGLONG took = GetTickCount64() - start;
  std::printf("   gave up after %llu ms\n", took);
  EXPECT_TRUE(took < 3 * Win32Api::kMessageTimeoutMs);
  EXPECT_TRUE(layout == kept);
}

TEST(DesktopFaults, GoesAwayDuringReadThenApply) {
  RealDesktop desktop;
  Layout layout;
  {
    DemoDesktopProcess demo(Demos().Same, {L"--exit-after", L"3"});
    EXPECT_EQ(MessageOf([&] { desktop.Common.ReadDesktopLayout(layout); }),
              std::u16string(messages::kDesktopNotResponding));
    EXPECT_TRUE(demo.Exited(5000));
    EXPECT_EQ(demo.Stop(), static_cast<DWORD>(demo::kExitShellGone));
    EXPECT_TRUE(layout.empty());
  }
  {
    DemoDesktopProcess demo(Demos().Same, {L"--exit-after", L"2"});
    for (const demo::DemoItem& item : demo.Truth()) {
      layout.push_back({Text16(item.Caption), item.X + 50, item.Y + 50, 0, 0});
    }
    const std::u16string failure = MessageOf([&] { desktop.Common.ApplyDesktopLayout(layout); });
    EXPECT_TRUE(failure == messages::kDesktopNotResponding ||
                failure == messages::kDesktopNotFound);
    EXPECT_TRUE(demo.Exited(5000));
  }
  // The same objects work again once a desktop is back.
  DemoDesktopProcess demo(Demos().Same, {});
  Layout again;
  EXPECT_EQ(desktop.Common.ReadDesktopLayout(again), 13);
}

}  // namespace icotrace::e2e
