// A command that must fail: it comes back within a time limit with one
// French message over the main window, and leaves the rows, the buttons and
// the layout file as they were before the click.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "icotrace_session.h"
#include "remote_list_view.h"
#include "scratch_install.h"

namespace icotrace::e2e {

// What a failed command must not change, taken when made.
class UntouchedState {
 public:
  UntouchedState(const IcotraceSession& icotrace, const ScratchInstall& install);
  void Check(const std::string& when) const;

 private:
  const IcotraceSession& m_icotrace;
  const ScratchInstall& m_install;
  std::vector<SeenRow> m_rows;
  ButtonStates m_buttons;
  std::optional<std::string> m_file;
};

// Clicks and checks that the command came back; the milliseconds it took.
ULONGLONG TimedClick(IcotraceSession& icotrace, Command command, const std::string& when);

// Clicks; the command must come back within limitMs with one message that
// holds every part (closed with OK, the program answering after it).
void CheckFailingClick(IcotraceSession& icotrace, Command command,
                       const std::vector<std::wstring>& says, const std::string& when,
                       DWORD limitMs);

}  // namespace icotrace::e2e
