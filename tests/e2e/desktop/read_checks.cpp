// A read of a live demo desktop: every item, in the control's order, with
// the values the demo desktop itself reports.
#include "demo_desktop_process.h"
#include "desktop_e2e.h"
#include "e2e_check.h"
#include "e2e_environment.h"

namespace icotrace::e2e {

void ReadChecks(const DemoPaths& demos) {
  Scenario("a read yields exactly the demo desktop's items, in its order", [&] {
    DemoDesktopProcess demo(demos.Same, {});
    RequestScreenshot(L"desktop-default");
    const std::vector<demo::DemoItem> truth = demo.Truth();
    // The demo desktop holds what it should, or the rest proves little.
    E2E_CHECK(truth == DefaultItemsAsHeld(sizeof(void*) * 8));

    RealDesktop desktop;
    Layout layout(10, DesktopIcon{u"stale", 1, 2, 3, 4});
    const std::int32_t count = desktop.Common.ReadDesktopLayout(layout);
    E2E_CHECK_EQ(count, static_cast<std::int32_t>(truth.size()));
    CheckSameItems(layout, truth);
    if (layout.size() != 13) return;

    E2E_CHECK_EQ(layout[3].Name, std::u16string(u"Reçus et factures à vérifier"));
    E2E_CHECK_EQ(layout[4].Name, std::u16string(u"Notes; idées; brouillons"));
    E2E_CHECK_EQ(layout[7].Name.size(), std::size_t{200});  // whole, past the old 126
    E2E_CHECK(layout[7].Name.ends_with(u"fin"));
    E2E_CHECK_EQ(layout[8].Name, std::u16string(u"Ελληνικά Фото"));
    E2E_CHECK(layout[9].X < 0 && layout[9].Y < 0);
    E2E_CHECK_EQ(layout[10].lParam, static_cast<std::int32_t>(0x9ABCDEF0u));
    E2E_CHECK_EQ(layout[8].lParam, -5);
    E2E_CHECK(layout[5].Name == layout[6].Name && layout[5].Image == layout[6].Image);
    // Nothing of a read moves anything.
    E2E_CHECK(demo.Truth() == truth);
  });

  // The shell's desktop gives its items' names only when its list view asks
  // (LVN_GETDISPINFO): reads and searches then reach the names through it.
  Scenario("captions given on request: read, then apply after a scramble", [&] {
    {
      DemoDesktopProcess demo(demos.Same, {L"--callback-text"});
      const std::vector<demo::DemoItem> truth = demo.Truth();
      E2E_CHECK(truth == DefaultItemsAsHeld(sizeof(void*) * 8));
      RealDesktop desktop;
      Layout layout;
      desktop.Common.ReadDesktopLayout(layout);
      CheckSameItems(layout, truth);
    }
    ScrambleAndRestore(demos.Same, {L"--callback-text"}, L"");
  });

  Scenario("a read of a generated desktop of 1,000 items", [&] {
    DemoDesktopProcess demo(demos.Same, {L"--count", L"1000"});
    const std::vector<demo::DemoItem> truth = demo.Truth();
    RealDesktop desktop;
    Layout layout;
    E2E_CHECK_EQ(desktop.Common.ReadDesktopLayout(layout), 1000);
    CheckSameItems(layout, truth);
  });
}

}  // namespace icotrace::e2e
