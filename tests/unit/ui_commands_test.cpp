#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/command_error.h"
#include "desktop/mod_common.h"
#include "memory_file_system.h"
#include "message_of.h"
#include "platform/windows_1252_codec.h"
#include "simulated_shell.h"
#include "ui/command_gate.h"
#include "ui/frm_main_commands.h"
#include "ui/unplaced_icons_message.h"

namespace icotrace::testing {
namespace {

using ::testing::ElementsAre;

class RecordingView : public MainWindowView {
 public:
  void EnableButton(MainButton button) override { enabled.insert(button); }
  void BeginRows() override {
    calls.push_back("rows");
    inBatch = true;
  }
  void EndRows() override {
    calls.push_back("drawn");
    inBatch = false;
  }
  void ClearRows() override {
    rows.clear();
    calls.push_back("clear");
  }
  void AddRow(const ListRow& row) override {
    if (!inBatch) ++rowsOutsideBatch;
    if (rows.size() == failAtRow) throw CommandError(u"La liste est pleine.");
    rows.push_back(row);
  }
  void ShowWarning(const std::u16string& message) override { warnings.push_back(message); }
  void ShowAboutBox() override { calls.push_back("about"); }
  void EndProgram() override { calls.push_back("end"); }

  std::set<MainButton> enabled;
  std::vector<ListRow> rows;
  std::vector<std::u16string> warnings;
  std::vector<std::string> calls;
  bool inBatch = false;
  int rowsOutsideBatch = 0;
  std::size_t failAtRow = SIZE_MAX;  // the list refuses that row
};

// ImageList1 without a window: counts the fetches, can refuse some.
class CountingIconCache : public IconImageCache {
 public:
  bool ImageKeyExists(const std::u16string& key) override { return keys.count(key) != 0; }
  bool AddDesktopIcon(const std::u16string& key, std::int32_t image) override {
    ++fetches[image];
    if (unfetchable.count(image) != 0) return false;
    keys.insert(key);
    return true;
  }
  void UninstallHook() override { ++uninstalls; }

  std::set<std::u16string> keys;
  std::map<std::int32_t, int> fetches;
  std::set<std::int32_t> unfetchable;
  int uninstalls = 0;
};

// 1024 x 768 at 15 twips per pixel.
constexpr ScreenTwips kScreen{15360, 11520, 15, 15};
const std::u16string kFolder = u"C:\\Icotrace";
const std::u16string kLayoutPath = u"C:\\Icotrace\\1024x768.ICOLAY";

class MainCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    files.SetProgramFolder(kFolder);
    shell.SetItems(
        {{u"Corbeille", 16, 8, 3, 11}, {u"Documents", -40, 90, 0, -2}, {u"Notes", 100, 100, 3, 0}});
  }
  std::vector<std::u16string> Captions() const {
    std::vector<std::u16string> captions;
    for (const ListRow& row : view.rows) captions.push_back(row.Caption);
    return captions;
  }
  std::set<MainButton> Enabled(std::initializer_list<MainButton> buttons) { return buttons; }

  SimulatedShell shell;
  modCommon desktop{shell};
  MemoryFileSystem files;
  FixedScreen screen{kScreen};
  Windows1252Codec codec;
  CountingIconCache icons;
  RecordingView view;
  FrmMainCommands commands{view, {desktop, files, screen, codec, icons}};
};

TEST_F(MainCommands, ButtonsReachTheirOwnCommand) {
  // Numbered in the order they were made: Command5 quits, Command6 opens
  // the About box, whatever their place on the screen.
  commands.Click(MainButton::Command5);
  commands.Click(MainButton::Command6);
  EXPECT_THAT(view.calls, ElementsAre("end", "about"));
  commands.Click(MainButton::Command1);
  EXPECT_EQ(view.rows.size(), 3u);
}

TEST_F(MainCommands, StartingWithoutAFileOffersOnlyTheRead) {
  commands.Form_Load();
  EXPECT_TRUE(view.enabled.empty());
  commands.Command1_Click();
  EXPECT_EQ(view.enabled, Enabled({MainButton::Command3}));
  commands.Command3_Click();
  EXPECT_EQ(view.enabled, Enabled({MainButton::Command3, MainButton::Command4}));
  commands.Command4_Click();
  EXPECT_EQ(view.enabled,
            Enabled({MainButton::Command2, MainButton::Command3, MainButton::Command4}));
}

TEST_F(MainCommands, StartingWithAFileOffersTheLoadAtOnce) {
  files.Put(kLayoutPath, "Corbeille;1;2;3;4\r\n");
  commands.Form_Load();
  EXPECT_EQ(view.enabled, Enabled({MainButton::Command4}));
  EXPECT_EQ(files.LastLookup(), kLayoutPath);
}

TEST_F(MainCommands, ReadShowsEachItemOnceAndFetchesEachImageOnce) {
  commands.Command1_Click();
  commands.Command1_Click();
  EXPECT_THAT(Captions(), ElementsAre(u"Corbeille", u"Documents", u"Notes"));
  EXPECT_EQ(view.rows[1].X, u"-40");
  EXPECT_EQ(view.rows[1].lParam, u"-2");
  EXPECT_EQ(view.rows[0].ImageKey, u"K3");
  EXPECT_EQ(view.rows[1].ImageKey, u"K0");
  EXPECT_THAT(icons.fetches, ElementsAre(std::pair{0, 1}, std::pair{3, 1}));
  EXPECT_EQ(icons.uninstalls, 2) << "once after each read's rows";
}

TEST_F(MainCommands, LoadListsEveryLineAndTheClosingEmptyEntry) {
  files.Put(kLayoutPath, "Corbeille;1;2;3;4\r\nAilleurs;-5;6;7;8\r\nNotes;9;9;3;0\r\n");
  commands.Command4_Click();
  ASSERT_EQ(view.rows.size(), 4u);
  EXPECT_EQ(view.rows[1].Caption, u"Ailleurs");
  EXPECT_EQ(view.rows[1].ImageKey, u"K7");
  EXPECT_EQ(view.rows[3].Caption, u"");
  EXPECT_EQ(view.rows[3].X, u"0");
  EXPECT_EQ(view.rows[3].ImageKey, u"K0");
  EXPECT_EQ(icons.uninstalls, 0) << "no release after a load";
  files.Put(kLayoutPath, "");
  commands.Command4_Click();
  EXPECT_EQ(view.rows.size(), 1u);
}

TEST_F(MainCommands, SaveWritesAFreshReadNotTheLoadedTable) {
  files.Put(kLayoutPath, "Ancien;1;1;1;1\r\n");
  commands.Command4_Click();
  commands.Command3_Click();
  EXPECT_EQ(files.At(kLayoutPath).bytes,
            "Corbeille;16;8;3;11\r\nDocuments;-40;90;0;-2\r\nNotes;100;100;3;0\r\n");
  EXPECT_THAT(Captions(), ElementsAre(u"Corbeille", u"Documents", u"Notes"));
}

TEST_F(MainCommands, ApplyPutsTheLoadedLayoutBack) {
  files.Put(kLayoutPath, "Documents;300;310;0;0\r\nAbsent;1;1;0;0\r\n");
  commands.Command4_Click();
  commands.Command2_Click();
  EXPECT_EQ(shell.Items()[1].x, 300);
  EXPECT_EQ(shell.Items()[1].y, 310);
  EXPECT_TRUE(view.warnings.empty()) << "silent when every item found is placed";
}

// Items found but not placed: one warning with their number, the first
// names, and the cause when the desktop arranges its icons itself.
TEST_F(MainCommands, ApplyNamesTheIconsItCouldNotPlace) {
  std::string file;
  for (int i = 0; i < 7; ++i)
    file += "Raccourci " + std::to_string(i) + ";" + std::to_string(i) + ";5;0;0\r\n";
  std::vector<SimulatedShell::Item> items;
  for (int i = 0; i < 7; ++i) {
    const std::u16string caption = u"Raccourci " + std::u16string(1, char16_t(u'0' + i));
    items.push_back({caption, 900, 900, 0, 0});
  }
  shell.SetItems(items);
  files.Put(kLayoutPath, file);
  commands.Command4_Click();
  shell.faults.ignoreMoves = true;
  commands.Command2_Click();
  ASSERT_EQ(view.warnings.size(), 1u);
  const std::u16string& ignored = view.warnings[0];
  EXPECT_EQ(ignored.rfind(u"7 icônes du bureau n'ont pas pu être placées", 0), 0u);
  EXPECT_NE(ignored.find(u"\n« Raccourci 0 »\n« Raccourci 1 »"), std::u16string::npos);
  EXPECT_EQ(ignored.find(u"Raccourci 5"), std::u16string::npos) << "the first five only";
  EXPECT_NE(ignored.find(u"… et 2 autres."), std::u16string::npos);
  EXPECT_EQ(ignored.find(u"réorganisation automatique"), std::u16string::npos);
  shell.faults.ignoreMoves = false;
  shell.SetAutoArrange(true);
  shell.SetItems({{u"Raccourci 3", 900, 900, 0, 0}});
  commands.Command2_Click();
  ASSERT_EQ(view.warnings.size(), 2u);
  EXPECT_EQ(view.warnings[1].rfind(u"1 icône du bureau n'a pas pu être placée", 0), 0u);
  EXPECT_NE(view.warnings[1].find(u"réorganisation automatique"), std::u16string::npos);
  EXPECT_NE(view.warnings[1].find(u"Affichage"), std::u16string::npos);
}

// Icons that no screen would show and moves the desktop may forget go into
// the same one message, each in agreement with its number.
TEST(ApplyMessage, TellsEveryKindInOneMessage) {
  const std::u16string one = UnplacedIconsMessage({{}, false, {u"Écran 2"}, 1, {}, {}});
  EXPECT_EQ(one.rfind(u"1 icône du bureau n'a pas été déplacée", 0), 0u);
  EXPECT_NE(one.find(u"« Écran 2 »\n\nLa configuration a été enregistrée avec une autre "
                     u"disposition des écrans.\n\nLe bureau n'a pas répondu à temps : 1 icône a"),
            std::u16string::npos);
  EXPECT_EQ(UnplacedIconsMessage({{u"A"}, false, {}, 0, {}, {}}).find(u"ces "),
            std::u16string::npos)
      << "one icon: the singular throughout";
  const std::u16string many = UnplacedIconsMessage({{}, false, {u"B", u"C"}, 2, {}, {}});
  EXPECT_NE(many.find(u"2 icônes du bureau n'ont pas été déplacées"), std::u16string::npos);
  EXPECT_NE(many.find(u"2 icônes ont été déplacées sans lui"), std::u16string::npos);
  // A shell that answered "no view" is not said to be silent; the places it
  // may still make come with their names and the cure.
  const std::u16string declined =
      UnplacedIconsMessage({{}, false, {}, 2, ForgetCause::Declined, {u"Lettre"}});
  EXPECT_EQ(declined.find(u"n'a pas répondu à temps : 2"), std::u16string::npos);
  EXPECT_NE(declined.find(u"n'a pas accepté de placer lui-même les icônes : 2 icônes"),
            std::u16string::npos);
  EXPECT_EQ(declined.rfind(u"1 icône du bureau n'est peut-être pas encore à sa place", 0), 0u);
  EXPECT_NE(declined.find(u"« Lettre »\n\nIcotrace ne l'a pas déplacée"), std::u16string::npos);
}

TEST_F(MainCommands, ChangingTheResolutionLoadsThatResolutionsFile) {
  files.Put(kLayoutPath, "Petit;1;1;0;0\r\n");
  files.Put(u"C:\\Icotrace\\1280x1024.ICOLAY", "Grand;2;2;0;0\r\n");
  screen.Set({19200, 15360, 15, 15});
  commands.Command4_Click();
  EXPECT_EQ(view.rows[0].Caption, u"Grand");
}

TEST_F(MainCommands, AFailedCommandChangesNothing) {
  commands.Command1_Click();
  const auto rows = view.rows;
  const auto enabled = view.enabled;
  // A malformed file: the message names the file and the line.
  files.Put(kLayoutPath, "Corbeille;1;2;3;4\r\nCassé;x;2;3;4\r\n");
  const std::u16string malformed = MessageOf([&] { commands.Command4_Click(); });
  EXPECT_NE(malformed.find(kLayoutPath), std::u16string::npos);
  EXPECT_NE(malformed.find(u"2"), std::u16string::npos);
  // No desktop any more.
  shell.RemoveDesktop();
  EXPECT_EQ(MessageOf([&] { commands.Command1_Click(); }),
            u"Le bureau de Windows est introuvable.");
  EXPECT_NE(MessageOf([&] { commands.Command3_Click(); }), u"");
  EXPECT_EQ(view.rows.size(), rows.size());
  EXPECT_EQ(view.rows[0].Caption, rows[0].Caption);
  EXPECT_EQ(view.enabled, enabled) << "neither apply nor load was offered by the failures";
  EXPECT_EQ(commands.CurrentLayout().size(), 3u);
  EXPECT_EQ(files.At(kLayoutPath).bytes, "Corbeille;1;2;3;4\r\nCassé;x;2;3;4\r\n");
}

TEST_F(MainCommands, ASaveOfAnEmptyDesktopKeepsTheSavedFileAndSpeaksOfOneOnlyWhenThereIsOne) {
  shell.SetItems({});
  EXPECT_EQ(MessageOf([&] { commands.Command3_Click(); }),
            u"Le bureau ne montre aucune icône : il n'y a rien à enregistrer.");
  EXPECT_FALSE(files.Has(kLayoutPath));
  EXPECT_EQ(view.enabled.count(MainButton::Command4), 0u) << "no file to load";

  files.Put(kLayoutPath, "Corbeille;1;2;3;4\r\n");
  EXPECT_EQ(MessageOf([&] { commands.Command3_Click(); }),
            u"Le bureau ne montre aucune icône : la configuration enregistrée est conservée "
            u"telle quelle.");
  EXPECT_EQ(files.At(kLayoutPath).bytes, "Corbeille;1;2;3;4\r\n");
}

TEST_F(MainCommands, AFailedSaveLeavesTheFileAndReportsIt) {
  files.Put(kLayoutPath, "Corbeille;1;2;3;4\r\n").readOnly = true;
  EXPECT_NE(MessageOf([&] { commands.Command3_Click(); }), u"");
  EXPECT_EQ(files.At(kLayoutPath).bytes, "Corbeille;1;2;3;4\r\n");
  EXPECT_EQ(view.enabled.count(MainButton::Command4), 0u);
}

// Saved, scrambled, loaded and applied: they come back like the others.
TEST_F(MainCommands, NamesTheCodePageCannotHoldAreSavedAndPutBack) {
  shell.SetItems({{u"Корзина", 1, 2, 0, 0}, {u"Notes \U0001F4DD", 3, 4, 0, 0}});
  commands.Command3_Click();
  EXPECT_EQ(view.enabled.count(MainButton::Command4), 1u);
  shell.SetItems({{u"Notes \U0001F4DD", 30, 40, 0, 0}, {u"Корзина", 10, 20, 0, 0}});
  commands.Command4_Click();
  commands.Command2_Click();
  EXPECT_EQ(shell.Items()[0].y, 4);
  EXPECT_EQ(shell.Items()[1].x, 1);
  EXPECT_TRUE(view.warnings.empty()) << "neither the save nor the apply has anything to say";
}

TEST_F(MainCommands, AnIconThatCannotBeFetchedIsTriedOncePerCommand) {
  icons.unfetchable = {3};
  commands.Command1_Click();
  EXPECT_EQ(view.rows[0].ImageKey, u"") << "listed without a picture";
  EXPECT_EQ(view.rows[2].ImageKey, u"");
  EXPECT_EQ(view.rows[1].ImageKey, u"K0");
  EXPECT_EQ(icons.fetches[3], 1);
  icons.unfetchable.clear();
  commands.Command1_Click();
  EXPECT_EQ(icons.fetches[3], 2) << "nothing was cached, so the next command tries again";
  EXPECT_EQ(view.rows[0].ImageKey, u"K3");
}

// Windows 11 on Arm: an x64 Icotrace before the system's Arm64 shell.
TEST_F(MainCommands, AShellOfAnotherMachineFillsTheListAtOnceWithoutPictures) {
  shell.SetShell(64, false, win::kMachineArm64);
  commands.Command1_Click();
  EXPECT_THAT(Captions(), ElementsAre(u"Corbeille", u"Documents", u"Notes"));
  EXPECT_EQ(view.rows[0].ImageKey, u"");
  EXPECT_TRUE(icons.fetches.empty()) << "no hook is set where it cannot load";
  EXPECT_EQ(shell.OpenHandles(), 0u);
}

// The window draws the list once, when every row is in: drawn row by row,
// thousands of rows held it for minutes.
TEST_F(MainCommands, RowsGoInAsOneBatchThatEndsEvenWhenARowFails) {
  files.Put(kLayoutPath, "Corbeille;1;2;3;4\r\n");
  commands.Command1_Click();
  commands.Command4_Click();
  EXPECT_THAT(view.calls, ElementsAre("rows", "clear", "drawn", "rows", "clear", "drawn"));
  EXPECT_EQ(view.rowsOutsideBatch, 0);
  view.calls.clear();
  view.failAtRow = 1;
  EXPECT_EQ(MessageOf([&] { commands.Command1_Click(); }), u"La liste est pleine.");
  EXPECT_THAT(view.calls, ElementsAre("rows", "clear", "clear", "drawn"))
      << "the rows of before go back within the same batch";
  EXPECT_FALSE(view.inBatch) << "the list must draw again after a failed row";
}

TEST_F(MainCommands, ARowTheListRefusesLeavesTheTableAndItsRowsAsTheyWere) {
  files.Put(kLayoutPath, "A;1;2;0;1\r\nB;3;4;0;2\r\nC;5;6;0;3\r\nD;7;8;0;4\r\n");
  commands.Command1_Click();
  const int uninstalls = icons.uninstalls;
  view.failAtRow = 3;  // the load's fourth row: the read's three fit
  EXPECT_EQ(MessageOf([&] { commands.Command4_Click(); }), u"La liste est pleine.");
  EXPECT_THAT(Captions(), ElementsAre(u"Corbeille", u"Documents", u"Notes"));
  EXPECT_EQ(commands.CurrentLayout().size(), 3u) << "an apply would move what the list shows";
  EXPECT_EQ(view.enabled.count(MainButton::Command2), 0u);
  EXPECT_EQ(icons.uninstalls, uninstalls) << "a load sets no hook free";
  // A read whose rows fail still lets the shell's hook go.
  view.failAtRow = 1;
  EXPECT_EQ(MessageOf([&] { commands.Command1_Click(); }), u"La liste est pleine.");
  EXPECT_EQ(icons.uninstalls, uninstalls + 1);
  EXPECT_EQ(commands.CurrentLayout().size(), 3u);
}

TEST_F(MainCommands, UnloadReleasesTheTable) {
  commands.Command1_Click();
  commands.Form_Unload();
  EXPECT_TRUE(commands.CurrentLayout().empty());
}

// What another program sends during a command is carried out after it, in order:
// a repeat once, a flood cut short, nothing after a close, a close always.
TEST(OneCommandAtATime, RequestsDuringACommandWaitForItsEnd) {
  using R = WindowRequest;
  const R apply = R::ClickOf(MainButton::Command2), read = R::ClickOf(MainButton::Command1);
  CommandGate gate;
  ASSERT_TRUE(gate.Admit(R::ClickOf(MainButton::Command4)));
  for (int i = 0; i < 40; ++i) EXPECT_FALSE(gate.Admit(i / 2 % 2 ? read : apply));
  for (const R asked : {R::Close(), R::ClickOf(MainButton::Command3), R::Close()})
    EXPECT_FALSE(gate.Admit(asked));
  EXPECT_FALSE(gate.TakeWaiting()) << "nothing runs inside the command";
  gate.Done();
  std::vector<R> after;
  while (const std::optional<R> next = gate.TakeWaiting()) after.push_back(*next);
  EXPECT_THAT(after, ElementsAre(apply, read, apply, read, apply, read, apply, read, R::Close()));
}

TEST(ImageKeys, AreTheLetterKAndTheDecimalIndex) {
  EXPECT_EQ(ImageKey(0), u"K0");
  EXPECT_EQ(ImageKey(12), u"K12");
  EXPECT_EQ(ImageKey(-1), u"K-1");
}

}  // namespace
}  // namespace icotrace::testing
