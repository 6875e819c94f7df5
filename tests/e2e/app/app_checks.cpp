#include "app_checks.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>

#include "e2e_test.h"
#include "message_box.h"

namespace icotrace::e2e {
namespace {

constexpr DWORD kMessageComesUpMs = 10000;

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

std::string RowLabel(const std::string& when, std::size_t row, const char* what) {
  return when + ": row " + std::to_string(row) + " " + what;
}

}  // namespace

void PictureBook::CheckRows(const IcotraceSession& session, const std::vector<SeenRow>& seen,
                            const std::vector<ExpectedRow>& expected, bool desktopUp,
                            const std::string& when) {
  for (std::size_t i = 0; i < seen.size() && i < expected.size(); ++i) {
    const int desktopImage = expected[i].Image;
    const int picture = seen[i].Image;
    const auto known = m_pictures.find(desktopImage);
    const bool hasPicture = desktopImage >= 0 && desktopImage < m_desktopImages;
    if (!hasPicture || (!desktopUp && known == m_pictures.end())) {
      EXPECT_TRUE(picture < 0) << RowLabel(when, i, "shows no picture") << ": "
                               << "image " + std::to_string(picture);
      if (picture < 0 && !m_noPictureNoted) {
        m_noPictureNoted = true;
        std::printf("note: a row without a picture has image %d%s\n", picture,
                    picture == I_IMAGENONE ? " (I_IMAGENONE)" : "");
      }
      continue;
    }
    if (known != m_pictures.end()) {
      EXPECT_EQ(picture, known->second)
          << RowLabel(when, i, "shows the picture first fetched for its image index");
      continue;
    }
    const bool fresh =
        picture >= 0 && std::none_of(m_pictures.begin(), m_pictures.end(),
                                     [&](const auto& p) { return p.second == picture; });
    EXPECT_TRUE(fresh) << RowLabel(when, i, "shows a picture of its own image index") << ": "
                       << "image " + std::to_string(picture) + " for desktop image " +
                              std::to_string(desktopImage);
    if (fresh) m_pictures[desktopImage] = picture;
  }
  const std::optional<int> count = SmallImageCount(session.ListView());
  if (!count) {
    if (!m_countSkipNoted)
      std::printf("note: not checked: the image count of ImageList1 cannot be read here\n");
    m_countSkipNoted = true;
    return;
  }
  EXPECT_EQ(*count, static_cast<int>(m_pictures.size()))
      << when + ": ImageList1 holds one picture per image index fetched";
  for (const auto& [desktopImage, picture] : m_pictures)
    EXPECT_TRUE(picture < *count) << when + ": picture of image " + std::to_string(desktopImage) +
                                         " is in ImageList1"
                                  << ": "
                                  << std::to_string(picture) + " of " + std::to_string(*count);
}

int PictureBook::PictureOf(int desktopImage) const {
  const auto known = m_pictures.find(desktopImage);
  return known == m_pictures.end() ? -1 : known->second;
}

std::vector<SeenRow> CheckRows(const IcotraceSession& session,
                               const std::vector<ExpectedRow>& expected, const std::string& when) {
  const std::vector<SeenRow> seen = ReadRows(session.ListView());
  EXPECT_EQ(seen.size(), expected.size()) << when + ": number of rows";
  for (std::size_t i = 0; i < seen.size() && i < expected.size(); ++i) {
    const ExpectedRow& row = expected[i];
    EXPECT_EQ(seen[i].Caption, row.Caption) << RowLabel(when, i, "caption");
    EXPECT_EQ(seen[i].X, std::to_wstring(row.X)) << RowLabel(when, i, "X");
    EXPECT_EQ(seen[i].Y, std::to_wstring(row.Y)) << RowLabel(when, i, "Y");
    EXPECT_EQ(seen[i].LParam, std::to_wstring(row.LParam)) << RowLabel(when, i, "lParam");
  }
  return seen;
}

void CheckRowsUnchanged(const IcotraceSession& session, const std::vector<SeenRow>& before,
                        const std::string& when) {
  const std::vector<SeenRow> now = ReadRows(session.ListView());
  const bool same =
      now.size() == before.size() &&
      std::equal(now.begin(), now.end(), before.begin(), [](const SeenRow& a, const SeenRow& b) {
        return a.Caption == b.Caption && a.X == b.X && a.Y == b.Y && a.LParam == b.LParam &&
               a.Image == b.Image;
      });
  EXPECT_TRUE(same) << when + ": the rows are as before"
                    << ": "
                    << std::to_string(now.size()) + " rows, " + std::to_string(before.size()) +
                           " before";
}

std::unique_ptr<IcotraceSession> StartWithLayoutFile(const ScratchInstall& install,
                                                     const std::string& bytes, bool readOnly) {
  install.WriteLayout(bytes);
  if (readOnly) install.SetLayoutReadOnly(true);
  auto session = std::make_unique<IcotraceSession>(install.Program());
  CheckButtons(*session, Offered(false, true, false), "at start with a layout file");
  return session;
}

void CheckButtons(const IcotraceSession& session, const ButtonStates& expected,
                  const std::string& when) {
  const ButtonStates states = session.States();
  EXPECT_TRUE(states == expected) << when << ": enabled buttons: got " << Describe(states)
                                  << ", expected " << Describe(expected) << " ("
                                  << StartAccount(session.Folder()) << ")";
}

bool CheckClick(IcotraceSession& session, Command command, const std::string& when,
                ClickResult expected) {
  const ClickResult result = session.Click(command);
  EXPECT_TRUE(result == expected) << when << ": click on \"" << Utf8(CaptionOf(command))
                                  << "\": got " << Describe(result) << ", expected "
                                  << Describe(expected) << session.WhyNotTaken(command, result);
  return result == expected;
}

void CheckNoMessage(const IcotraceSession& session, const std::string& when) {
  // The program answers from its main loop or from a box's; a box keeps the
  // main window disabled from before its loop until it is closed. So once it
  // has answered, an enabled main window means no box, with no time taken.
  EXPECT_TRUE(session.Responsive()) << when << ": Icotrace answers";
  const bool boxUp = !::IsWindowEnabled(session.Main());
  const ShownMessage message = FindMessageBox(session.Main(), boxUp ? kMessageComesUpMs : 0);
  EXPECT_TRUE(!boxUp && message.Box == nullptr)
      << when << ": no message, found \"" << Utf8(message.Text) << "\""
      << (boxUp ? " (the main window is disabled)" : "");
  CloseWithOk(message);
}

void CheckMessage(const IcotraceSession& session, const std::vector<std::wstring>& parts,
                  const std::string& when, const std::vector<std::wstring>& absent) {
  const ShownMessage message = FindMessageBox(session.Main(), kMessageComesUpMs);
  ASSERT_TRUE(message.Box != nullptr) << when + ": a message box comes up";
  std::printf("   message: %s\n", Utf8(message.Text).c_str());
  EXPECT_EQ(message.Caption, std::wstring(L"Icotrace")) << when + ": message caption";
  for (const std::wstring& part : parts)
    EXPECT_TRUE(Lower(message.Text).find(Lower(part)) != std::wstring::npos)
        << when + ": message says \"" + Utf8(part) + "\""
        << ": "
        << "\"" + Utf8(message.Text) + "\"";
  for (const std::wstring& part : absent)
    EXPECT_TRUE(Lower(message.Text).find(Lower(part)) == std::wstring::npos)
        << when + ": message does not say \"" + Utf8(part) + "\""
        << ": "
        << "\"" + Utf8(message.Text) + "\"";
  EXPECT_TRUE(CloseWithOk(message)) << when + ": OK closes the message";
  EXPECT_TRUE(session.Responsive()) << when + ": Icotrace goes on running";
  CheckNoMessage(session, when + " (after OK)");
}

}  // namespace icotrace::e2e
