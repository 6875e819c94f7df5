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

std::wstring PrivateCopyOf(const std::wstring& program) {
  wchar_t base[MAX_PATH];
  const DWORD length = ::GetEnvironmentVariableW(L"ICOTRACE_E2E_DIR_WIN", base, MAX_PATH);
  const std::wstring folder =
      (length == 0 || length >= MAX_PATH ? std::wstring(L".") : std::wstring(base)) +
      L"\\ui-program";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  WIN32_FIND_DATAW found;
  const HANDLE layouts = ::FindFirstFileW((folder + L"\\*.ICOLAY").c_str(), &found);
  if (layouts != INVALID_HANDLE_VALUE) {
    do {
      ::DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (::FindNextFileW(layouts, &found));
    ::FindClose(layouts);
  }
  const std::size_t slash = program.find_last_of(L"\\/");
  const std::wstring source = slash == std::wstring::npos ? L"." : program.substr(0, slash);
  const std::wstring name = slash == std::wstring::npos ? program : program.substr(slash + 1);
  const std::wstring copy = folder + L"\\" + name;
  if (!::CopyFileW(program.c_str(), copy.c_str(), FALSE)) return program;
  ::CopyFileW((source + L"\\InterprocessImageList.dll").c_str(),
              (folder + L"\\InterprocessImageList.dll").c_str(), FALSE);
  return copy;
}

std::wstring WindowsPath(std::wstring path) {
  if (path.empty() || path.front() != L'/') return path;
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return L"Z:" + path;
}

}  // namespace icotrace::e2e
