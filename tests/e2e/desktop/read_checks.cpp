// A read of a live demo desktop: every item, in the control's order, with
// the values the demo desktop itself reports.
#include "demo_desktop_process.h"
#include "desktop_e2e.h"
#include "e2e_environment.h"
#include "e2e_test.h"

namespace icotrace::e2e {

TEST(DesktopRead, YieldsTheItemsInTheirOrder) {
  DemoDesktopProcess demo(Demos().Same, {});
  RequestScreenshot(L"desktop-default");
  const std::vector<demo::DemoItem> truth = demo.Truth();
  // The demo desktop holds what it should, or the rest proves little.
  EXPECT_TRUE(truth == DefaultItemsAsHeld(sizeof(void*) * 8));

  RealDesktop desktop;
  Layout layout(10, DesktopIcon{u"stale", 1, 2, 3, 4});
  const std::int32_t count = desktop.Common.ReadDesktopLayout(layout);
  EXPECT_EQ(count, static_cast<std::int32_t>(truth.size()));
  CheckSameItems(layout, truth);
  if (layout.size() != 13) return;

  EXPECT_EQ(layout[3].Name, std::u16string(u"Reçus et factures à vérifier"));
  EXPECT_EQ(layout[4].Name, std::u16string(u"Notes; idées; brouillons"));
  EXPECT_EQ(layout[7].Name.size(), std::size_t{200});  // whole, past the old 126
  EXPECT_TRUE(layout[7].Name.ends_with(u"fin"));
  EXPECT_EQ(layout[8].Name, std::u16string(u"Ελληνικά Фото"));
  EXPECT_TRUE(layout[9].X < 0 && layout[9].Y < 0);
  EXPECT_EQ(layout[10].lParam, static_cast<std::int32_t>(0x9ABCDEF0u));
  EXPECT_EQ(layout[8].lParam, -5);
  EXPECT_TRUE(layout[5].Name == layout[6].Name && layout[5].Image == layout[6].Image);
  // Nothing of a read moves anything.
  EXPECT_TRUE(demo.Truth() == truth);
}

// The shell's desktop gives its items' names only when its list view asks
// (LVN_GETDISPINFO): reads and searches then reach the names through it.
TEST(DesktopRead, CaptionsGivenOnRequest) {
  {
    DemoDesktopProcess demo(Demos().Same, {L"--callback-text"});
    const std::vector<demo::DemoItem> truth = demo.Truth();
    EXPECT_TRUE(truth == DefaultItemsAsHeld(sizeof(void*) * 8));
    RealDesktop desktop;
    Layout layout;
    desktop.Common.ReadDesktopLayout(layout);
    CheckSameItems(layout, truth);
  }
  ScrambleAndRestore(Demos().Same, {L"--callback-text"}, L"");
}

TEST(DesktopRead, ThousandItems) {
  DemoDesktopProcess demo(Demos().Same, {L"--count", L"1000"});
  const std::vector<demo::DemoItem> truth = demo.Truth();
  RealDesktop desktop;
  Layout layout;
  EXPECT_EQ(desktop.Common.ReadDesktopLayout(layout), 1000);
  CheckSameItems(layout, truth);
}

}  // namespace icotrace::e2e
