#include "failed_command.h"

#include <cstdio>

#include "app_checks.h"
#include "e2e_test.h"

namespace icotrace::e2e {

UntouchedState::UntouchedState(const IcotraceSession& icotrace, const ScratchInstall& install)
    : m_icotrace(icotrace),
      m_install(install),
      m_rows(ReadRows(icotrace.ListView())),
      m_buttons(icotrace.States()),
      m_file(install.LayoutBytes()) {}

void UntouchedState::Check(const std::string& when) const {
  CheckRowsUnchanged(m_icotrace, m_rows, when);
  CheckButtons(m_icotrace, m_buttons, when);
  EXPECT_TRUE(m_install.LayoutBytes() == m_file)
      << when + ": the layout file is as before, byte for byte"
      << ": " << (m_file ? std::to_string(m_file->size()) + " bytes before" : "there was none");
}

ULONGLONG TimedClick(IcotraceSession& icotrace, Command command, const std::string& when) {
  const ULONGLONG start = ::GetTickCount64();
  CheckClick(icotrace, command, when);
  const ULONGLONG took = ::GetTickCount64() - start;
  std::printf("   %s: %llu ms\n", when.c_str(), took);
  return took;
}

void CheckFailingClick(IcotraceSession& icotrace, Command command,
                       const std::vector<std::wstring>& says, const std::string& when,
                       DWORD limitMs) {
  const ULONGLONG took = TimedClick(icotrace, command, when);
  EXPECT_TRUE(took <= limitMs) << when + ": comes back within " + std::to_string(limitMs) + " ms"
                               << ": " << std::to_string(took) + " ms";
  CheckMessage(icotrace, says, when);
}

}  // namespace icotrace::e2e
