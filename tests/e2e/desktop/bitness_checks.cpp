// A program and a desktop of different bitness: a 64-bit program works with
// a 32-bit desktop; a 32-bit program refuses a 64-bit one and touches nothing.
#include "demo_desktop_process.h"
#include "desktop/desktop_messages.h"
#include "desktop_e2e.h"
#include "e2e_check.h"
#include "e2e_environment.h"

namespace icotrace::e2e {

void OtherBitnessChecks(const DemoPaths& demos) {
  const bool program64 = sizeof(void*) == 8;
  if (demos.Other.empty()) {
    Skip(program64 ? "no 32-bit demo desktop given (argument or ICOTRACE_DEMO_DESKTOP_32)"
                   : "no 64-bit demo desktop given (argument or ICOTRACE_DEMO_DESKTOP_64)");
    return;
  }
  if (!E2E_CHECK(GetFileAttributesW(demos.Other.c_str()) != INVALID_FILE_ATTRIBUTES)) {
    std::printf("   the other demo desktop is missing: %s\n", Utf8(demos.Other).c_str());
    return;
  }
  if (program64) {
    Scenario("the 64-bit program reads and applies a 32-bit desktop", [&] {
      {
        DemoDesktopProcess demo(demos.Other, {});
        const std::vector<demo::DemoItem> truth = demo.Truth();
        E2E_CHECK(truth == DefaultItemsAsHeld(32));
        RealDesktop desktop;
        Layout layout;
        desktop.Common.ReadDesktopLayout(layout);
        CheckSameItems(layout, truth);
      }
      ScrambleAndRestore(demos.Other, {}, L"");
    });
    return;
  }
  Scenario("the 32-bit program refuses a 64-bit desktop and changes nothing", [&] {
    DemoDesktopProcess demo(demos.Other, {});
    const std::vector<demo::DemoItem> before = demo.Truth();
    E2E_CHECK(before == DefaultItemsAsHeld(64));
    RealDesktop desktop;
    const Layout kept = {{u"Corbeille", 400, 400, 0, 0}, {u"Projet", 500, 500, 0, 0}};
    Layout layout = kept;
    E2E_CHECK_EQ(MessageOf([&] { desktop.Common.ReadDesktopLayout(layout); }),
                 std::u16string(messages::kRunThe64BitProgram));
    E2E_CHECK(layout == kept);
    E2E_CHECK_EQ(MessageOf([&] { desktop.Common.ApplyDesktopLayout(layout); }),
                 std::u16string(messages::kRunThe64BitProgram));
    E2E_CHECK(demo.Truth() == before);
  });
}

}  // namespace icotrace::e2e
