#include "control_checks.h"
#include "e2e_environment.h"
#include "live_windows.h"
#include "person_input.h"
#include "remote_header.h"
#include "remote_memory.h"
#include "window_checks.h"

namespace icotrace::e2e {
namespace {

std::string SizeText(SIZE size) {
  return std::to_string(size.cx) + "x" + std::to_string(size.cy);
}

// What the system sends when the window reaches a screen of another DPI; the
// suggested rectangle lives in the window's own process.
bool SendDpiChange(HWND window, UINT dpi) {
  RECT suggested{};
  ::GetWindowRect(window, &suggested);
  RemoteMemory memory(window);
  BYTE* block = memory.Lend(sizeof suggested);
  if (block == nullptr || !memory.Write(block, &suggested, sizeof suggested)) return false;
  ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(block));
  return true;
}

}  // namespace

void CheckDpiChange(Session& session) {
  const std::vector<HWND> top = ChildrenOf(session.Main);
  ASSERT_TRUE(top.size() == 2 && SendDpiChange(session.Main, 144))
      << "the main window is told of a 144 dpi screen";
  EXPECT_TRUE(ClientSize(session.Main).cx == 843 && ClientSize(session.Main).cy == 639)
      << "after the change the client area is 843x639"
      << " [seen: " << SizeText(ClientSize(session.Main)) << "]";
  EXPECT_TRUE((BoxIn(top[0], session.Main) == Box{12, 0, 818, 458}))
      << "after the change ListView1 is laid out again"
      << " [seen: " << Describe(BoxIn(top[0], session.Main)) << "]";
  const std::vector<HWND> buttons = ChildrenOf(top[1]);
  if (buttons.size() == 6) {
    EXPECT_TRUE((BoxIn(buttons[0], top[1]) == Box{12, 24, 134, 134}))
        << "after the change Command1 is laid out again"
        << " [seen: " << Describe(BoxIn(buttons[0], top[1])) << "]";
  }
  const std::vector<HeaderColumn> columns = ReadHeaderColumns(top[0]);
  EXPECT_TRUE(columns.size() == 4 && columns[0].Width == 366 && columns[3].Width == 144)
      << "after the change the columns are half as wide again";
  EXPECT_TRUE(RequestScreenshot(L"main-dpi-changed-144dpi"))
      << "screenshot main-dpi-changed-144dpi";

  SendDpiChange(session.Main, 96);
  EXPECT_TRUE(ClientSize(session.Main).cx == 562 && ClientSize(session.Main).cy == 426)
      << "back at 96 dpi the client area is 562x426 again"
      << " [seen: " << SizeText(ClientSize(session.Main)) << "]";
  EXPECT_TRUE((BoxIn(top[0], session.Main) == Box{8, 0, 545, 305}))
      << "back at 96 dpi ListView1 is where it was";
}

void CheckAt144Dpi(Session& session) {
  const SIZE client = ClientSize(session.Main);
  EXPECT_TRUE(client.cx == 843 && client.cy == 639) << "main client area is 843x639 at 144 dpi"
                                                    << " [seen: " << SizeText(client) << "]";
  const std::vector<HWND> top = ChildrenOf(session.Main);
  if (top.size() == 2) {
    EXPECT_TRUE((BoxIn(top[0], session.Main) == Box{12, 0, 818, 458}))
        << "ListView1 at 144 dpi"
        << " [seen: " << Describe(BoxIn(top[0], session.Main)) << "]";
    EXPECT_TRUE((BoxIn(top[1], session.Main) == Box{12, 456, 818, 170}))
        << "Frame1 at 144 dpi"
        << " [seen: " << Describe(BoxIn(top[1], session.Main)) << "]";
    const std::vector<HWND> buttons = ChildrenOf(top[1]);
    if (buttons.size() == 6) {
      EXPECT_TRUE((BoxIn(buttons[5], top[1]) == Box{672, 24, 134, 134}))
          << "Command5 at 144 dpi"
          << " [seen: " << Describe(BoxIn(buttons[5], top[1])) << "]";
    }
  }
  EXPECT_TRUE(RequestScreenshot(L"main-144dpi")) << "screenshot main-144dpi";

  const HWND about = OpenAboutBox(session);
  ASSERT_TRUE(about != nullptr) << "the About box opens at 144 dpi";
  const SIZE aboutClient = ClientSize(about);
  EXPECT_TRUE(aboutClient.cx == 677 && aboutClient.cy == 615)
      << "About client area is 677x615 at 144 dpi"
      << " [seen: " << SizeText(aboutClient) << "]";
  const std::vector<HWND> controls = ChildrenOf(about);
  if (controls.size() == 6) {
    EXPECT_TRUE((BoxIn(controls[2], about) == Box{12, 240, 650, 302}))
        << "Text1 at 144 dpi"
        << " [seen: " << Describe(BoxIn(controls[2], about)) << "]";
  }
  EXPECT_TRUE(RequestScreenshot(L"about-144dpi")) << "screenshot about-144dpi";
  if (!controls.empty()) ClickAt(WindowCentreOf(controls.front()));
  EXPECT_TRUE((WaitUntil([&] { return !::IsWindow(about); }, 5000)))
      << "\"&OK\" closes the About box at 144 dpi";
}

}  // namespace icotrace::e2e
