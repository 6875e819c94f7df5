// A desktop of awkward items taken through read, save, scramble, load and
// apply: one caption four times in several letter cases, captions holding
// ";" (one that looks like a whole line of the file), blanks at both ends,
// digits only, no caption at all, the longest caption a move can send, item
// data at both ends of its range, and places beyond every screen, which an
// apply leaves alone.
#include <string>
#include <vector>

#include "app_checks.h"
#include "app_scenarios.h"
#include "demo_desktop_process.h"
#include "desktop_places.h"
#include "e2e_test.h"
#include "expected_layout.h"
#include "round_trip.h"
#include "scratch_install.h"

namespace icotrace::e2e {
namespace {

std::vector<demo::DemoItem> AwkwardItems() {
  std::wstring longest = L"Long ";
  longest.resize(259, L'x');
  return {
      {L"Projet", 24, 16, 0, 1},
      {L"projet", 24, 116, 1, 2},
      {L"PROJET", 24, 216, 2, 3},
      {L";début", 134, 16, 3, 4},
      {L"fin;", 134, 116, 3, 5},
      {L"a;1;2;3;4", 134, 216, 4, 6},
      {L"  espaces  ", 244, 16, 4, 7},
      {L"123", 244, 116, 5, 8},
      {L"", 244, 216, 5, 9},
      {longest, 354, 16, 6, -2147483647LL - 1},
      {L"Très loin", 1500, 900, 7, 2147483647},
      {L"Très loin aussi", -500, -300, 7, -1},
      {L"Projet", 354, 116, 0, 10},
  };
}

void AwkwardRoundTrip(const AppPaths& paths) {
  const ScratchInstall install(L"awkward", paths.Icotrace);
  DemoDesktopProcess demo(paths.DemoDesktop,
                          {L"--items", WriteItemFile(L"awkward-items.txt", AwkwardItems())});
  EXPECT_TRUE(demo.Truth() == AwkwardItems());
  IcotraceSession icotrace(install.Program());
  PictureBook pictures;
  const RoundTrip walk = WalkToApply(icotrace, install, demo, pictures);
  // The two places beyond every screen are left alone, and named.
  CheckMessage(icotrace,
               {L"2 icônes du bureau n'ont pas été déplacées", L"« Très loin »",
                L"« Très loin aussi »", L"autre disposition des écrans"},
               "apply", {L"n'ont pas pu"});
  // Every other named item back; the one without a caption has no name to be
  // found by, and stays where the scramble put it, as do those two.
  std::vector<demo::DemoItem> expected = walk.Original;
  for (std::size_t i = 0; i < expected.size(); ++i)
    if (expected[i].Caption.empty() || expected[i].X == 1500 || expected[i].X == -500)
      expected[i] = walk.Scrambled[i];
  CheckDesktopPlaces(demo, expected, "apply of the awkward layout");
}

}  // namespace

// awkward items: save, scramble, load, apply
TEST(AppAwkward, AwkwardRoundTrip) {
  AwkwardRoundTrip(Paths());
}

}  // namespace icotrace::e2e
