#include "program_under_test.h"

namespace icotrace::e2e {

ProgramUnderTest::ProgramUnderTest(const std::wstring& path) {
  std::wstring commandLine = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &m_process)) {
    m_process = {};
    return;
  }
  ::WaitForInputIdle(m_process.hProcess, 20000);
}

ProgramUnderTest::~ProgramUnderTest() {
  if (!Started()) return;
  if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(m_process.hProcess, 1);
    ::WaitForSingleObject(m_process.hProcess, 5000);
  }
  ::CloseHandle(m_process.hThread);
  ::CloseHandle(m_process.hProcess);
}

bool ProgramUnderTest::WaitForExit(DWORD timeoutMs, DWORD& exitCode) {
  if (!Started() || ::WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0)
    return false;
  return ::GetExitCodeProcess(m_process.hProcess, &exitCode) != 0;
}

}  // namespace icotrace::e2e
