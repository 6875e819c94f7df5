#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "desktop/command_error.h"
#include "desktop/desktop_messages.h"
#include "desktop/mod_common.h"
#include "desktop_test_support.h"
#include "message_of.h"

namespace icotrace::testing {
namespace {

using ::testing::ElementsAre;

class LayoutByShell : public ::testing::TestWithParam<ShellConfig> {
 protected:
  void SetUp() override {
    Configure(shell, GetParam());
    shell.SetItems({Icon(u"Corbeille", 16, 8, 3, 11), Icon(u"Ordinateur", -40, 90, 0, -2),
                    Icon(u"Dossier", 100, 100, 5), Icon(u"Été 2026", 200, 8, 5, 7),
                    Icon(u"DOSSIER", 300, 300, 5), Icon(u"", 400, 400, 1)});
  }
  void ExpectAllReleased() {
    EXPECT_EQ(shell.LiveAllocations(), 0u);
    EXPECT_EQ(shell.LiveViews(), 0u);
    EXPECT_EQ(shell.OpenHandles(), 0u);
  }
  std::vector<std::pair<int, int>> Positions() const {
    std::vector<std::pair<int, int>> positions;
    for (const auto& item : shell.Items()) positions.emplace_back(item.x, item.y);
    return positions;
  }

  SimulatedShell shell;
  modCommon desktop{shell};
};

TEST_P(LayoutByShell, ReadGivesEveryItemInTheControlsOrderWithoutNul) {
  Layout layout(10, DesktopIcon{u"ancien", 1, 1, 1, 1});
  EXPECT_EQ(desktop.ReadDesktopLayout(layout), 6);
  EXPECT_THAT(
      layout,
      ElementsAre(DesktopIcon{u"Corbeille", 16, 8, 11, 3},
                  DesktopIcon{u"Ordinateur", -40, 90, -2, 0},
                  DesktopIcon{u"Dossier", 100, 100, 0, 5}, DesktopIcon{u"Été 2026", 200, 8, 7, 5},
                  DesktopIcon{u"DOSSIER", 300, 300, 0, 5}, DesktopIcon{u"", 400, 400, 0, 1}));
  ExpectAllReleased();
}

TEST_P(LayoutByShell, ReadTakesTheCountOnceBeforeOpening) {
  Layout layout;
  desktop.ReadDesktopLayout(layout);
  EXPECT_EQ(shell.LogOf("SendMessage 0x1004").size(), 1u);
  const auto& log = shell.Log();
  const auto count = std::find_if(log.begin(), log.end(), [](const std::string& l) {
    return l.rfind("SendMessage 0x1004", 0) == 0;
  });
  const auto open = std::find_if(log.begin(), log.end(), [](const std::string& l) {
    return l.rfind("OpenProcess", 0) == 0 || l.rfind("CreateFileMappingA", 0) == 0;
  });
  EXPECT_LT(count, open);
}

TEST_P(LayoutByShell, AnEmptyDesktopReadsAsAnEmptyLayout) {
  shell.SetItems({});
  Layout layout{DesktopIcon{u"ancien"}};
  EXPECT_EQ(desktop.ReadDesktopLayout(layout), 0);
  EXPECT_TRUE(layout.empty());
  EXPECT_TRUE(shell.LogOf("SendMessage 0x104b").empty());
  ExpectAllReleased();
}

TEST_P(LayoutByShell, AnItemRemovedAfterTheCountLeavesNoPhantom) {
  shell.faults.removeItemAfterCount = 1;
  Layout layout;
  EXPECT_EQ(desktop.ReadDesktopLayout(layout), 5);
  ASSERT_EQ(layout.size(), 5u);
  EXPECT_EQ(layout[0].Name, u"Corbeille");
  EXPECT_EQ(layout[1].Name, u"Dossier");
  EXPECT_EQ(layout[4].Name, u"");
  EXPECT_EQ(layout[4].Image, 1);
  ExpectAllReleased();
}

TEST_P(LayoutByShell, ApplyMovesNamedItemsThenRepaintsThenReleases) {
  const Layout layout{DesktopIcon{u"ordinateur", 7, 8}, DesktopIcon{u"", 9, 9},
                      DesktopIcon{u"Inconnu", 1, 1}, DesktopIcon{u"Corbeille", -3, -4}};
  shell.ClearLog();
  desktop.ApplyDesktopLayout(layout);
  EXPECT_EQ(shell.Items()[1].x, 7);
  EXPECT_EQ(shell.Items()[0].y, -4);
  std::vector<std::string> steps;
  for (const std::string& line : shell.Log()) {
    for (const char* step :
         {"FindWindowA", "OpenProcess", "CreateFileMappingA", "SendMessage 0x1053",
          "SendMessage 0x1031", "RedrawWindow", "UpdateWindow", "CloseHandle"}) {
      if (line.rfind(step, 0) == 0) steps.push_back(step);
    }
  }
  const char* open =
      GetParam().family == SimulatedShell::Family::NT ? "OpenProcess" : "CreateFileMappingA";
  EXPECT_THAT(steps, ElementsAre("FindWindowA", open, "SendMessage 0x1053", "SendMessage 0x1031",
                                 "SendMessage 0x1053", "SendMessage 0x1053", "SendMessage 0x1031",
                                 "RedrawWindow", "UpdateWindow", "CloseHandle"));
  EXPECT_THAT(shell.LogOf("RedrawWindow"), ElementsAre("RedrawWindow 0x0 4"));
  EXPECT_THAT(shell.LogOf("UpdateWindow"),
              ElementsAre("UpdateWindow " + HexText(shell.ListView())));
  ExpectAllReleased();
}

TEST_P(LayoutByShell, ApplyWithNoMatchStillRepaintsAndReleases) {
  const auto before = Positions();
  desktop.ApplyDesktopLayout({DesktopIcon{u"Rien", 1, 1}, DesktopIcon{u"Nulle part", 2, 2}});
  EXPECT_EQ(shell.LogOf("SendMessage 0x1053").size(), 2u);
  EXPECT_TRUE(shell.LogOf("SendMessage 0x1031").empty());
  EXPECT_EQ(shell.LogOf("UpdateWindow").size(), 1u);
  EXPECT_EQ(Positions(), before);
  ExpectAllReleased();
}

TEST_P(LayoutByShell, ApplyOfAnEmptyLayoutMovesNothing) {
  const auto before = Positions();
  desktop.ApplyDesktopLayout({});
  EXPECT_TRUE(shell.LogOf("SendMessage").empty());
  EXPECT_EQ(Positions(), before);
  ExpectAllReleased();
}

TEST_P(LayoutByShell, TheKthEntryOfACaptionMovesTheKthItemOfIt) {
  // "Dossier" and "DOSSIER" are one caption to the control.
  desktop.ApplyDesktopLayout({DesktopIcon{u"dossier", 11, 11}, DesktopIcon{u"Corbeille", 0, 0},
                              DesktopIcon{u"Dossier", 22, 22}, DesktopIcon{u"DOSSIER", 33, 33}});
  EXPECT_EQ(shell.Items()[2].x, 11);
  EXPECT_EQ(shell.Items()[4].x, 22);
  // A third entry of the caption finds no third item and is passed over.
  EXPECT_EQ(shell.LogOf("SendMessage 0x1031").size(), 3u);
}

TEST_P(LayoutByShell, ReadThenApplyRestoresAScrambledDesktopDuplicatesIncluded) {
  Layout saved;
  desktop.ReadDesktopLayout(saved);
  const auto original = Positions();
  auto scrambled = shell.Items();
  for (auto& item : scrambled) item.x += 1000, item.y = -item.y;
  shell.SetItems(scrambled);
  desktop.ApplyDesktopLayout(saved);
  auto restored = Positions();
  restored.back() = original.back();  // the empty caption cannot be looked up
  EXPECT_EQ(restored, original);
}

TEST_P(LayoutByShell, NoDesktopFailsInFrenchWithoutSearchingFurther) {
  shell.RemoveDesktop();
  Layout layout{DesktopIcon{u"garde"}};
  EXPECT_EQ(MessageOf([&] { desktop.ReadDesktopLayout(layout); }), messages::kDesktopNotFound);
  EXPECT_EQ(MessageOf([&] { desktop.ApplyDesktopLayout(layout); }), messages::kDesktopNotFound);
  EXPECT_TRUE(shell.LogOf("FindWindowExA").empty());
  EXPECT_EQ(layout.size(), 1u);
  EXPECT_TRUE(shell.LogOf("OpenProcess").empty());
}

TEST_P(LayoutByShell, AHungShellEndsTheOperationAndReleasesTheArea) {
  Layout layout{DesktopIcon{u"garde"}};
  shell.faults.hangAfterMessages = 4;  // the count, then one and a half items
  EXPECT_EQ(MessageOf([&] { desktop.ReadDesktopLayout(layout); }), messages::kDesktopNotResponding);
  EXPECT_EQ(layout, Layout{DesktopIcon{u"garde"}});
  ExpectAllReleased();
  shell.faults.hung = true;
  EXPECT_EQ(MessageOf([&] { desktop.ApplyDesktopLayout({DesktopIcon{u"Corbeille"}}); }),
            messages::kDesktopNotResponding);
  ExpectAllReleased();
}

INSTANTIATE_TEST_SUITE_P(AllShells, LayoutByShell, ::testing::ValuesIn(AllShells()), ShellName);

// An area that fails to open sends no item message and still releases what
// was opened.
struct OpenFault {
  const char* name;
  SimulatedShell::Family family;
  void (*arm)(SimulatedShell::Faults&);

  friend void PrintTo(const OpenFault& fault, std::ostream* out) { *out << fault.name; }
};

class FailedArea : public ::testing::TestWithParam<OpenFault> {};

TEST_P(FailedArea, SendsNoItemMessageAndReleasesWhatWasOpened) {
  SimulatedShell shell;
  shell.SetFamily(GetParam().family);
  shell.SetItems({Icon(u"Corbeille", 1, 2)});
  GetParam().arm(shell.faults);
  modCommon desktop{shell};
  Layout layout{DesktopIcon{u"garde"}};
  EXPECT_EQ(MessageOf([&] { desktop.ReadDesktopLayout(layout); }), messages::kExchangeAreaFailed);
  EXPECT_THROW(desktop.ApplyDesktopLayout({DesktopIcon{u"Corbeille", 50, 50}}), CommandError);
  EXPECT_TRUE(shell.LogOf("SendMessage 0x104b").empty());
  EXPECT_TRUE(shell.LogOf("SendMessage 0x1053").empty());
  EXPECT_TRUE(shell.LogOf("WriteProcessMemory").empty());
  EXPECT_TRUE(shell.LogOf("MoveMemoryToView").empty());
  EXPECT_EQ(layout.size(), 1u);
  EXPECT_EQ(shell.Items()[0].x, 1);
  EXPECT_EQ(shell.LiveAllocations(), 0u);
  EXPECT_EQ(shell.LiveViews(), 0u);
  EXPECT_EQ(shell.OpenHandles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FailedArea,
    ::testing::Values(OpenFault{"OpenProcess", SimulatedShell::Family::NT,
                                [](SimulatedShell::Faults& f) { f.openProcessFails = true; }},
                      OpenFault{"FirstAllocation", SimulatedShell::Family::NT,
                                [](SimulatedShell::Faults& f) { f.allocationFailsAt = 0; }},
                      OpenFault{"ThirdAllocation", SimulatedShell::Family::NT,
                                [](SimulatedShell::Faults& f) { f.allocationFailsAt = 2; }},
                      OpenFault{"Mapping", SimulatedShell::Family::Win9x,
                                [](SimulatedShell::Faults& f) { f.mappingFails = true; }},
                      OpenFault{"View", SimulatedShell::Family::Win9x,
                                [](SimulatedShell::Faults& f) { f.viewFails = true; }}),
    [](const ::testing::TestParamInfo<OpenFault>& info) { return std::string(info.param.name); });

TEST(DesktopLookup, FindsTheListViewUnderAWorkerWWhenProgmanNoLongerHoldsIt) {
  SimulatedShell shell;
  shell.UseWorkerWLayout();
  shell.SetItems({Icon(u"Corbeille", 3, 4)});
  modCommon desktop{shell};
  EXPECT_EQ(desktop.FindDesktopListView(), shell.ListView());
  Layout layout;
  EXPECT_EQ(desktop.ReadDesktopLayout(layout), 1);
  EXPECT_EQ(layout[0].Name, u"Corbeille");
}

TEST(DesktopLookup, TakesTheDesignedChainFirst) {
  SimulatedShell shell;
  modCommon desktop{shell};
  EXPECT_EQ(desktop.FindDesktopListView(), shell.ListView());
  EXPECT_THAT(shell.LogOf("FindWindow"),
              ElementsAre("FindWindowA Progman", ::testing::EndsWith(" 0x0 *"),
                          ::testing::EndsWith(" 0x0 *")));
}

}  // namespace
}  // namespace icotrace::testing
