// Failures a user meets: each shows one French message over the main window,
// and the list, the buttons and the layout file stay as they were.
#include "app_checks.h"
#include "app_scenarios.h"
#include "demo_desktop_process.h"
#include "e2e_environment.h"
#include "e2e_test.h"
#include "expected_layout.h"
#include "scratch_install.h"

namespace icotrace::e2e {
namespace {

constexpr wchar_t kNoDesktop[] = L"Le bureau de Windows est introuvable.";

std::vector<ExpectedRow> GoodEntries() {
  return {
      {L"Documents", 300, 200, 3, 2},
      {L"Ce PC", 310, 210, 2, 1},
  };
}

// What a failed command must leave as it was.
struct Before {
  std::vector<SeenRow> Rows;
  ButtonStates Buttons;
  std::optional<std::string> File;
};

Before Take(const IcotraceSession& icotrace, const ScratchInstall& install) {
  return {ReadRows(icotrace.ListView()), icotrace.States(), install.LayoutBytes()};
}

void CheckFailure(IcotraceSession& icotrace, const ScratchInstall& install, Command command,
                  const std::vector<std::wstring>& says, const std::string& when) {
  const Before before = Take(icotrace, install);
  CheckClick(icotrace, command, when);
  CheckMessage(icotrace, says, when);
  CheckRowsUnchanged(icotrace, before.Rows, when);
  CheckButtons(icotrace, before.Buttons, when);
  EXPECT_TRUE(install.LayoutBytes() == before.File) << when + ": the layout file is as before";
}

bool AnotherDesktopRuns() {
  return ::FindWindowW(L"Progman", nullptr) != nullptr;
}

void NoDesktop(const AppPaths& paths) {
  if (AnotherDesktopRuns()) {
    GTEST_SKIP() << "a desktop runs already; the check without one cannot be made";
  }
  const ScratchInstall install(L"no-desktop", paths.Icotrace);
  const auto started = StartWithLayoutFile(install, LayoutFileBytes(GoodEntries()));
  IcotraceSession& icotrace = *started;
  PictureBook pictures;

  CheckFailure(icotrace, install, Command::Read, {kNoDesktop}, "read without a desktop");

  // No picture can be fetched: the rows come without one and nothing is
  // kept, so that a later command tries again.
  const std::vector<ExpectedRow> loadRows = RowsOfLoad(GoodEntries());
  CheckClick(icotrace, Command::Load, "load without a desktop");
  CheckNoMessage(icotrace, "load without a desktop");
  pictures.CheckRows(icotrace, CheckRows(icotrace, loadRows, "load without a desktop"), loadRows,
                     false, "load without a desktop");
  CheckButtons(icotrace, Offered(true, true, true), "after a load without a desktop");

  CheckFailure(icotrace, install, Command::Apply, {kNoDesktop}, "apply without a desktop");
  CheckFailure(icotrace, install, Command::Save, {kNoDesktop}, "save without a desktop");

  DemoDesktopProcess demo(paths.DemoDesktop, ScenarioDesktopArguments());
  const std::vector<ExpectedRow> readRows = RowsOfDesktop(demo.Truth());
  CheckClick(icotrace, Command::Read, "read once the desktop is up");
  CheckNoMessage(icotrace, "read once the desktop is up");
  pictures.CheckRows(icotrace, CheckRows(icotrace, readRows, "read once the desktop is up"),
                     readRows, true, "read once the desktop is up");
}

void ReadOnlyFile(const AppPaths& paths) {
  const ScratchInstall install(L"read-only", paths.Icotrace);
  DemoDesktopProcess demo(paths.DemoDesktop, ScenarioDesktopArguments());
  const auto started = StartWithLayoutFile(install, LayoutFileBytes(GoodEntries()), true);
  IcotraceSession& icotrace = *started;

  CheckClick(icotrace, Command::Read, "read before the read-only save");
  CheckNoMessage(icotrace, "read before the read-only save");
  CheckFailure(icotrace, install, Command::Save, {install.LayoutFile(), L"lecture seule"},
               "save over a read-only file");
  EXPECT_TRUE(install.LayoutReadOnly());
  EXPECT_EQ(install.OtherFileCount(), 1) << "save over a read-only file: nothing left beside it";

  // Reading it is no fault.
  const std::vector<ExpectedRow> loadRows = RowsOfLoad(GoodEntries());
  CheckClick(icotrace, Command::Load, "load of a read-only file");
  CheckNoMessage(icotrace, "load of a read-only file");
  CheckRows(icotrace, loadRows, "load of a read-only file");
  install.SetLayoutReadOnly(false);
}

void MalformedAndMissingFile(const AppPaths& paths) {
  const ScratchInstall install(L"malformed", paths.Icotrace);
  DemoDesktopProcess demo(paths.DemoDesktop, ScenarioDesktopArguments());
  const auto started = StartWithLayoutFile(
      install, "Documents;300;200;2;3\r\nProjet;3x0;210;3;5\r\nCe PC;1;2;1;0\r\n");
  IcotraceSession& icotrace = *started;

  CheckClick(icotrace, Command::Read, "read before the malformed load");
  CheckNoMessage(icotrace, "read before the malformed load");
  // Apply must stay unoffered: there is no loaded table to apply.
  CheckFailure(icotrace, install, Command::Load, {install.LayoutFile(), L"ligne 2", L"champ X"},
               "load of a malformed file");
  install.RemoveLayout();
  CheckFailure(icotrace, install, Command::Load, {install.LayoutFile(), L"introuvable"},
               "load of a file removed since the start");
}

// A save must not put an empty snapshot in the place of a saved layout, nor
// speak of a saved layout when there is none.
void EmptyDesktopSave(const AppPaths& paths) {
  const ScratchInstall install(L"empty-desktop", paths.Icotrace);
  DemoDesktopProcess demo(paths.DemoDesktop, {L"--items", WriteItemFile(L"app-no-items.txt", {})});
  IcotraceSession icotrace(install.Program());

  CheckClick(icotrace, Command::Read, "read of an empty desktop");
  CheckNoMessage(icotrace, "read of an empty desktop");
  CheckRows(icotrace, {}, "read of an empty desktop");
  CheckFailure(icotrace, install, Command::Save,
               {L"Le bureau ne montre aucune icône : il n'y a rien à enregistrer."},
               "save of an empty desktop, no layout file yet");
  install.WriteLayout(LayoutFileBytes(GoodEntries()));
  CheckFailure(icotrace, install, Command::Save,
               {L"Le bureau ne montre aucune icône : la configuration enregistrée est conservée "
                L"telle quelle."},
               "save of an empty desktop over a saved layout");
}

// A name the code page cannot hold is written exactly, the whole file in
// UTF-8 after its mark, and the save speaks of no lost name.
void UnconvertedNames(const AppPaths& paths) {
  const std::wstring foreign = L"Ελληνικά Фото";
  BOOL lossy = FALSE;
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, foreign.data(),
                        static_cast<int>(foreign.size()), nullptr, 0, nullptr, &lossy);
  if (!lossy) {
    GTEST_SKIP() << "the ANSI code page of this system holds Greek and Cyrillic";
  }
  const ScratchInstall install(L"unconverted-names", paths.Icotrace);
  std::vector<demo::DemoItem> items = ScenarioItems();
  items.push_back({foreign, 354, 16, 6, 9});
  DemoDesktopProcess demo(paths.DemoDesktop,
                          {L"--items", WriteItemFile(L"app-items-foreign.txt", items)});
  IcotraceSession icotrace(install.Program());

  CheckClick(icotrace, Command::Read, "read before saving a foreign name");
  CheckNoMessage(icotrace, "read before saving a foreign name");
  CheckClick(icotrace, Command::Save, "save of a foreign name");
  CheckNoMessage(icotrace, "save of a foreign name");
  const std::string written = install.LayoutBytes().value_or("");
  EXPECT_TRUE(written.starts_with("\xEF\xBB\xBF") &&
              written.find(Utf8(foreign) + ";") != std::string::npos)
      << "save of a foreign name: the name is written in UTF-8, after the mark";
  std::size_t lines = 0;
  for (std::size_t at = written.find("\r\n"); at != std::string::npos;
       at = written.find("\r\n", at + 2))
    ++lines;
  EXPECT_EQ(lines, items.size()) << "save of a foreign name: one line per item is written";
  CheckButtons(icotrace, Offered(true, true, false), "after the save of a foreign name");
}

}  // namespace

// no desktop
TEST(AppFailures, NoDesktop) {
  NoDesktop(Paths());
}

// read-only layout file
TEST(AppFailures, ReadOnlyFile) {
  ReadOnlyFile(Paths());
}

// malformed, then missing layout file
TEST(AppFailures, MalformedAndMissingFile) {
  MalformedAndMissingFile(Paths());
}

// save of an empty desktop
TEST(AppFailures, EmptyDesktopSave) {
  EmptyDesktopSave(Paths());
}

// save of names the code page cannot hold
TEST(AppFailures, UnconvertedNames) {
  UnconvertedNames(Paths());
}

}  // namespace icotrace::e2e
