#include "control_checks.h"

#include <cstdio>

#include "person_input.h"
#include "platform/win/handles.h"

namespace icotrace::e2e {

std::vector<HWND> CheckControls(HWND container, const std::vector<ExpectedControl>& expected) {
  const std::vector<HWND> children = ChildrenOf(container);
  EXPECT_EQ(static_cast<long long>(children.size()), static_cast<long long>(expected.size()))
      << "number of controls in " + Utf8(ClassOf(container));
  for (std::size_t i = 0; i < expected.size() && i < children.size(); ++i) {
    const ExpectedControl& want = expected[i];
    const HWND child = children[i];
    const std::wstring className = ClassOf(child);
    EXPECT_TRUE(_wcsicmp(className.c_str(), want.ClassName.c_str()) == 0)
        << want.Name + " is a " + Utf8(want.ClassName) << " [seen: " << Utf8(className) << "]";
    EXPECT_EQ(U16(TextOf(child)), std::u16string(want.Text)) << want.Name + " reads as designed";
    const Box place = BoxIn(child, container);
    EXPECT_TRUE(place == want.Place)
        << want.Name + " stands at " + Describe(want.Place) << " [seen: " << Describe(place) << "]";
    EXPECT_TRUE((::IsWindowEnabled(child) != FALSE) == want.Enabled)
        << want.Name + (want.Enabled ? " is enabled" : " is disabled");
  }
  return children;
}

int PixelsOfColour(HWND window, COLORREF colour) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return 0;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const WindowDc screen(nullptr);
  const UniqueMemoryDc memory(::CreateCompatibleDC(screen.Get()));
  const UniqueBitmap bitmap(
      ::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return 0;
  const SelectedObject selected(memory.Get(), bitmap.Get());
  ::BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY);
  ::GdiFlush();
  // The section holds 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
  const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  const auto* pixels = static_cast<const DWORD*>(bits);
  int count = 0;
  for (int i = 0; i < width * height; ++i)
    if ((pixels[i] & 0x00FFFFFF) == wanted) ++count;
  return count;
}

std::vector<HWND> TabStops(HWND top) {
  std::vector<HWND> stops;
  for (const HWND child : ChildrenOf(top)) {
    if (!::IsWindowVisible(child)) continue;
    if ((::GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) != 0) stops.push_back(child);
    if ((::GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0) {
      const std::vector<HWND> inner = TabStops(child);
      stops.insert(stops.end(), inner.begin(), inner.end());
    }
  }
  return stops;
}

std::wstring ToolTipOver(HWND window, DWORD processId) {
  // Away first, so that no earlier tip is still up.
  RECT rect{};
  ::GetWindowRect(window, &rect);
  MoveMouseTo({rect.left + 2, rect.bottom + 40});
  // Wine's tool tips may stay up a while after the pointer left their tool;
  // the one read below is then told apart by its text, which the caller checks.
  if (!WaitUntil([&] { return ShownToolTips(processId).empty(); }, 3000))
    std::printf("note: an earlier tool tip is still up\n");
  MoveMouseTo(WindowCentreOf(window));
  MoveMouseTo({WindowCentreOf(window).x + 1, WindowCentreOf(window).y});
  std::wstring text;
  WaitUntil(
      [&] {
        const std::vector<std::wstring> shown = ShownToolTips(processId);
        if (!shown.empty()) text = shown.front();
        return !shown.empty();
      },
      4000);
  return text;
}

}  // namespace icotrace::e2e
