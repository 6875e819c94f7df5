#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/command_error.h"
#include "desktop/desktop_messages.h"
#include "desktop/exchange_state.h"
#include "desktop/mod_common.h"
#include "desktop/mod_icons_9x.h"
#include "desktop/mod_icons_nt.h"
#include "desktop_test_support.h"
#include "message_of.h"

namespace icotrace::testing {
namespace {

using ::testing::ElementsAre;

class ExchangeAreaByShell : public ::testing::TestWithParam<ShellConfig> {
 protected:
  void SetUp() override { Configure(shell, GetParam()); }
  bool IsNt() const { return GetParam().family == SimulatedShell::Family::NT; }

  SimulatedShell shell;
  modCommon desktop{shell};
};

TEST_P(ExchangeAreaByShell, OpensRegionsSizedForTheShellAndReleasesThemAll) {
  ASSERT_NE(desktop.FindDesktopListView(), 0u);
  // modCommon opens for the list view that a desktop operation located.
  shell.SetItems({});
  Layout layout;
  desktop.ReadDesktopLayout(layout);  // locates, opens, closes
  const std::size_t item = GetParam().expectedWidth == PointerWidth::Bits64 ? 56 : 40;
  const std::size_t find = GetParam().expectedWidth == PointerWidth::Bits64 ? 40 : 24;
  if (IsNt()) {
    EXPECT_THAT(shell.LogOf("VirtualAllocEx"),
                ElementsAre("VirtualAllocEx 520", "VirtualAllocEx 8",
                            "VirtualAllocEx " + std::to_string(item),
                            "VirtualAllocEx " + std::to_string(find)));
    EXPECT_TRUE(shell.LogOf("CreateFileMappingA").empty());
  } else {
    EXPECT_THAT(shell.LogOf("CreateFileMappingA"), ElementsAre("CreateFileMappingA 592"));
    EXPECT_TRUE(shell.LogOf("VirtualAllocEx").empty());
  }
  EXPECT_EQ(shell.LiveAllocations(), 0u);
  EXPECT_EQ(shell.LiveViews(), 0u);
  EXPECT_EQ(shell.OpenHandles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(AllShells, ExchangeAreaByShell, ::testing::ValuesIn(AllShells()),
                         ShellName);

TEST(FamilyTest, OnlyPlatformIdTwoIsNt) {
  SimulatedShell shell;
  modCommon desktop{shell};
  EXPECT_TRUE(desktop.IsWindowsNT());
  EXPECT_THAT(shell.LogOf("GetVersionExA"), ElementsAre("GetVersionExA 148"));
  shell.SetFamily(SimulatedShell::Family::Win9x);
  EXPECT_FALSE(desktop.IsWindowsNT());
  shell.SetFamily(SimulatedShell::Family::NT);
  shell.faults.getVersionFails = true;
  EXPECT_FALSE(desktop.IsWindowsNT()) << "a failed question selects the 9x forms";
}

TEST(NtArea, OpensWithTheDesignedRightsAndClosesInAllocationOrder) {
  SimulatedShell shell;
  ExchangeState state;
  state.hDesktopListView = shell.ListView();
  modIconsNT::OpenExchangeAreaNT(shell, state);
  EXPECT_THAT(shell.LogOf("OpenProcess"), ElementsAre("OpenProcess 0x1038 0 4242"));
  ASSERT_TRUE(state.RegionsReady());
  const std::vector<RemoteAddress> regions = shell.AllocationOrder();
  EXPECT_EQ(regions, (std::vector<RemoteAddress>{state.TextRegion, state.PointRegion,
                                                 state.ItemRegion, state.FindRegion}));
  const KernelHandle process = state.hShellProcess;
  shell.ClearLog();
  modIconsNT::CloseExchangeAreaNT(shell, state);
  std::vector<std::string> expected;
  for (RemoteAddress region : regions) expected.push_back("VirtualFreeEx " + HexText(region));
  expected.push_back("CloseHandle " + HexText(process));
  EXPECT_EQ(shell.Log(), expected);
  EXPECT_FALSE(state.RegionsReady()) << "addresses of a closed area are never reused";
}

TEST(NineXArea, SlicesOneMappingAndUnmapsBeforeClosing) {
  SimulatedShell shell;
  shell.SetFamily(SimulatedShell::Family::Win9x);
  ExchangeState state;
  modIcons9x::OpenExchangeArea9x(shell, state);
  ASSERT_NE(state.ExchangeView, 0u);
  EXPECT_EQ(state.TextRegion, state.ExchangeView);
  EXPECT_EQ(state.PointRegion, state.ExchangeView + 520);
  EXPECT_EQ(state.ItemRegion, state.ExchangeView + 528);
  EXPECT_EQ(state.FindRegion, state.ExchangeView + 568);
  shell.ClearLog();
  modIcons9x::CloseExchangeArea9x(shell, state);
  ASSERT_EQ(shell.Log().size(), 2u);
  EXPECT_EQ(shell.Log()[0].rfind("UnmapViewOfFile", 0), 0u);
  EXPECT_EQ(shell.Log()[1].rfind("CloseHandle", 0), 0u);
  EXPECT_EQ(shell.OpenHandles(), 0u);
}

// Push and pull through an opened NT area, straight against the regions.
class NtExchangeCopies : public ::testing::Test {
 protected:
  void SetUp() override {
    state.hDesktopListView = shell.ListView();
    modIconsNT::OpenExchangeAreaNT(shell, state);
    ASSERT_TRUE(state.RegionsReady());
  }
  void TearDown() override { modIconsNT::CloseExchangeAreaNT(shell, state); }

  SimulatedShell shell;
  ExchangeState state;
};

TEST_F(NtExchangeCopies, PushOfEmptyTextCopiesOnlyTheThreeRecords) {
  shell.ClearLog();
  modIconsNT::PushExchangeAreaNT(shell, state);
  EXPECT_EQ(shell.LogOf("WriteProcessMemory").size(), 3u);
}

TEST_F(NtExchangeCopies, PushNeverWritesPastTheTextRegion) {
  state.ExchangeText.assign(300, u'W');
  shell.ClearLog();
  modIconsNT::PushExchangeAreaNT(shell, state);
  EXPECT_EQ(shell.LogOf("WriteProcessMemory")[0],
            "WriteProcessMemory " + HexText(state.TextRegion) + " 520");
}

TEST_F(NtExchangeCopies, PullOfAShortCaptionPadsWithNul) {
  state.ExchangeText = u"Documents\u00e9";  // ten characters, no NUL: the region keeps zeros after
  modIconsNT::PushExchangeAreaNT(shell, state);
  state.ExchangeText.clear();
  modIconsNT::PullExchangeAreaNT(shell, state);
  ASSERT_EQ(state.ExchangeText.size(), 260u);
  EXPECT_EQ(state.ExchangeText.substr(0, 10), u"Documents\u00e9");
  EXPECT_EQ(state.ExchangeText.find_first_not_of(u'\0', 10), std::u16string::npos);
}

TEST_F(NtExchangeCopies, PullOfAFullRegionGivesAllItsCharacters) {
  state.ExchangeText.assign(260, u'\u0152');  // no NUL anywhere in the region
  modIconsNT::PushExchangeAreaNT(shell, state);
  state.ExchangeText.clear();
  modIconsNT::PullExchangeAreaNT(shell, state);
  EXPECT_EQ(state.ExchangeText, std::u16string(260, u'\u0152'));
}

TEST(PointerWidth, ThirtyTwoBitProgramRefusesASixtyFourBitShellBeforeWritingAnything) {
  SimulatedShell shell;
  shell.SetProgram(32, true);
  shell.SetShell(64, false);
  shell.SetItems({Icon(u"Corbeille", 10, 10)});
  modCommon desktop{shell};
  Layout layout{DesktopIcon{u"avant", 1, 2, 3, 4}};
  EXPECT_EQ(MessageOf([&] { desktop.ReadDesktopLayout(layout); }), messages::kRunThe64BitProgram);
  EXPECT_TRUE(shell.LogOf("VirtualAllocEx").empty());
  EXPECT_TRUE(shell.LogOf("WriteProcessMemory").empty());
  EXPECT_TRUE(shell.LogOf("SendMessage 0x104b").empty());
  EXPECT_EQ(shell.OpenHandles(), 0u) << "the process handle is closed all the same";
  EXPECT_EQ(layout.size(), 1u);
  EXPECT_THROW(desktop.ApplyDesktopLayout({DesktopIcon{u"Corbeille", 99, 99}}), CommandError);
  EXPECT_EQ(shell.Items()[0].x, 10);
}

}  // namespace
}  // namespace icotrace::testing
