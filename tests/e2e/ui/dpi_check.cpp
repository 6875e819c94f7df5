#include "control_checks.h"
#include "live_windows.h"
#include "person_input.h"
#include "screenshots.h"
#include "window_checks.h"

namespace icotrace::e2e {
namespace {

std::string SizeText(SIZE size) {
  return std::to_string(size.cx) + "x" + std::to_string(size.cy);
}

}  // namespace

void CheckAt144Dpi(Session& session) {
  CheckReport& report = session.Report;
  const SIZE client = ClientSize(session.Main);
  report.Expect(client.cx == 843 && client.cy == 639, "main client area is 843x639 at 144 dpi",
                SizeText(client));
  const std::vector<HWND> top = ChildrenOf(session.Main);
  if (top.size() == 2) {
    report.Expect(BoxIn(top[0], session.Main) == Box{12, 0, 818, 458}, "ListView1 at 144 dpi",
                  Describe(BoxIn(top[0], session.Main)));
    report.Expect(BoxIn(top[1], session.Main) == Box{12, 456, 818, 170}, "Frame1 at 144 dpi",
                  Describe(BoxIn(top[1], session.Main)));
    const std::vector<HWND> buttons = ChildrenOf(top[1]);
    if (buttons.size() == 6)
      report.Expect(BoxIn(buttons[5], top[1]) == Box{672, 24, 134, 134}, "Command5 at 144 dpi",
                    Describe(BoxIn(buttons[5], top[1])));
  }
  report.Expect(TakeScreenshot(L"main-144dpi"), "screenshot main-144dpi");

  const HWND about = OpenAboutBox(session);
  if (!report.Expect(about != nullptr, "the About box opens at 144 dpi")) return;
  const SIZE aboutClient = ClientSize(about);
  report.Expect(aboutClient.cx == 677 && aboutClient.cy == 615,
                "About client area is 677x615 at 144 dpi", SizeText(aboutClient));
  const std::vector<HWND> controls = ChildrenOf(about);
  if (controls.size() == 6)
    report.Expect(BoxIn(controls[2], about) == Box{12, 240, 650, 302}, "Text1 at 144 dpi",
                  Describe(BoxIn(controls[2], about)));
  report.Expect(TakeScreenshot(L"about-144dpi"), "screenshot about-144dpi");
  if (!controls.empty()) ClickAt(CentreOf(controls.front()));
  report.Expect(WaitUntil([&] { return !::IsWindow(about); }, 5000),
                "\"&OK\" closes the About box at 144 dpi");
}

}  // namespace icotrace::e2e
