#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/about_links.h"
#include "ui/about_text.h"
#include "ui/app_info.h"
#include "ui_expected_texts.h"

namespace icotrace::testing {
namespace {

// The lines of a text whose every line ends with CR LF; fails on a bare LF or
// on a last line without its CR LF.
std::vector<std::u16string> LinesOf(const std::u16string& text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find(u"\r\n", start);
    if (end == std::u16string::npos) {
      ADD_FAILURE() << "the text does not end with CR LF";
      break;
    }
    const std::u16string line = text.substr(start, end - start);
    EXPECT_EQ(line.find_first_of(u"\r\n"), std::u16string::npos) << "stray CR or LF in a line";
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

TEST(AboutTexts, CaptionAndVersionReadAsTheBoxShowsThem) {
  EXPECT_EQ(AboutCaption(ApplicationTitle), u"A propos Icotrace");
  EXPECT_EQ(VersionCaption(kProgramVersion), u"Version 1.0.0");
  // Plain decimal numbers, no padding, several digits kept whole.
  EXPECT_EQ(VersionCaption({12, 0, 305}), u"Version 12.0.305");
  EXPECT_EQ(VersionCaption({4294967295u, 10, 9}), u"Version 4294967295.10.9");
}

TEST(UsageText, IsTheDesignedTextByteForByte) {
  EXPECT_EQ(BuildUsageText(VersionCaption(kProgramVersion)), kExpectedUsageText);
}

TEST(UsageText, HasTwentyFourLinesWithTheirBlanks) {
  const std::vector<std::u16string> lines = LinesOf(BuildUsageText(u"Version 1.0.0"));
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ(lines[0], u"Présentation de Icotrace Version 1.0.0");
  // The empty lines stay, the second one first.
  for (const std::size_t empty : {1, 4, 6, 8, 10, 14, 17, 19}) EXPECT_EQ(lines[empty], u"");
  for (const std::size_t indented : {12, 13, 16, 20, 21, 22, 23})
    EXPECT_EQ(lines[indented].substr(0, 5).find_first_not_of(u' '), 4u) << indented;
  EXPECT_TRUE(lines[20].ends_with(u"raccourci  "));
  EXPECT_TRUE(lines[21].ends_with(u"raccourci, "));
  EXPECT_NE(lines[21].find(u"vous  créez"), std::u16string::npos);
  EXPECT_TRUE(lines[22].ends_with(u"pixels, "));
}

TEST(UsageText, FollowsTheVersionItIsGivenAndIsBuiltAfreshEachTime) {
  const std::u16string first = BuildUsageText(u"Version 2.3.4");
  EXPECT_TRUE(first.starts_with(u"Présentation de Icotrace Version 2.3.4\r\n\r\nParfois"));
  // A second opening of the box builds the same text, not a doubled one.
  EXPECT_EQ(BuildUsageText(u"Version 2.3.4"), first);
}

TEST(UsageText, AppendLineAddsOneLineAndItsEnd) {
  std::u16string text = u"a\r\n";
  AppendLine(text, u"");
  AppendLine(text, u" b ");
  EXPECT_EQ(text, u"a\r\n\r\n b \r\n");
}

TEST(AboutLinks, OpenTheSiteItsDonationPageAndTheMailAddress) {
  const ShellOpenCall donation = ShellCallFor(AboutLink::Donation);
  const ShellOpenCall site = ShellCallFor(AboutLink::Site);
  const ShellOpenCall mail = ShellCallFor(AboutLink::Mail);
  EXPECT_EQ(site.File, u"https://www.talvero.example");
  EXPECT_EQ(donation.File, u"https://www.talvero.example/Don/Don.htm");
  EXPECT_EQ(mail.File, u"mailto:icotrace@talvero.example");
  // The two web links run in the program's folder; only the e-mail link
  // swallows its failures.
  EXPECT_TRUE(donation.InProgramFolder && site.InProgramFolder);
  EXPECT_FALSE(mail.InProgramFolder);
  EXPECT_FALSE(donation.SwallowFailures || site.SwallowFailures);
  EXPECT_TRUE(mail.SwallowFailures);
}

// The shell as a click of the About box meets it.
class RecordingShell : public ShellLauncher {
 public:
  bool ShellExecuteExW(const ShellRequest& request) override {
    requests.push_back(request);
    if (throws) throw std::runtime_error("le shell a échoué");
    return answer;
  }
  std::vector<ShellRequest> requests;
  bool answer = true;  // false: no program is associated with the address
  bool throws = false;
};

TEST(AboutLinks, AClickReachesTheShellWithOpenTheAddressTheFolderAndANormalWindow) {
  const std::u16string folder = u"C:\\Outils\\Icotrace";
  RecordingShell shell;
  OpenAboutLink(AboutLink::Site, folder, shell);
  OpenAboutLink(AboutLink::Donation, folder, shell);
  OpenAboutLink(AboutLink::Mail, folder, shell);
  constexpr int kSwShowNormal = 1;
  ASSERT_EQ(shell.requests.size(), 3u);
  EXPECT_EQ(shell.requests[0], (ShellRequest{u"Open", u"https://www.talvero.example", u"", folder,
                                             kSwShowNormal, false}));
  EXPECT_EQ(shell.requests[1], (ShellRequest{u"Open", u"https://www.talvero.example/Don/Don.htm",
                                             u"", folder, kSwShowNormal, false}));
  // The shell is told to show no box of its own when no mail program is there.
  EXPECT_EQ(shell.requests[2], (ShellRequest{u"Open", u"mailto:icotrace@talvero.example",
                                             std::nullopt, std::nullopt, kSwShowNormal, true}));
}

TEST(AboutLinks, TheMailLinkWithoutAMailProgramFailsSilently) {
  RecordingShell shell;
  shell.answer = false;
  EXPECT_NO_THROW(OpenAboutLink(AboutLink::Mail, u"C:\\Icotrace", shell));
  shell.throws = true;
  EXPECT_NO_THROW(OpenAboutLink(AboutLink::Mail, u"C:\\Icotrace", shell));
  EXPECT_EQ(shell.requests.size(), 2u);
  // A web link's failure is not swallowed: the window's one handler shows it.
  EXPECT_THROW(OpenAboutLink(AboutLink::Site, u"C:\\Icotrace", shell), std::runtime_error);
}

}  // namespace
}  // namespace icotrace::testing
