// Icotrace against other kinds of desktop: the shell's own view of a folder
// (names that only differ by their hidden extension or their case, the
// system's pictures), and desktops that do something else with a move than
// take it: a grid the icons snap to, an arrangement that comes back after
// every move, a shell that ignores moves.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "app_checks.h"
#include "app_scenarios.h"
#include "demo_desktop_process.h"
#include "desktop_places.h"
#include "e2e_environment.h"
#include "e2e_test.h"
#include "round_trip.h"
#include "scratch_install.h"
#include "shell_folder.h"

namespace icotrace::e2e {
namespace {

constexpr wchar_t kAutoArrangeWords[] = L"réorganisation automatique";

void ShellViewRoundTrip(const AppPaths& paths) {
  const ShellFolder folder(L"Bureau Icotrace");
  const ScratchInstall install(L"shell-view", paths.Icotrace);
  DemoDesktopProcess demo(paths.DemoDesktop, folder.DemoArguments());
  const std::vector<demo::DemoItem> shown = demo.Truth();
  // "notes.txt", "notes.doc" and the folder "Notes" read as three "notes".
  EXPECT_TRUE(SortedCaptions(shown) == ShellFolder::Captions());
  KeepScreenshot(L"shell-view-desktop");
  IcotraceSession icotrace(install.Program());
  // Every index the shell gave has its picture in the system image list.
  int images = 0;
  for (const demo::DemoItem& item : shown) images = std::max(images, item.Image + 1);
  PictureBook pictures(images);

  const RoundTrip walk = WalkToApply(icotrace, install, demo, pictures, L"shell-view");
  CheckNoMessage(icotrace, "apply");
  // k-th entry of a caption to the k-th item: each "notes" back in its place.
  CheckDesktopPlaces(demo, walk.Original, "apply through the shell's view");
}

// The items an apply left away from their place in original, by caption.
std::vector<std::wstring> Unplaced(const std::vector<demo::DemoItem>& now,
                                   const std::vector<demo::DemoItem>& original) {
  std::vector<std::wstring> captions;
  for (std::size_t i = 0; i < now.size() && i < original.size(); ++i) {
    if (now[i].X != original[i].X || now[i].Y != original[i].Y) captions.push_back(now[i].Caption);
  }
  return captions;
}

LRESULT ExtendedStyle(const DemoDesktopProcess& demo) {
  return SendMessageW(demo.ListView(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
}

void GridRoundTrip(const AppPaths& paths) {
  const ScratchInstall install(L"grid", paths.Icotrace);
  std::vector<std::wstring> arguments = ScenarioDesktopArguments();
  arguments.push_back(L"--snap-to-grid");
  DemoDesktopProcess demo(paths.DemoDesktop, arguments);
  const LRESULT styleBefore = ExtendedStyle(demo);
  EXPECT_TRUE((styleBefore & LVS_EX_SNAPTOGRID) != 0);
  IcotraceSession icotrace(install.Program());
  PictureBook pictures;

  const RoundTrip walk = WalkToApply(icotrace, install, demo, pictures);
  CheckNoMessage(icotrace, "apply on a grid");
  CheckDesktopPlaces(demo, walk.Original, "apply on a grid: every item exactly in place");
  EXPECT_EQ(ExtendedStyle(demo), styleBefore)
      << "apply on a grid: the list view's extended style as before";
}

// After the apply, one message: how many items could not be placed, at
// least one of them by name, and whether the desktop's arrangement is the
// cause.
void UnplacedRoundTrip(const AppPaths& paths, const wchar_t* option, bool autoArrange) {
  const ScratchInstall install(option + 2, paths.Icotrace);
  std::vector<std::wstring> arguments = ScenarioDesktopArguments();
  arguments.push_back(option);
  DemoDesktopProcess demo(paths.DemoDesktop, arguments);
  IcotraceSession icotrace(install.Program());
  PictureBook pictures;

  const RoundTrip walk = WalkToApply(icotrace, install, demo, pictures);
  const std::vector<std::wstring> unplaced = Unplaced(demo.Truth(), walk.Original);
  ASSERT_TRUE(!unplaced.empty());  // the desktop placed everything after all
  const std::string when = "apply with " + Utf8(option);
  std::vector<std::wstring> parts = {std::to_wstring(unplaced.size()), unplaced.front()};
  if (autoArrange) {
    parts.push_back(kAutoArrangeWords);
    CheckMessage(icotrace, parts, when);
  } else {
    CheckMessage(icotrace, parts, when, {kAutoArrangeWords});
  }
}

}  // namespace

// the shell's view of a folder, extensions hidden: save, scramble, load, apply
TEST(AppShellView, ShellViewRoundTrip) {
  ShellViewRoundTrip(Paths());
}

// a desktop that snaps to its grid: every item exactly back, the style kept
TEST(AppDesktopMoves, GridRoundTrip) {
  GridRoundTrip(Paths());
}

// an auto-arranged desktop: one message names what could not be placed and why
TEST(AppDesktopMoves, AutoArrangedDesktop) {
  UnplacedRoundTrip(Paths(), L"--auto-arrange", true);
}

// a shell that ignores moves: one message names what could not be placed
TEST(AppDesktopMoves, ShellThatIgnoresMoves) {
  UnplacedRoundTrip(Paths(), L"--ignore-moves", false);
}

}  // namespace icotrace::e2e
