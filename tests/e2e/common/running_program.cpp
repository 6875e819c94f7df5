#include "running_program.h"

namespace icotrace::e2e {

RunningProgram::RunningProgram(const std::wstring& path, DWORD idleMs) {
  std::wstring commandLine = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started)) {
    m_startError = ::GetLastError();
    return;
  }
  const UniqueKernelHandle thread(started.hThread);
  m_process.Reset(started.hProcess);
  m_processId = started.dwProcessId;
  ::WaitForInputIdle(m_process.Get(), idleMs);
}

RunningProgram::~RunningProgram() {
  if (!Started() || Ended()) return;
  ::TerminateProcess(m_process.Get(), 1);
  ::WaitForSingleObject(m_process.Get(), 5000);
}

bool RunningProgram::Ended() const {
  return Started() && ::WaitForSingleObject(m_process.Get(), 0) == WAIT_OBJECT_0;
}

bool RunningProgram::WaitForExit(DWORD timeoutMs, DWORD& exitCode) const {
  return Started() && ::WaitForSingleObject(m_process.Get(), timeoutMs) == WAIT_OBJECT_0 &&
         ::GetExitCodeProcess(m_process.Get(), &exitCode) != 0;
}

}  // namespace icotrace::e2e
