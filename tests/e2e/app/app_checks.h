// The checks that every scenario makes of the running program: its rows and
// their pictures, its buttons, its messages, and that it goes on running.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "expected_layout.h"
#include "icotrace_session.h"
#include "remote_list_view.h"
#include "scratch_install.h"

namespace icotrace::e2e {

// Which picture of ImageList1 each desktop image index got, learnt over one
// run of the program: an index keeps its first picture for the whole run, no
// two indexes share one, and the image list holds no more pictures than
// indexes fetched. A second fetch of an index would show as a new picture.
class PictureBook {
 public:
  // desktopImages: how many pictures the desktop's image list holds (the
  // demo desktop's own, unless it shows the shell's view).
  explicit PictureBook(int desktopImages = demo::kImageCount) : m_desktopImages(desktopImages) {}
  // desktopUp: whether the program could reach a desktop to fetch from.
  void CheckRows(const IcotraceSession& session, const std::vector<SeenRow>& seen,
                 const std::vector<ExpectedRow>& expected, bool desktopUp, const std::string& when);
  // The picture that desktop image index got, or -1.
  int PictureOf(int desktopImage) const;

 private:
  int m_desktopImages;
  std::map<int, int> m_pictures;
  bool m_noPictureNoted = false;
  bool m_countSkipNoted = false;
};

// Reads ListView1 and compares each row's four texts; the rows as read.
std::vector<SeenRow> CheckRows(const IcotraceSession& session,
                               const std::vector<ExpectedRow>& expected, const std::string& when);
// The rows are exactly those read before (texts and pictures).
void CheckRowsUnchanged(const IcotraceSession& session, const std::vector<SeenRow>& before,
                        const std::string& when);

// The start of every scenario that begins with a layout file: writes it
// (read-only when asked), starts the program and checks that a load is
// offered at start, so that a start-up fault shows here, with the file
// looked for, the screen and the folder's files.
std::unique_ptr<IcotraceSession> StartWithLayoutFile(const ScratchInstall& install,
                                                     const std::string& bytes,
                                                     bool readOnly = false);

void CheckButtons(const IcotraceSession& session, const ButtonStates& expected,
                  const std::string& when);

// Clicks and checks the command came back (or the program ended when
// ending is expected).
bool CheckClick(IcotraceSession& session, Command command, const std::string& when,
                ClickResult expected = ClickResult::Done);

// No message box came up; one that did is reported and closed.
void CheckNoMessage(const IcotraceSession& session, const std::string& when);
// One message box, captioned "Icotrace", whose text holds every part and
// none of the absent ones (compared without regard to case); closed with OK,
// after which the program must still answer and show no other box.
void CheckMessage(const IcotraceSession& session, const std::vector<std::wstring>& parts,
                  const std::string& when, const std::vector<std::wstring>& absent = {});

}  // namespace icotrace::e2e
