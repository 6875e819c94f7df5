#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/command_error.h"
#include "desktop/item_matching.h"
#include "desktop/mod_common.h"
#include "desktop_test_support.h"
#include "fake_folder_view.h"

namespace icotrace::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::Optional;

TEST(ItemMatch, FollowsTheListViewSearchRules) {
  const std::vector<std::u16string> names = {u"Corbeille", u"Dossier", u"Été",
                                             u"DOSSIER",   u"",        std::u16string(260, u'L'),
                                             u"Notes",     u"dossier"};
  const Layout layout = {DesktopIcon{u"dossier"},
                         DesktopIcon{u""},
                         DesktopIcon{u"ÉTÉ"},
                         DesktopIcon{u"Dossier"},
                         DesktopIcon{u"Dossier"},
                         DesktopIcon{u"Corb"},
                         DesktopIcon{std::u16string(260, u'L')},
                         DesktopIcon{u"Dossier"},
                         DesktopIcon{u"Absent"}};
  SimulatedShell platform;
  const auto matches = MatchEntriesToItems(platform, layout, names);
  ASSERT_EQ(matches.size(), layout.size());
  EXPECT_THAT(matches[0], Optional(1u));
  EXPECT_EQ(matches[1], std::nullopt) << "an empty entry stands for no item";
  EXPECT_THAT(matches[2], Optional(2u)) << "letter case is ignored, accents included";
  EXPECT_THAT(matches[3], Optional(3u)) << "the second entry of a caption takes its second item";
  EXPECT_THAT(matches[4], Optional(7u)) << "the third, far down the list";
  EXPECT_EQ(matches[5], std::nullopt) << "only whole captions match";
  EXPECT_EQ(matches[6], std::nullopt) << "names too long for the list view are passed over too";
  EXPECT_EQ(matches[7], std::nullopt) << "no fourth item of that caption";
  EXPECT_EQ(matches[8], std::nullopt) << "a name no item bears";
}

class FolderViewApply : public ::testing::Test {
 protected:
  void SetUp() override {
    shell.SetItems({Icon(u"Corbeille", 10, 10), Icon(u"Dossier", 20, 20), Icon(u"Dossier", 30, 30),
                    Icon(u"Notes", 40, 40)});
  }
  const Layout kLayout = {DesktopIcon{u"corbeille", 100, 110}, DesktopIcon{u"Dossier", 200, 210},
                          DesktopIcon{u"Dossier", 300, 310}, DesktopIcon{u"Absent", 1, 1},
                          DesktopIcon{u"", 2, 2}};
  void ExpectRestored() {
    EXPECT_EQ(shell.Items()[0].x, 100);
    EXPECT_EQ(shell.Items()[1].x, 200);
    EXPECT_EQ(shell.Items()[2].x, 300);
    EXPECT_EQ(shell.Items()[2].y, 310);
    EXPECT_EQ(shell.Items()[3].x, 40);
    EXPECT_EQ(view.opens, view.closes);
    EXPECT_EQ(shell.LiveAllocations(), 0u);
    EXPECT_EQ(shell.OpenHandles(), 0u);
  }

  SimulatedShell shell;
  FakeFolderView view{shell};
  modCommon desktop{shell, &view};
};

TEST_F(FolderViewApply, PlacesMatchedItemsInOneBatchAndOnlyChecksThem) {
  EXPECT_EQ(desktop.ApplyDesktopLayout(kLayout), ApplyReport{});
  EXPECT_EQ(view.openedFor, shell.ListView()) << "the view must serve the desktop found";
  EXPECT_EQ(view.positionCalls, 1);
  ASSERT_EQ(view.lastPlacements.size(), 3u);
  EXPECT_EQ(view.lastPlacements[1].item, 1u);
  EXPECT_EQ(view.lastPlacements[2].item, 2u);
  EXPECT_EQ(shell.LogOf("SendMessage 0x104b").size(), 4u) << "one pass of captions checks them";
  EXPECT_TRUE(shell.LogOf("PostMessage").empty()) << "nothing left to move";
  EXPECT_TRUE(shell.LogOf("SendMessage 0x1053").empty()) << "no search per entry";
  ExpectRestored();
}

TEST_F(FolderViewApply, MovesThroughTheListViewWhatTheFolderViewLeftOrMisplaced) {
  view.itemsLeftInPlace = {0};
  view.itemsPlacedOff = {2};
  desktop.ApplyDesktopLayout(kLayout);
  const auto moves = shell.LogOf("PostMessage 0x1031");
  EXPECT_THAT(moves, ElementsAre(::testing::StartsWith("PostMessage 0x1031 0 "),
                                 ::testing::StartsWith("PostMessage 0x1031 2 ")));
  ExpectRestored();
}

TEST_F(FolderViewApply, FallsBackWholeWhenTheViewIsMissingOrRefusesTheBatch) {
  for (const bool missing : {true, false}) {
    SetUp();
    view.available = !missing;
    view.positionFails = !missing;
    shell.ClearLog();
    desktop.ApplyDesktopLayout(kLayout);
    EXPECT_EQ(shell.LogOf("PostMessage 0x1031").size(), 3u);
    ExpectRestored();
  }
}

TEST_F(FolderViewApply, CallsComeInTheirOrder) {
  desktop.ApplyDesktopLayout({DesktopIcon{u"Notes", 5, 6}});
  EXPECT_THAT(
      StepsOf(shell, {"FindWindowA", "OpenProcess", "FolderView.Open", "FolderView.ItemNames",
                      "FolderView.PositionItems 1", "FolderView.Close", "SendMessage 0x104b",
                      "PostMessage", "RedrawWindow", "UpdateWindow", "CloseHandle"}),
      ElementsAre("FindWindowA", "OpenProcess", "FolderView.Open", "FolderView.ItemNames",
                  "FolderView.PositionItems 1", "FolderView.Close", "SendMessage 0x104b",
                  "RedrawWindow", "UpdateWindow", "CloseHandle"));
}

TEST_F(FolderViewApply, ReleasesTheViewAndTheAreaWhenTheShellHangsDuringTheCheck) {
  shell.faults.hangAfterMessages = 1;
  EXPECT_THROW(desktop.ApplyDesktopLayout(kLayout), CommandError);
  EXPECT_EQ(view.opens, 1);
  EXPECT_EQ(view.closes, 1);
  EXPECT_EQ(shell.LiveAllocations(), 0u);
  EXPECT_EQ(shell.OpenHandles(), 0u);
}

TEST_F(FolderViewApply, AHungShellIsCaughtBeforeTheFolderViewIsAsked) {
  shell.faults.hung = true;
  EXPECT_THROW(desktop.ApplyDesktopLayout(kLayout), CommandError);
  EXPECT_EQ(view.opens, 0);
  EXPECT_EQ(shell.LiveAllocations(), 0u);
}

TEST_F(FolderViewApply, NothingToPlaceMakesNoBatchCall) {
  desktop.ApplyDesktopLayout({DesktopIcon{u""}, DesktopIcon{u"Absent"}});
  EXPECT_EQ(view.positionCalls, 0);
  EXPECT_EQ(view.opens, view.closes);
}

TEST_F(FolderViewApply, TheNineXFamilyKeepsTheListViewPathOnly) {
  shell.SetFamily(SimulatedShell::Family::Win9x);
  desktop.ApplyDesktopLayout(kLayout);
  EXPECT_EQ(view.opens, 0);
  ExpectRestored();
}

}  // namespace
}  // namespace icotrace::testing
