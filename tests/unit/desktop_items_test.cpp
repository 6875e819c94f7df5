#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "desktop/mod_common.h"
#include "desktop_test_support.h"

namespace icotrace::testing {
namespace {

// One item read or moved inside an area that a test opens by hand.
class ItemsByShell : public ::testing::TestWithParam<ShellConfig> {
 protected:
  void SetUp() override {
    Configure(shell, GetParam());
    shell.SetItems(
        {Icon(u"Corbeille", 16, 8, 3, 0x11),
         Icon(u"Documents", -120, 400, 7, static_cast<long long>(0xABCD'0000'8000'0001ull)),
         Icon(std::u16string(259, u'\u00e9'), 5, 5, 1), Icon(std::u16string(300, u'L'), 6, 6, 2),
         Icon(u"Dossier", 1, 1), Icon(u"dossier", 2, 2)});
    ASSERT_NE(desktop.FindDesktopListView(), 0u);
  }
  void OpenArea() {
    desktop.LocateDesktopListView();
    desktop.OpenExchangeArea();
    ASSERT_TRUE(desktop.State().RegionsReady());
    shell.ClearLog();
  }
  void TearDown() override { desktop.CloseExchangeArea(); }

  SimulatedShell shell;
  modCommon desktop{shell};
};

TEST_P(ItemsByShell, ReadAsksForTextImageAndParamThenPosition) {
  OpenArea();
  const std::optional<DesktopIcon> icon = desktop.ReadDesktopIcon(1);
  ASSERT_TRUE(icon);
  EXPECT_EQ(shell.lastGetItem.mask, 7u);
  EXPECT_EQ(shell.lastGetItem.iItem, 1);
  EXPECT_EQ(shell.lastGetItem.iSubItem, 0);
  EXPECT_EQ(shell.lastGetItem.state, 0u);
  EXPECT_EQ(shell.lastGetItem.stateMask, 0u);
  EXPECT_EQ(shell.lastGetItem.cchTextMax, 260);
  EXPECT_EQ(shell.lastGetItem.pszText, desktop.State().TextRegion);
  const std::vector<std::string> messages = shell.LogOf("SendMessage");
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "SendMessage 0x104b 0 " + HexText(desktop.State().ItemRegion));
  EXPECT_EQ(messages[1], "SendMessage 0x1010 1 " + HexText(desktop.State().PointRegion));
  EXPECT_EQ(icon->X, -120);
  EXPECT_EQ(icon->Y, 400);
  EXPECT_EQ(icon->Image, 7);
  // Only the low 32 bits of a wide item data are kept.
  EXPECT_EQ(icon->lParam, static_cast<std::int32_t>(0x80000001u));
  ASSERT_EQ(icon->Name.size(), 260u);
  EXPECT_EQ(icon->Name.substr(0, 10), std::u16string(u"Documents\0", 10));
}

TEST_P(ItemsByShell, CaptionsUpTo259CharactersComeBackWholeAndLongerOnesStayInTheRegion) {
  OpenArea();
  const std::optional<DesktopIcon> full = desktop.ReadDesktopIcon(2);
  ASSERT_TRUE(full);
  EXPECT_EQ(full->Name.substr(0, 259), std::u16string(259, u'\u00e9'));
  EXPECT_EQ(full->Name[259], u'\0');
  // 300 characters: the control writes 259 and a NUL, and nothing past it
  // (the simulated shell fails the test on any write outside a region).
  const std::optional<DesktopIcon> cut = desktop.ReadDesktopIcon(3);
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->Name.substr(0, 259), std::u16string(259, u'L'));
  EXPECT_EQ(cut->X, 6);
}

TEST_P(ItemsByShell, MoveSendsTheNameWithItsNulAndMovesTheMatch) {
  OpenArea();
  EXPECT_EQ(desktop.MoveDesktopIcon(u"CORBEILLE", {300, -40}), 0);
  EXPECT_EQ(shell.lastFind.flags, 2u);
  EXPECT_EQ(shell.lastFind.psz, desktop.State().TextRegion);
  EXPECT_EQ(shell.lastFindText, u"CORBEILLE");
  EXPECT_EQ(desktop.State().ExchangeText, std::u16string(u"CORBEILLE\0", 10));
  EXPECT_EQ(shell.Items()[0].x, 300);
  EXPECT_EQ(shell.Items()[0].y, -40);
  const std::vector<std::string> messages = shell.LogOf("SendMessage");
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "SendMessage 0x1053 -1 " + HexText(desktop.State().FindRegion));
  EXPECT_EQ(messages[1], "SendMessage 0x1031 0 " + HexText(desktop.State().PointRegion));
  EXPECT_TRUE(shell.LogOf("ReadProcessMemory").empty()) << "no pull follows a move";
}

TEST_P(ItemsByShell, MoveOfAnUnknownOrPartialNameSearchesAndMovesNothing) {
  OpenArea();
  EXPECT_EQ(desktop.MoveDesktopIcon(u"Corb", {1, 1}), -1);
  EXPECT_EQ(desktop.MoveDesktopIcon(u"Poste de travail", {1, 1}), -1);
  EXPECT_THAT(shell.LogOf("SendMessage"),
              ::testing::Each(::testing::StartsWith("SendMessage 0x1053")));
  EXPECT_EQ(shell.Items()[0].x, 16);
}

TEST_P(ItemsByShell, MoveStartsAfterTheGivenItem) {
  OpenArea();
  EXPECT_EQ(desktop.MoveDesktopIcon(u"dossier", {50, 50}), 4);
  EXPECT_EQ(desktop.MoveDesktopIcon(u"dossier", {60, 60}, 4), 5);
  EXPECT_EQ(desktop.MoveDesktopIcon(u"dossier", {70, 70}, 5), -1);
  EXPECT_EQ(shell.Items()[4].x, 50);
  EXPECT_EQ(shell.Items()[5].x, 60);
}

TEST_P(ItemsByShell, NameTooLongToSendWholeIsPassedOver) {
  OpenArea();
  EXPECT_EQ(desktop.MoveDesktopIcon(std::u16string(260, u'L'), {1, 1}), -1);
  EXPECT_TRUE(shell.LogOf("SendMessage").empty());
  EXPECT_EQ(desktop.MoveDesktopIcon(std::u16string(259, u'\u00e9'), {9, 9}), 2);
  EXPECT_EQ(shell.Items()[2].x, 9);
}

TEST_P(ItemsByShell, AControlThatWrapsRoundFindsNoFurtherItem) {
  shell.faults.findWraps = true;
  OpenArea();
  EXPECT_EQ(desktop.MoveDesktopIcon(u"Corbeille", {70, 70}, 0), -1);
  EXPECT_EQ(shell.Items()[0].x, 16);
}

INSTANTIATE_TEST_SUITE_P(AllShells, ItemsByShell, ::testing::ValuesIn(AllShells()), ShellName);

}  // namespace
}  // namespace icotrace::testing
