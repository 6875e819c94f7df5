// Starting with a layout file beside the program: load is offered at once,
// and the load alone fetches the pictures it needs, the empty row's too.
#include "app_checks.h"
#include "app_scenarios.h"
#include "demo_desktop_process.h"
#include "desktop_places.h"
#include "e2e_environment.h"
#include "e2e_test.h"
#include "scratch_install.h"

namespace icotrace::e2e {
namespace {

// Two entries of one caption, an image index the desktop items do not use
// (5) and none of image 0: the empty row alone needs the picture of index 0.
std::vector<ExpectedRow> FileEntries() {
  return {
      {L"Documents", 300, 200, 3, 2},
      {L"Projet", 310, 210, 5, 3},
      {L"Projet", 320, 220, -6, 3},
      {L"Inconnu du bureau", 330, 230, 0, 5},
  };
}

// The places after an apply of FileEntries(): the k-th entry of a caption
// moves the k-th item of that caption; a name no item bears is passed over.
std::vector<demo::DemoItem> PlacedByFile(std::vector<demo::DemoItem> items) {
  const std::vector<ExpectedRow> entries = FileEntries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::size_t rank = 0;
    for (std::size_t j = 0; j < i; ++j) rank += entries[j].Caption == entries[i].Caption;
    for (demo::DemoItem& item : items) {
      if (item.Caption != entries[i].Caption || rank-- != 0) continue;
      item.X = entries[i].X;
      item.Y = entries[i].Y;
      break;
    }
  }
  return items;
}

void LoadFirst(const AppPaths& paths) {
  const ScratchInstall install(L"file-at-start", paths.Icotrace);
  const std::string fileBytes = LayoutFileBytes(FileEntries());
  DemoDesktopProcess demo(paths.DemoDesktop, ScenarioDesktopArguments());
  const std::vector<demo::DemoItem> original = demo.Truth();
  const auto started = StartWithLayoutFile(install, fileBytes);
  IcotraceSession& icotrace = *started;
  PictureBook pictures;

  EXPECT_TRUE(ReadRows(icotrace.ListView()).empty());

  const std::vector<ExpectedRow> loadRows = RowsOfLoad(FileEntries());
  CheckClick(icotrace, Command::Load, "first load");
  CheckNoMessage(icotrace, "first load");
  pictures.CheckRows(icotrace, CheckRows(icotrace, loadRows, "first load"), loadRows, true,
                     "first load");
  CheckButtons(icotrace, Offered(true, true, true), "after the first load");

  CheckClick(icotrace, Command::Apply, "apply of the file");
  CheckNoMessage(icotrace, "apply of the file");
  CheckDesktopPlaces(demo, PlacedByFile(original), "apply of the file");

  // The read reuses the pictures of the load: image 0 keeps the empty
  // row's picture.
  const std::vector<ExpectedRow> readRows = RowsOfDesktop(demo.Truth());
  CheckClick(icotrace, Command::Read, "read after a load");
  CheckNoMessage(icotrace, "read after a load");
  pictures.CheckRows(icotrace, CheckRows(icotrace, readRows, "read after a load"), readRows, true,
                     "read after a load");
  CheckButtons(icotrace, Offered(true, true, true), "after a read that follows a load");

  // Apply stays offered and now applies the table just read.
  const std::vector<demo::DemoItem> read = demo.Truth();
  ScrambleDesktop(demo, "before the apply of a read");
  CheckClick(icotrace, Command::Apply, "apply of the read");
  CheckNoMessage(icotrace, "apply of the read");
  CheckDesktopPlaces(demo, read, "apply of the read");

  EXPECT_EQ(install.LayoutBytes().value_or("<no file>"), fileBytes)
      << "the layout file is as written (nothing was saved)";
  EXPECT_TRUE(icotrace.ClickCloseBox()) << "the close box is on the screen";
  DWORD exitCode = 1;
  EXPECT_TRUE(icotrace.WaitForExit(10000, exitCode) && exitCode == 0)
      << "the close box ends the program with code 0"
      << ": "
      << "exit code " + std::to_string(exitCode);
}

// An empty file loads as the one empty row, and apply is offered all the
// same; applying it moves nothing.
void EmptyLayoutFile(const AppPaths& paths) {
  const ScratchInstall install(L"empty-file", paths.Icotrace);
  DemoDesktopProcess demo(paths.DemoDesktop, ScenarioDesktopArguments());
  const std::vector<demo::DemoItem> original = demo.Truth();
  const auto started = StartWithLayoutFile(install, "");
  IcotraceSession& icotrace = *started;
  PictureBook pictures;

  const std::vector<ExpectedRow> loadRows = RowsOfLoad({});
  CheckClick(icotrace, Command::Load, "load of an empty file");
  CheckNoMessage(icotrace, "load of an empty file");
  pictures.CheckRows(icotrace, CheckRows(icotrace, loadRows, "load of an empty file"), loadRows,
                     true, "load of an empty file");
  CheckButtons(icotrace, Offered(true, true, true), "after the load of an empty file");

  CheckClick(icotrace, Command::Apply, "apply of an empty file");
  CheckNoMessage(icotrace, "apply of an empty file");
  CheckDesktopPlaces(demo, original, "apply of an empty file");
  CheckClick(icotrace, Command::Quit, "quit", ClickResult::Ended);
}

}  // namespace

// a layout file at start, loaded first
TEST(AppFileAtStart, LoadFirst) {
  LoadFirst(Paths());
}

// an empty layout file at start
TEST(AppFileAtStart, EmptyLayoutFile) {
  EmptyLayoutFile(Paths());
}

}  // namespace icotrace::e2e
