// The demo desktop itself: item files, its refusals, its keys and the mouse.
#include "demo_desktop_process.h"
#include "demo_protocol.h"
#include "desktop_e2e.h"
#include "e2e_environment.h"
#include "e2e_test.h"

namespace icotrace::e2e {
namespace {

const std::vector<demo::DemoItem> kFileItems = {
    {L"Premier", 30, 40, 0, 1},
    {L"", 130, 40, 1, 2},  // an item without a caption
    {L"Tabulation\tdans la légende", 230, 40, 2, 3},
    {L"日本語のメモ", 330, 40, 3, -7},
    {L"Élément; deux", -5, 600, 7, 0x7FFFFFFF},
};

std::string Utf16File(const std::vector<demo::DemoItem>& items) {
  const std::wstring text = L"# written by hand\r\n\r\n" + [&] {
    std::wstring lines;
    for (const demo::DemoItem& item : items) {
      lines += std::to_wstring(item.X) + L"\t" + std::to_wstring(item.Y) + L"\t" +
               std::to_wstring(item.Image) + L"\t" + std::to_wstring(item.LParam) + L"\t" +
               item.Caption + L"\r\n";
    }
    return lines;
  }();
  std::string bytes = "\xFF\xFE";
  for (const wchar_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

void ReadBackItemFile(const std::wstring& demoPath, const std::string& bytes,
                      const std::wstring& name) {
  const std::wstring path = E2eDirectory() + L"\\" + name;
  WriteFileBytes(path, bytes);
  DemoDesktopProcess demo(demoPath, {L"--items", path});
  EXPECT_TRUE(demo.Truth() == kFileItems);
  RealDesktop desktop;
  Layout layout;
  desktop.Common.ReadDesktopLayout(layout);
  CheckSameItems(layout, kFileItems);
  DeleteFileW(path.c_str());
}

void SendMouse(DWORD flags, POINT at) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  SendInput(1, &input, sizeof input);
  Sleep(40);
}

}  // namespace

TEST(DemoDesktop, ItemsFromAUtf16File) {
  ReadBackItemFile(Demos().Same, Utf16File(kFileItems), L"items-utf16.txt");
}
TEST(DemoDesktop, ItemsFromAUtf8File) {
  ReadBackItemFile(Demos().Same, demo::FormatItemFile(kFileItems), L"items-utf8.txt");
}

TEST(DemoDesktop, HexadecimalItemData) {
  const std::wstring path = E2eDirectory() + L"\\items-hex.txt";
  WriteFileBytes(path,
                 "\xEF\xBB\xBF"
                 "5\t6\t7\t0x8000000000000001\tHexadécimal\n");
  DemoDesktopProcess demo(Demos().Same, {L"--items", path});
  const std::int64_t held = sizeof(void*) == 8 ? static_cast<std::int64_t>(0x8000000000000001u) : 1;
  const std::vector<demo::DemoItem> expected = {{L"Hexadécimal", 5, 6, 7, held}};
  EXPECT_TRUE(demo.Truth() == expected);
  RealDesktop desktop;
  Layout layout;
  desktop.Common.ReadDesktopLayout(layout);
  EXPECT_TRUE(layout.size() == 1 && layout[0].lParam == 1);
  DeleteFileW(path.c_str());
}

TEST(DemoDesktop, WithoutItems) {
  const std::wstring path = E2eDirectory() + L"\\items-none.txt";
  WriteFileBytes(path, "# nothing on this desktop\n");
  DemoDesktopProcess demo(Demos().Same, {L"--items", path});
  RealDesktop desktop;
  Layout layout(3, DesktopIcon{u"stale", 1, 2, 3, 4});
  EXPECT_EQ(desktop.Common.ReadDesktopLayout(layout), 0);
  EXPECT_TRUE(layout.empty());
  desktop.Common.ApplyDesktopLayout({{u"Corbeille", 10, 10, 0, 0}});
  EXPECT_TRUE(demo.Truth().empty());
  DeleteFileW(path.c_str());
}

TEST(DemoDesktop, RefusesBadArguments) {
  const std::wstring bad = E2eDirectory() + L"\\items-bad.txt";
  WriteFileBytes(bad, "10\t20\tune image\t0\tLégende\n");
  for (const std::vector<std::wstring>& arguments : std::vector<std::vector<std::wstring>>{
           {L"--items", bad}, {L"--count", L"beaucoup"}, {L"--inconnue"}}) {
    const ExitResult result = RunDemoDesktopToExit(Demos().Same, arguments, 10000);
    EXPECT_TRUE(result.Exited);
    EXPECT_EQ(result.Code, static_cast<DWORD>(demo::kExitBadArguments));
  }
  DeleteFileW(bad.c_str());
}

TEST(DemoDesktop, RefusesASecondOne) {
  DemoDesktopProcess first(Demos().Same, {});
  const ExitResult second = RunDemoDesktopToExit(Demos().Same, {}, 10000);
  EXPECT_TRUE(second.Exited);
  EXPECT_EQ(second.Code, static_cast<DWORD>(demo::kExitAnotherDesktop));
  EXPECT_TRUE(IsWindow(first.Progman()) && !first.Exited(0));
}

TEST(DemoDesktop, KeysScrambleAndRestore) {
  DemoDesktopProcess demo(Demos().Same, {});
  const std::vector<demo::DemoItem> start = demo.Truth();
  HWND list = demo.ListView();
  SendMessageW(list, WM_KEYDOWN, 'M', 0);
  std::size_t moved = 0;
  const std::vector<demo::DemoItem> scrambled = demo.Truth();
  for (std::size_t i = 0; i < start.size() && i < scrambled.size(); ++i) {
    if (scrambled[i].X != start[i].X || scrambled[i].Y != start[i].Y) ++moved;
  }
  EXPECT_EQ(moved, start.size());
  SendMessageW(list, WM_KEYDOWN, 'R', 0);
  CheckPositions(demo.Truth(), start);
}

TEST(DemoDesktop, DraggedIconLandsWhereDropped) {
  DemoDesktopProcess demo(Demos().Same, {});
  std::vector<demo::DemoItem> expected = demo.Truth();
  HWND list = demo.ListView();
  SetForegroundWindow(demo.Progman());
  POINT from{expected[0].X + 16, expected[0].Y + 16};  // on the icon of "Corbeille"
  ClientToScreen(list, &from);
  SendMouse(0, from);
  SendMouse(MOUSEEVENTF_LEFTDOWN, from);
  for (int step = 1; step <= 10; ++step) {
    SendMouse(0, {from.x + 20 * step, from.y + 15 * step});
  }
  SendMouse(MOUSEEVENTF_LEFTUP, {from.x + 200, from.y + 150});
  expected[0].X += 200;
  expected[0].Y += 150;
  EXPECT_TRUE(WaitUntil([&] { return demo.Truth() == expected; }, 5000))
      << "the dropped icon did not land in time";
  CheckPositions(demo.Truth(), expected);
}

}  // namespace icotrace::e2e
