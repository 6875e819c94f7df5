// An apply on a live demo desktop, verified through the demo desktop's own
// account of its items, never through a read of the code under test.
#include <cstdio>

#include "demo_desktop_process.h"
#include "desktop/item_matching.h"
#include "desktop_e2e.h"
#include "e2e_environment.h"
#include "e2e_test.h"

namespace icotrace::e2e {
namespace {

// Every item stands somewhere else than before.
void CheckAllMoved(const std::vector<demo::DemoItem>& now,
                   const std::vector<demo::DemoItem>& before) {
  ASSERT_EQ(now.size(), before.size());
  std::size_t unmoved = 0;
  for (std::size_t i = 0; i < now.size(); ++i) {
    if (now[i].X == before[i].X && now[i].Y == before[i].Y) ++unmoved;
  }
  EXPECT_EQ(unmoved, std::size_t{0});
}

}  // namespace

void ScrambleAndRestore(const std::wstring& demoPath, const std::vector<std::wstring>& arguments,
                        const std::wstring& screenshotPrefix) {
  DemoDesktopProcess demo(demoPath, arguments);
  const std::vector<demo::DemoItem> original = demo.Truth();
  RealDesktop desktop;
  Layout layout;
  desktop.Common.ReadDesktopLayout(layout);

  EXPECT_EQ(demo.Scramble(), static_cast<std::int32_t>(original.size()));
  CheckAllMoved(demo.Truth(), original);
  if (!screenshotPrefix.empty()) RequestScreenshot(screenshotPrefix + L"-scrambled");

  // Nothing to tell: every item lands, and no folder view undoes these moves.
  EXPECT_TRUE(desktop.Common.ApplyDesktopLayout(layout) == ApplyReport{});
  const std::vector<demo::DemoItem> restored = demo.Truth();
  CheckPositions(restored, original);
  EXPECT_TRUE(restored == original);  // captions, images and item data untouched too
  if (!screenshotPrefix.empty()) RequestScreenshot(screenshotPrefix + L"-restored");
}

TEST(DesktopApply, PutsEveryItemBackAfterAScramble) {
  ScrambleAndRestore(Demos().Same, {}, L"desktop");
}

// More than two bursts: the two halves of the burst region take turns.
TEST(DesktopApply, PutsBackEveryOneOf2500ScrambledItems) {
  std::vector<demo::DemoItem> items;
  for (int i = 0; i < 2500; ++i)
    items.push_back({L"Élément " + std::to_wstring(i), 8 + 24 * (i % 50), 8 + 14 * (i / 50), 0, 0});
  const std::wstring path = E2eDirectory() + L"\\many-items.txt";
  WriteFileBytes(path, demo::FormatItemFile(items));
  ScrambleAndRestore(Demos().Same, {L"--items", path}, L"desktop-2500");
}

TEST(DesktopApply, MatchesWholeCaptionsKthToKth) {
  DemoDesktopProcess demo(Demos().Same, {});
  std::vector<demo::DemoItem> expected = demo.Truth();
  ASSERT_EQ(expected.size(), std::size_t{13});
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
}

// The apply matches inside the program; it must find exactly what the
// control's own whole-caption search (LVM_FINDITEMW) finds, in any script.
TEST(DesktopApply, MatchingAgreesWithTheControlsSearch) {
  const std::vector<std::wstring> captions = {
      L"\xFF21\xFF22\xFF23",  // full-width Latin ABC
      L"\x01C4\x0243",        // Latin Extended-B: DŽ, B with stroke
      L"\x0531\x0532",        // Armenian capitals
      L"\x10A0\x10A1",        // Georgian Asomtavruli
      L"\x10D0\x10D1",        // Georgian Mkhedruli
      L"\x0130stanbul",       // Turkish dotted capital I
      L"d\x0131r",            // Turkish dotless small i
      L"Dossier"};
  const std::vector<std::u16string> probes = {u"\xFF41\xFF42\xFF43",
                                              u"\xFF21\xFF22\xFF23",
                                              u"\x01C6\x0180",
                                              u"\x01C5\x0243",
                                              u"\x0561\x0562",
                                              u"\x2D00\x2D01",
                                              u"\x1C90\x1C91",
                                              u"istanbul",
                                              u"Istanbul",
                                              u"\x0130STANBUL",
                                              u"dir",
                                              u"DIR",
                                              u"D\x0131R",
                                              u"dossier",
                                              u"DOSSIER",
                                              u"Dossier ",
                                              u"Dossie"};
  std::vector<demo::DemoItem> items;
  std::vector<std::u16string> names;
  for (std::size_t i = 0; i < captions.size(); ++i) {
    items.push_back({captions[i], 40 + 90 * static_cast<int>(i), 40, 0, 0});
    names.push_back(Text16(captions[i]));
  }
  const std::wstring path = E2eDirectory() + L"\\scripts-items.txt";
  WriteFileBytes(path, demo::FormatItemFile(items));
  DemoDesktopProcess demo(Demos().Same, {L"--items", path});
  RealDesktop desktop;
  desktop.Common.LocateDesktopListView();
  desktop.Common.OpenExchangeArea();
  for (const std::u16string& probe : probes) {
    const std::int32_t searched = desktop.Common.MoveDesktopIcon(probe, {40, 40});
    const auto matched = MatchEntriesToItems(desktop.Api, {{probe, 0, 0, 0, 0}}, names)[0];
    const std::int32_t ours = matched ? static_cast<std::int32_t>(*matched) : -1;
    EXPECT_EQ(ours, searched);
    if (ours != searched) std::printf("  differs for %s\n", Utf8(probe).c_str());
  }
  desktop.Common.CloseExchangeArea();
  DeleteFileW(path.c_str());
}

TEST(DesktopApply, EmptyLayoutChangesNothing) {
  DemoDesktopProcess demo(Demos().Same, {});
  const std::vector<demo::DemoItem> before = demo.Truth();
  RealDesktop desktop;
  desktop.Common.ApplyDesktopLayout(Layout{});
  CheckPositions(demo.Truth(), before);
}

}  // namespace icotrace::e2e
