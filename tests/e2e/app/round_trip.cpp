#include "round_trip.h"

#include "desktop_places.h"
#include "e2e_environment.h"
#include "e2e_test.h"
#include "expected_layout.h"
#include "person_input.h"

namespace icotrace::e2e {

void KeepScreenshot(const std::wstring& name) {
  // The pointer goes away first, so that no tool tip hides the buttons.
  MoveMouseTo({::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1});
  EXPECT_TRUE(RequestScreenshot(name)) << "screenshot " + Utf8(name);
}

RoundTrip WalkToApply(IcotraceSession& icotrace, const ScratchInstall& install,
                      const DemoDesktopProcess& demo, PictureBook& pictures,
                      const std::wstring& screenshotPrefix) {
  const auto shot = [&](const wchar_t* step) {
    if (!screenshotPrefix.empty()) KeepScreenshot(screenshotPrefix + step);
  };
  RoundTrip walk;
  walk.Original = demo.Truth();
  const std::vector<ExpectedRow> readRows = RowsOfDesktop(walk.Original);

  CheckClick(icotrace, Command::Read, "read");
  CheckNoMessage(icotrace, "read");
  pictures.CheckRows(icotrace, CheckRows(icotrace, readRows, "read"), readRows, true, "read");
  shot(L"-read");
  CheckClick(icotrace, Command::Save, "save");
  CheckNoMessage(icotrace, "save");
  pictures.CheckRows(icotrace, CheckRows(icotrace, readRows, "save"), readRows, true, "save");
  EXPECT_EQ(install.LayoutBytes().value_or("<no file>"), LayoutFileBytes(readRows))
      << "save: every caption written as it stands";

  walk.Scrambled = ScrambleDesktop(demo, "before the load");
  shot(L"-scrambled");
  CheckClick(icotrace, Command::Load, "load");
  CheckNoMessage(icotrace, "load");
  const std::vector<ExpectedRow> loadRows = RowsOfLoad(readRows);
  pictures.CheckRows(icotrace, CheckRows(icotrace, loadRows, "load"), loadRows, true, "load");

  CheckClick(icotrace, Command::Apply, "apply");
  shot(L"-applied");
  return walk;
}

}  // namespace icotrace::e2e
