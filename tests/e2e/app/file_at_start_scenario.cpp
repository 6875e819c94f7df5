// Starting with a layout file beside the program: load is offered at once,
// and the load alone fetches the pictures it needs, the empty row's too.
#include "app_checks.h"
#include "app_scenarios.h"
#include "demo_desktop_process.h"
#include "desktop_places.h"
#include "e2e_check.h"
#include "e2e_environment.h"
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
  install.WriteLayout(fileBytes);
  DemoDesktopProcess demo(paths.DemoDesktop, ScenarioDesktopArguments());
  const std::vector<demo::DemoItem> original = demo.Truth();
  IcotraceSession icotrace(install.Program());
  PictureBook pictures;

  CheckButtons(icotrace, Offered(false, true, false), "at start with a layout file");
  E2E_CHECK(ReadRows(icotrace.ListView()).empty());

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

  RecordEqual(install.LayoutBytes().value_or("<no file>"), fileBytes,
              "the layout file is as written (nothing was saved)", __FILE__, __LINE__);
  Record(icotrace.ClickCloseBox(), "the close box is on the screen", __FILE__, __LINE__);
  DWORD exitCode = 1;
  Record(icotrace.WaitForExit(10000, exitCode) && exitCode == 0,
         "the close box ends the program with code 0", __FILE__, __LINE__,
         "exit code " + std::to_string(exitCode));
}

// An empty file loads as the one empty row, and apply is offered all the
// same; applying it moves nothing.
void EmptyLayoutFile(const AppPaths& paths) {
  const ScratchInstall install(L"empty-file", paths.Icotrace);
  install.WriteLayout("");
  DemoDesktopProcess demo(paths.DemoDesktop, ScenarioDesktopArguments());
  const std::vector<demo::DemoItem> original = demo.Truth();
  IcotraceSession icotrace(install.Program());
  PictureBook pictures;

  CheckButtons(icotrace, Offered(false, true, false), "at start with an empty layout file");
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

void FileAtStartScenarios(const AppPaths& paths) {
  Scenario("a layout file at start, loaded first", [&] { LoadFirst(paths); });
  Scenario("an empty layout file at start", [&] { EmptyLayoutFile(paths); });
}

}  // namespace icotrace::e2e
