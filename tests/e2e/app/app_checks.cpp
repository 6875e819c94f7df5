#include "app_checks.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>

#include "e2e_check.h"
#include "message_box.h"

namespace icotrace::e2e {
namespace {

constexpr DWORD kMessageComesUpMs = 10000;
// A box that was not asked for would be up by then: the command has returned.
constexpr DWORD kNoMessageMs = 300;

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
      Record(picture < 0, RowLabel(when, i, "shows no picture"), __FILE__, __LINE__,
             "image " + std::to_string(picture));
      if (picture < 0 && !m_noPictureNoted) {
        m_noPictureNoted = true;
        std::printf("note: a row without a picture has image %d%s\n", picture,
                    picture == I_IMAGENONE ? " (I_IMAGENONE)" : "");
      }
      continue;
    }
    if (known != m_pictures.end()) {
      RecordEqual(picture, known->second,
                  RowLabel(when, i, "shows the picture first fetched for its image index"),
                  __FILE__, __LINE__);
      continue;
    }
    const bool fresh =
        picture >= 0 && std::none_of(m_pictures.begin(), m_pictures.end(),
                                     [&](const auto& p) { return p.second == picture; });
    Record(
        fresh, RowLabel(when, i, "shows a picture of its own image index"), __FILE__, __LINE__,
        "image " + std::to_string(picture) + " for desktop image " + std::to_string(desktopImage));
    if (fresh) m_pictures[desktopImage] = picture;
  }
  const std::optional<int> count = SmallImageCount(session.ListView());
  if (!count) {
    if (!m_countSkipNoted) Skip("the image count of ImageList1 cannot be read in this system");
    m_countSkipNoted = true;
    return;
  }
  RecordEqual(*count, static_cast<int>(m_pictures.size()),
              when + ": ImageList1 holds one picture per image index fetched", __FILE__, __LINE__);
  for (const auto& [desktopImage, picture] : m_pictures)
    Record(picture < *count,
           when + ": picture of image " + std::to_string(desktopImage) + " is in ImageList1",
           __FILE__, __LINE__, std::to_string(picture) + " of " + std::to_string(*count));
}

int PictureBook::PictureOf(int desktopImage) const {
  const auto known = m_pictures.find(desktopImage);
  return known == m_pictures.end() ? -1 : known->second;
}

std::vector<SeenRow> CheckRows(const IcotraceSession& session,
                               const std::vector<ExpectedRow>& expected, const std::string& when) {
  const std::vector<SeenRow> seen = ReadRows(session.ListView());
  RecordEqual(seen.size(), expected.size(), when + ": number of rows", __FILE__, __LINE__);
  for (std::size_t i = 0; i < seen.size() && i < expected.size(); ++i) {
    const ExpectedRow& row = expected[i];
    RecordEqual(seen[i].Caption, row.Caption, RowLabel(when, i, "caption"), __FILE__, __LINE__);
    RecordEqual(seen[i].X, std::to_wstring(row.X), RowLabel(when, i, "X"), __FILE__, __LINE__);
    RecordEqual(seen[i].Y, std::to_wstring(row.Y), RowLabel(when, i, "Y"), __FILE__, __LINE__);
    RecordEqual(seen[i].LParam, std::to_wstring(row.LParam), RowLabel(when, i, "lParam"), __FILE__,
                __LINE__);
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
  Record(same, when + ": the rows are as before", __FILE__, __LINE__,
         std::to_string(now.size()) + " rows, " + std::to_string(before.size()) + " before");
}

void CheckButtons(const IcotraceSession& session, const ButtonStates& expected,
                  const std::string& when) {
  const ButtonStates states = session.States();
  Record(states == expected, when + ": enabled buttons", __FILE__, __LINE__,
         "got " + Describe(states) + ", expected " + Describe(expected));
}

bool CheckClick(IcotraceSession& session, Command command, const std::string& when,
                ClickResult expected) {
  const ClickResult result = session.Click(command);
  return Record(result == expected, when + ": click on \"" + Utf8(CaptionOf(command)) + "\"",
                __FILE__, __LINE__, "got " + Describe(result) + ", expected " + Describe(expected));
}

void CheckNoMessage(const IcotraceSession& session, const std::string& when) {
  const ShownMessage message = FindMessageBox(session.Main(), kNoMessageMs);
  Record(message.Box == nullptr, when + ": no message", __FILE__, __LINE__,
         "\"" + Utf8(message.Text) + "\"");
  CloseWithOk(message);
}

void CheckMessage(const IcotraceSession& session, const std::vector<std::wstring>& parts,
                  const std::string& when, const std::vector<std::wstring>& absent) {
  const ShownMessage message = FindMessageBox(session.Main(), kMessageComesUpMs);
  if (!Record(message.Box != nullptr, when + ": a message box comes up", __FILE__, __LINE__))
    return;
  std::printf("   message: %s\n", Utf8(message.Text).c_str());
  RecordEqual(message.Caption, std::wstring(L"Icotrace"), when + ": message caption", __FILE__,
              __LINE__);
  for (const std::wstring& part : parts)
    Record(Lower(message.Text).find(Lower(part)) != std::wstring::npos,
           when + ": message says \"" + Utf8(part) + "\"", __FILE__, __LINE__,
           "\"" + Utf8(message.Text) + "\"");
  for (const std::wstring& part : absent)
    Record(Lower(message.Text).find(Lower(part)) == std::wstring::npos,
           when + ": message does not say \"" + Utf8(part) + "\"", __FILE__, __LINE__,
           "\"" + Utf8(message.Text) + "\"");
  Record(CloseWithOk(message), when + ": OK closes the message", __FILE__, __LINE__);
  Record(session.Responsive(), when + ": Icotrace goes on running", __FILE__, __LINE__);
  CheckNoMessage(session, when + " (after OK)");
}

}  // namespace icotrace::e2e
