#include "running_program.h"

namespace icotrace::e2e {

RunningProgram::RunningProgram(const std::wstring& path, const std::vector<std::wstring>& arguments,
                               DWORD idleMs) {
  std::wstring commandLine = L"\"" + path + L"\"";
  for (const std::wstring& argument : arguments) commandLine += L" \"" + argument + L"\"";
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
  Terminate();
}

bool RunningProgram::Ended(DWORD waitMs) const {
  return Started() && ::WaitForSingleObject(m_process.Get(), waitMs) == WAIT_OBJECT_0;
}

DWORD RunningProgram::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (Started()) ::GetExitCodeProcess(m_process.Get(), &code);
  return code;
}

bool RunningProgram::WaitForExit(DWORD timeoutMs, DWORD& exitCode) const {
  return Started() && ::WaitForSingleObject(m_process.Get(), timeoutMs) == WAIT_OBJECT_0 &&
         ::GetExitCodeProcess(m_process.Get(), &exitCode) != 0;
}

void RunningProgram::Terminate() {
  if (!Started() || Ended()) return;
  ::TerminateProcess(m_process.Get(), 1);
  ::WaitForSingleObject(m_process.Get(), 5000);
}

}  // namespace icotrace::e2e
