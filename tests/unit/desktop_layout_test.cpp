#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>

#include "core/command_error.h"
#include "desktop/desktop_messages.h"
#include "desktop/list_view_protocol.h"
#include "desktop/mod_common.h"
#include "desktop/posted_burst.h"
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
  EXPECT_EQ(desktop.ApplyDesktopLayout(layout), ApplyReport{});
  EXPECT_EQ(shell.Items()[1].x, 7);
  EXPECT_EQ(shell.Items()[0].y, -4);
  const bool nt = GetParam().family == SimulatedShell::Family::NT;
  const char* open = nt ? "OpenProcess" : "CreateFileMappingA";
  // One pass of captions, the moves posted (the 9x family maps their places
  // apart), the positions asked back.
  std::vector<std::string> expected = {"FindWindowA", open, "SendMessage 0x104b"};
  if (!nt) expected.push_back("CreateFileMappingA");
  expected.insert(expected.end(),
                  {"PostMessage 0x1031", "PostMessage 0x1010", "RedrawWindow", "CloseHandle"});
  EXPECT_EQ(StepsOf(shell, {"FindWindowA", open, "SendMessage 0x104b", "PostMessage 0x1031",
                            "PostMessage 0x1010", "RedrawWindow", "CloseHandle"}),
            expected);
  // The moves' burst: drawing held, the moves, drawing given back, the marker.
  const auto posts = shell.LogOf("PostMessage");
  ASSERT_GE(posts.size(), 5u);
  EXPECT_THAT(std::vector<std::string>(posts.begin(), posts.begin() + 5),
              ElementsAre("PostMessage 0xb 0 0x0", ::testing::StartsWith("PostMessage 0x1031 1 "),
                          ::testing::StartsWith("PostMessage 0x1031 0 "), "PostMessage 0xb 1 0x0",
                          ::testing::StartsWith("PostMessage 0x1029 0 ")));
  EXPECT_TRUE(shell.LogOf("SendMessage 0x1053").empty()) << "no search per entry";
  // Invalidations only: nothing waits on the shell's repaint.
  EXPECT_THAT(
      shell.LogOf("RedrawWindow"),
      ElementsAre("RedrawWindow 0x0 4", "RedrawWindow " + HexText(shell.ListView()) + " 5"));
  EXPECT_EQ(shell.QueuedMessages(), 0u);
  ExpectAllReleased();
}

TEST_P(LayoutByShell, ApplyWithNoMatchStillRepaintsAndReleases) {
  const auto before = Positions();
  EXPECT_EQ(
      desktop.ApplyDesktopLayout({DesktopIcon{u"Rien", 1, 1}, DesktopIcon{u"Nulle part", 2, 2}}),
      ApplyReport{})
      << "names no item bears stay silent";
  EXPECT_TRUE(shell.LogOf("PostMessage").empty());
  EXPECT_TRUE(shell.LogOf("SendMessage 0x1031").empty());
  EXPECT_EQ(shell.LogOf("RedrawWindow").size(), 2u);
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
  EXPECT_EQ(shell.LogOf("PostMessage 0x1031").size(), 3u);
}

// Whatever the desktop's size, an apply costs the same few round trips per
// item: one pass of captions, the moves and the checks posted in bursts.
TEST_P(LayoutByShell, ApplyCostsAFixedNumberOfRoundTripsPerItem) {
  const auto costPerItem = [&](int count) {
    std::vector<SimulatedShell::Item> items;
    Layout layout;
    for (int i = 0; i < count; ++i) {
      // Every third caption twice, the copies far apart in the list.
      const std::u16string caption =
          u"Icône " + std::u16string(1, char16_t(u'A' + i % 7)) +
          (i % 3 == 0 ? u"" : std::u16string(1, char16_t(u'0' + i % 10)));
      items.push_back(Icon(caption, i, i));
      layout.push_back(DesktopIcon{caption, 1000 + i, 2000 + i});
    }
    shell.SetItems(items);
    shell.ClearLog();
    EXPECT_EQ(desktop.ApplyDesktopLayout(layout), ApplyReport{});
    for (int i = 0; i < count; ++i) EXPECT_EQ(shell.Items()[i].x, 1000 + i) << i;
    std::map<std::string, double> perItem;
    for (const char* call :
         {"SendMessage", "PostMessage", "WriteProcessMemory", "ReadProcessMemory", "MoveMemory"}) {
      perItem[call] = static_cast<double>(shell.LogOf(call).size()) / count;
    }
    return perItem;
  };
  const auto small = costPerItem(60);
  // Three bursts, two of them queued at once.
  const auto large = costPerItem(2 * static_cast<int>(kBurstItems) + 500);
  EXPECT_EQ(shell.QueuedMessages(), 0u) << "nothing left queued when the apply returns";
  EXPECT_LE(large.at("SendMessage"), 2.1) << "one read of each item";
  EXPECT_LE(large.at("PostMessage"), 2.1) << "one move and one check of each item";
  for (const auto& [call, cost] : large) {
    EXPECT_LE(cost, small.at(call) + 0.05) << call << " must not grow with the desktop";
  }
  EXPECT_TRUE(shell.LogOf("SendMessage 0x1053").empty());
}

// An item that goes while the apply runs shifts every index after it: the
// apply then searches each entry afresh, and never leaves one item in
// another's place.
TEST_P(LayoutByShell, AnItemGoneMidApplyFallsBackToOneSearchPerEntry) {
  Layout saved;
  desktop.ReadDesktopLayout(saved);
  const auto original = shell.Items();
  for (const bool duringTheMoves : {false, true}) {
    auto scrambled = original;
    for (auto& item : scrambled) item.x += 1000;
    shell.SetItems(scrambled);
    shell.faults = {};
    // Gone once the count was taken (the pass of captions meets the gap), or
    // when the first move arrives.
    (duringTheMoves ? shell.faults.removeItemAtFirstPostedMove
                    : shell.faults.removeItemAfterCount) = 0;
    shell.ClearLog();
    desktop.ApplyDesktopLayout(saved);
    EXPECT_EQ(shell.LogOf("SendMessage 0x1053").size(), 5u) << "one search per named entry";
    ASSERT_EQ(shell.Items().size(), 5u);
    for (std::size_t i = 0; i + 1 < shell.Items().size(); ++i) {
      EXPECT_EQ(shell.Items()[i].x, saved[i + 1].X) << i << " " << duringTheMoves;
      EXPECT_EQ(shell.Items()[i].y, saved[i + 1].Y) << i << " " << duringTheMoves;
    }
    ExpectAllReleased();
  }
}

TEST_P(LayoutByShell, SnappingToTheGridIsHeldOffDuringTheMovesAndGivenBack) {
  constexpr std::uint32_t kOtherStyles = 0x21;
  shell.SetExtendedStyle(lv::kExSnapToGrid | kOtherStyles);
  const Layout layout{DesktopIcon{u"Corbeille", 17, 33}, DesktopIcon{u"Dossier", 71, 12}};
  EXPECT_EQ(desktop.ApplyDesktopLayout(layout), ApplyReport{});
  EXPECT_EQ(Positions()[0], std::make_pair(17, 33));
  EXPECT_EQ(Positions()[2], std::make_pair(71, 12));
  EXPECT_EQ(shell.ExtendedStyle(), lv::kExSnapToGrid | kOtherStyles);
  // Given back sent when its post fails; the list view hidden (desktop icons
  // turned off) gets no redraw framing, which would show it.
  shell.faults.postRefused = lv::kSetExtendedStyle;
  shell.SetVisible(false);
  shell.ClearLog();
  desktop.ApplyDesktopLayout({DesktopIcon{u"Corbeille", 5, 5}});
  EXPECT_EQ(shell.ExtendedStyle(), lv::kExSnapToGrid | kOtherStyles);
  EXPECT_TRUE(shell.LogOf("PostMessage 0xb").empty());
  shell.faults = {};
  // Given back even when the shell hangs in the middle of the moves.
  // The count, the pass of captions, the origin and icon spacing of the
  // screens' check, the style twice and the origin: then it hangs.
  shell.faults.hangAfterMessages = shell.MessagesAnswered() + 1 + 2 * 6 + 2 + 2 + 1;
  shell.ClearLog();
  EXPECT_EQ(MessageOf([&] {
              desktop.ApplyDesktopLayout({DesktopIcon{u"Corbeille", 1, 1}});
            }),
            messages::kDesktopNotResponding);
  EXPECT_THAT(shell.LogOf("PostMessage 0x1036"),
              ElementsAre("PostMessage 0x1036 " + std::to_string(lv::kExSnapToGrid) + " " +
                          HexText(lv::kExSnapToGrid)));
}

// After the moves, one pass of positions tells which items found did not
// land; names no item bears stay silent.
TEST_P(LayoutByShell, ApplyTellsWhichItemsItCouldNotPlaceAndWhy) {
  const Layout layout{DesktopIcon{u"Corbeille", 500, 500}, DesktopIcon{u"Inconnu", 1, 1},
                      DesktopIcon{u"Dossier", 600, 600}, DesktopIcon{u"Été 2026", 200, 8}};
  shell.faults.ignoreMoves = true;
  EXPECT_EQ(desktop.ApplyDesktopLayout(layout),
            (ApplyReport{{u"Corbeille", u"Dossier"}, false, {}, 0, {}, {}}));
  shell.faults.ignoreMoves = false;
  shell.SetAutoArrange(true);
  const ApplyReport arranged = desktop.ApplyDesktopLayout(layout);
  EXPECT_TRUE(arranged.AutoArrange);
  EXPECT_THAT(arranged.Unplaced, ::testing::Contains(u"Corbeille"));
  ExpectAllReleased();
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

// Refused, not hung: the user is told the cure, and nothing is left open.
TEST_P(LayoutByShell, AnElevatedShellAsksForIcotraceAsAdministrator) {
  Layout layout{DesktopIcon{u"garde"}};
  shell.faults.elevatedShell = true;
  EXPECT_EQ(MessageOf([&] { desktop.ReadDesktopLayout(layout); }), messages::kShellElevated);
  EXPECT_EQ(MessageOf([&] { desktop.ApplyDesktopLayout(layout); }), messages::kShellElevated);
  EXPECT_EQ(layout, Layout{DesktopIcon{u"garde"}});
  ExpectAllReleased();
}

// A shell that stops answering with the moves queued: the French error once
// the time is up, and the moves' places left to the shell, which may still
// read them when it wakes up; everything else is released.
TEST_P(LayoutByShell, AShellThatHangsWithMovesQueuedKeepsTheirPlaces) {
  // The count, the pass of captions, the screens' check (origin and icon
  // spacing), the style and the origin: then it hangs.
  shell.faults.hangAfterMessages = 1 + 2 * 6 + 2 + 1 + 1;
  const std::uint64_t start = shell.GetTickCount64();
  EXPECT_EQ(MessageOf([&] {
              desktop.ApplyDesktopLayout({DesktopIcon{u"Dossier", 1, 2}});
            }),
            messages::kDesktopNotResponding);
  EXPECT_GE(shell.GetTickCount64() - start, kBurstTimeoutMs);
  EXPECT_LE(shell.GetTickCount64() - start, kBurstTimeoutMs + 100);
  EXPECT_EQ(shell.QueuedMessages(), 4u)
      << "the move between drawing held and given back, the marker";
  EXPECT_EQ(shell.LiveAllocations() + shell.LiveViews(), 1u);
  const std::size_t handles = GetParam().family == SimulatedShell::Family::NT ? 0u : 1u;
  EXPECT_EQ(shell.OpenHandles(), handles);
  // The shell wakes up: the queued move still finds its place.
  shell.faults.hangAfterMessages = -1;
  shell.Sleep(0);
  EXPECT_EQ(Positions()[2], std::make_pair(1, 2));
  EXPECT_EQ(shell.QueuedMessages(), 0u);
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
    [](const ::testing::TestParamInfo<OpenFault>& fault) { return std::string(fault.param.name); });

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
