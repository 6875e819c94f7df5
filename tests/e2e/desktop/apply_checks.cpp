// An apply on a live demo desktop, verified through the demo desktop's own
// account of its items, never through a read of the code under test.
#include "demo_desktop_process.h"
#include "desktop_e2e.h"
#include "e2e_check.h"
#include "e2e_environment.h"

namespace icotrace::e2e {
namespace {

// Every item stands somewhere else than before.
void CheckAllMoved(const std::vector<demo::DemoItem>& now,
                   const std::vector<demo::DemoItem>& before) {
  if (!E2E_CHECK_EQ(now.size(), before.size())) return;
  std::size_t unmoved = 0;
  for (std::size_t i = 0; i < now.size(); ++i) {
    if (now[i].X == before[i].X && now[i].Y == before[i].Y) ++unmoved;
  }
  E2E_CHECK_EQ(unmoved, std::size_t{0});
}

}  // namespace

void ScrambleAndRestore(const std::wstring& demoPath, const std::vector<std::wstring>& arguments,
                        const std::wstring& screenshotPrefix) {
  DemoDesktopProcess demo(demoPath, arguments);
  const std::vector<demo::DemoItem> original = demo.Truth();
  RealDesktop desktop;
  Layout layout;
  desktop.Common.ReadDesktopLayout(layout);

  E2E_CHECK_EQ(demo.Scramble(), static_cast<std::int32_t>(original.size()));
  CheckAllMoved(demo.Truth(), original);
  if (!screenshotPrefix.empty()) RequestScreenshot(screenshotPrefix + L"-scrambled");

  desktop.Common.ApplyDesktopLayout(layout);
  const std::vector<demo::DemoItem> restored = demo.Truth();
  CheckPositions(restored, original);
  E2E_CHECK(restored == original);  // captions, images and item data untouched too
  if (!screenshotPrefix.empty()) RequestScreenshot(screenshotPrefix + L"-restored");
}

void ApplyChecks(const DemoPaths& demos) {
  Scenario("after a scramble, an apply of the earlier read puts every item back",
           [&] { ScrambleAndRestore(demos.Same, {}, L"desktop"); });

  Scenario("an apply matches whole captions without regard to case, k-th to k-th", [&] {
    DemoDesktopProcess demo(demos.Same, {});
    std::vector<demo::DemoItem> expected = demo.Truth();
    if (!E2E_CHECK_EQ(expected.size(), std::size_t{13})) return;
    const Layout layout = {
        {u"CORBEILLE", 500, 300, 0, 0},
        {u"Inexistant", 10, 10, 0, 0},                  // no such item: passed over
        {u"", 20, 20, 0, 0},                            // stands for no item
        {u"Corb", 30, 30, 0, 0},                        // only the start of a caption
        {std::u16string(300, u'x'), 40, 40, 0, 0},      // longer than any caption can be
        {u"Projet", 600, 110, 0, 0},                    // the first "Projet"
        {u"projet", 700, 120, 0, 0},                    // the second one
        {u"Projet", 800, 130, 0, 0},                    // there is no third
        {Text16(expected[7].Caption), 900, 140, 0, 0},  // 200 characters, sent whole
        {u"Raccourci à moitié caché", -40, -20, 0, 0},  // back to negative places
    };
    RealDesktop desktop;
    desktop.Common.ApplyDesktopLayout(layout);
    expected[0].X = 500, expected[0].Y = 300;
    expected[5].X = 600, expected[5].Y = 110;
    expected[6].X = 700, expected[6].Y = 120;
    expected[7].X = 900, expected[7].Y = 140;
    expected[9].X = -40, expected[9].Y = -20;
    CheckPositions(demo.Truth(), expected);
  });

  Scenario("an apply of an empty layout changes nothing", [&] {
    DemoDesktopProcess demo(demos.Same, {});
    const std::vector<demo::DemoItem> before = demo.Truth();
    RealDesktop desktop;
    desktop.Common.ApplyDesktopLayout(Layout{});
    CheckPositions(demo.Truth(), before);
  });
}

}  // namespace icotrace::e2e
