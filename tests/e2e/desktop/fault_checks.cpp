// A shell that hangs or goes away in the middle of a command: the command
// ends with the French error, quickly, and the program goes on.
#include "demo_desktop_process.h"
#include "demo_protocol.h"
#include "desktop/desktop_messages.h"
#include "desktop_e2e.h"
#include "e2e_check.h"
#include "e2e_environment.h"

namespace icotrace::e2e {

void FaultChecks(const DemoPaths& demos) {
  Scenario("a desktop that stops answering: the French error within the timeout", [&] {
    DemoDesktopProcess demo(demos.Same, {L"--hang-after", L"3"});
    RealDesktop desktop;
    const Layout kept = {{u"Corbeille", 1, 2, 3, 4}};
    Layout layout = kept;
    const ULONGLONG start = GetTickCount64();
    E2E_CHECK_EQ(MessageOf([&] { desktop.Common.ReadDesktopLayout(layout); }),
                 std::u16string(messages::kDesktopNotResponding));
    const ULONGLONG took = GetTickCount64() - start;
    std::printf("   gave up after %llu ms\n", took);
    E2E_CHECK(took < 3 * Win32Api::kMessageTimeoutMs);
    E2E_CHECK(layout == kept);
  });

  Scenario("a desktop that goes away during a read, then during an apply", [&] {
    RealDesktop desktop;
    Layout layout;
    {
      DemoDesktopProcess demo(demos.Same, {L"--exit-after", L"3"});
      E2E_CHECK_EQ(MessageOf([&] { desktop.Common.ReadDesktopLayout(layout); }),
                   std::u16string(messages::kDesktopNotResponding));
      E2E_CHECK(demo.Exited(5000));
      E2E_CHECK_EQ(demo.Stop(), static_cast<DWORD>(demo::kExitShellGone));
      E2E_CHECK(layout.empty());
    }
    {
      DemoDesktopProcess demo(demos.Same, {L"--exit-after", L"2"});
      for (const demo::DemoItem& item : demo.Truth()) {
        layout.push_back({Text16(item.Caption), item.X + 50, item.Y + 50, 0, 0});
      }
      const std::u16string failure = MessageOf([&] { desktop.Common.ApplyDesktopLayout(layout); });
      E2E_CHECK(failure == messages::kDesktopNotResponding ||
                failure == messages::kDesktopNotFound);
      E2E_CHECK(demo.Exited(5000));
    }
    // The same objects work again once a desktop is back.
    DemoDesktopProcess demo(demos.Same, {});
    Layout again;
    E2E_CHECK_EQ(desktop.Common.ReadDesktopLayout(again), 13);
  });
}

}  // namespace icotrace::e2e
