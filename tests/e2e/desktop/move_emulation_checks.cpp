// The demo desktop's emulations of what a real desktop does with a move
// (--snap-to-grid, --auto-arrange, --ignore-moves), on its own list view and
// on the shell's: moves sent and posted from here, and the applies of the
// desktop access, which hold snapping off and tell what they could not place.
#include <windows.h>
#include <commctrl.h>

#include "demo_desktop_process.h"
#include "desktop_e2e.h"
#include "e2e_environment.h"
#include "e2e_test.h"
#include "shell_folder.h"

namespace icotrace::e2e {
namespace {

const std::vector<demo::DemoItem> kItems = {
    {L"Un", 30, 40, 0, 1},
    {L"Deux", 30, 140, 1, 2},
    {L"Trois", 130, 40, 2, 3},
    {L"Quatre", 130, 140, 3, 4},
};

SIZE Spacing(HWND list) {
  const auto spacing = static_cast<DWORD>(SendMessageW(list, LVM_GETITEMSPACING, FALSE, 0));
  return {LOWORD(spacing), HIWORD(spacing)};
}

// The point of a grid cell.
POINT Cell(HWND list, LONG column, LONG row) {
  const SIZE spacing = Spacing(list);
  return {column * spacing.cx, row * spacing.cy};
}

POINT Offset(POINT at, LONG dx, LONG dy) {
  return {at.x + dx, at.y + dy};
}

LRESULT SendMove(HWND list, int item, POINT at) {
  return SendMessageW(list, LVM_SETITEMPOSITION, static_cast<WPARAM>(item), MAKELPARAM(at.x, at.y));
}

bool StandsAt(const demo::DemoItem& item, POINT at) {
  return item.X == at.x && item.Y == at.y;
}

std::string Place(const demo::DemoItem& item) {
  return std::to_string(item.X) + "," + std::to_string(item.Y);
}

void CheckStandsAt(const DemoDesktopProcess& demo, std::size_t item, POINT at,
                   const std::string& what) {
  const std::vector<demo::DemoItem> now = demo.Truth();
  ASSERT_TRUE(item < now.size());
  EXPECT_TRUE(StandsAt(now[item], at))
      << what << ": stands at " << Place(now[item]) << ", not " << at.x << "," << at.y;
}

// An apply of those items to those places through the desktop access.
ApplyReport ApplyThrough(const std::vector<demo::DemoItem>& items,
                         const std::vector<POINT>& places) {
  Layout layout;
  for (std::size_t i = 0; i < items.size() && i < places.size(); ++i) {
    layout.push_back({Text16(items[i].Caption), places[i].x, places[i].y, 0, 0});
  }
  RealDesktop desktop;
  return desktop.Common.ApplyDesktopLayout(layout);
}

// The scramble is the demo desktop's own work: it scrambles whatever the
// emulation.
void CheckScrambleScrambles(const DemoDesktopProcess& demo) {
  const std::vector<demo::DemoItem> before = demo.Truth();
  EXPECT_EQ(demo.Scramble(), static_cast<std::int32_t>(before.size()));
  const std::vector<demo::DemoItem> after = demo.Truth();
  std::size_t unmoved = 0;
  for (std::size_t i = 0; i < after.size() && i < before.size(); ++i) {
    if (after[i].X == before[i].X && after[i].Y == before[i].Y) ++unmoved;
  }
  EXPECT_EQ(unmoved, std::size_t{0});
}

void SnapToGrid(const DemoDesktopProcess& demo) {
  const HWND list = demo.ListView();
  const auto extended = [&] { return SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0); };
  EXPECT_TRUE((extended() & LVS_EX_SNAPTOGRID) != 0);
  const std::vector<demo::DemoItem> start = demo.Truth();
  ASSERT_TRUE(start.size() >= 3);

  SendMove(list, 0, Offset(Cell(list, 3, 6), 20, 0));
  CheckStandsAt(demo, 0, Cell(list, 3, 6), "a move lands on the nearest cell");
  SendMove(list, 1, Offset(Cell(list, 3, 6), 20, 5));
  CheckStandsAt(demo, 1, Cell(list, 4, 6), "a move to a taken cell lands on the nearest free one");
  PostMessageW(list, LVM_SETITEMPOSITION, 2,
               MAKELPARAM(Cell(list, 5, 8).x - 3, Cell(list, 5, 8).y + 4));
  EXPECT_TRUE(WaitUntil([&] { return StandsAt(demo.Truth()[2], Cell(list, 5, 8)); }, 5000))
      << "a posted move snaps too";
  CheckStandsAt(demo, 2, Cell(list, 5, 8), "a posted move snaps too");

  // One by one with snapping on: the second item finds its cell taken by the
  // first and lands beside.
  SendMove(list, 0, Offset(Cell(list, 7, 2), 3, 3));
  SendMove(list, 1, Offset(Cell(list, 7, 2), 10, 2));
  CheckStandsAt(demo, 0, Cell(list, 7, 2), "the first move snaps");
  CheckStandsAt(demo, 1, Cell(list, 8, 2), "the second move lands beside the first");

  // The desktop access holds snapping off for its moves, and gives it back.
  const LRESULT before = extended();
  EXPECT_TRUE(ApplyThrough(start, {Offset(Cell(list, 7, 2), 3, 3), Offset(Cell(list, 7, 2), 10, 2)})
                  .Unplaced.empty());
  CheckStandsAt(demo, 0, Offset(Cell(list, 7, 2), 3, 3), "an apply lands exactly");
  CheckStandsAt(demo, 1, Offset(Cell(list, 7, 2), 10, 2), "an apply lands exactly");
  EXPECT_EQ(extended(), before);
  CheckScrambleScrambles(demo);
}

void AutoArrange(const DemoDesktopProcess& demo) {
  const HWND list = demo.ListView();
  EXPECT_TRUE((GetWindowLongPtrW(list, GWL_STYLE) & LVS_AUTOARRANGE) != 0);
  const std::vector<demo::DemoItem> start = demo.Truth();
  ASSERT_TRUE(!start.empty());
  RECT client{};
  GetClientRect(list, &client);
  const LONG rows = std::max<LONG>(1, client.bottom / Spacing(list).cy);
  const auto checkArranged = [&](const std::string& when) {
    const std::vector<demo::DemoItem> now = demo.Truth();
    for (std::size_t i = 0; i < now.size(); ++i) {
      const auto index = static_cast<LONG>(i);
      const POINT slot = Cell(list, index / rows, index % rows);
      EXPECT_TRUE(StandsAt(now[i], slot))
          << when << ": item " << i << " arranged, stands at " << Place(now[i]);
    }
  };
  SendMove(list, static_cast<int>(start.size() - 1), {600, 500});
  checkArranged("after a move");
  CheckScrambleScrambles(demo);
  // Arranged again (Wine's list view arranges by itself when its drawing comes
  // back): the apply says so, and why.
  const ApplyReport report = ApplyThrough(start, {{start[0].X + 7, start[0].Y + 301}});
  EXPECT_TRUE(report.AutoArrange);
  EXPECT_EQ(report.Unplaced.size(), std::size_t{1});
}

void IgnoreMoves(const DemoDesktopProcess& demo) {
  const HWND list = demo.ListView();
  const std::vector<demo::DemoItem> start = demo.Truth();
  ASSERT_TRUE(!start.empty());
  EXPECT_TRUE(SendMove(list, 0, {600, 500}) != 0);  // answered as done
  const ApplyReport report = ApplyThrough(start, {{700, 400}});
  CheckPositions(demo.Truth(), start);
  EXPECT_EQ(report.Unplaced.size(), std::size_t{1});
  EXPECT_TRUE(!report.AutoArrange);
  CheckScrambleScrambles(demo);
}

// A demo desktop with the switch, with our own list view or with the
// shell's view of a folder.
std::wstring ItemFile() {
  const std::wstring path = E2eDirectory() + L"\\items-moves.txt";
  WriteFileBytes(path, demo::FormatItemFile(kItems));
  return path;
}

// Runs check on a demo desktop with the switch, once with our own list view
// and once with the shell's view of a folder.
void OnBothViews(const wchar_t* option, void (*check)(const DemoDesktopProcess&)) {
  {
    SCOPED_TRACE("own list view");
    DemoDesktopProcess demo(Demos().Same, {L"--items", ItemFile(), option});
    check(demo);
  }
  SCOPED_TRACE("the shell's view");
  const ShellFolder folder(L"Bureau Icotrace");
  std::vector<std::wstring> arguments = folder.DemoArguments();
  arguments.push_back(option);
  DemoDesktopProcess demo(Demos().Same, arguments);
  check(demo);
}

}  // namespace

// Moves snap while the bit is set.
TEST(DesktopMoveEmulations, SnapToGrid) {
  OnBothViews(L"--snap-to-grid", SnapToGrid);
}
// Every move arranges the desktop again.
TEST(DesktopMoveEmulations, AutoArrange) {
  OnBothViews(L"--auto-arrange", AutoArrange);
}
// Moves are answered and nothing moves.
TEST(DesktopMoveEmulations, IgnoreMoves) {
  OnBothViews(L"--ignore-moves", IgnoreMoves);
}

TEST(DesktopMoveEmulations, WithoutASwitchAMoveLandsExactly) {
  DemoDesktopProcess demo(Demos().Same, {L"--items", ItemFile()});
  const HWND list = demo.ListView();
  EXPECT_TRUE((GetWindowLongPtrW(list, GWL_STYLE) & LVS_AUTOARRANGE) == 0);
  EXPECT_TRUE((SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_SNAPTOGRID) == 0);
  std::vector<demo::DemoItem> expected = kItems;
  SendMove(list, 1, {kItems[0].X + 3, kItems[0].Y + 2});  // near an item, off any grid
  expected[1].X = kItems[0].X + 3;
  expected[1].Y = kItems[0].Y + 2;
  CheckPositions(demo.Truth(), expected);
}

}  // namespace icotrace::e2e
