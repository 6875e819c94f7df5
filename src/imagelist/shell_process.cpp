#include "imagelist/shell_process.h"

#include "platform/win/process_machine.h"

namespace icotrace::imagelist {
namespace {

std::vector<BYTE> TokenUserSid(HANDLE process) {
  std::vector<BYTE> sid;
  HANDLE opened = nullptr;
  if (process == nullptr || !::OpenProcessToken(process, TOKEN_QUERY, &opened)) return sid;
  const UniqueKernelHandle token(opened);
  DWORD size = 0;
  ::GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
  // DWORD-sized storage keeps the SID inside it aligned.
  std::vector<DWORD> buffer((size + sizeof(DWORD) - 1) / sizeof(DWORD));
  if (size != 0 && ::GetTokenInformation(token.Get(), TokenUser, buffer.data(), size, &size)) {
    const PSID user = reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid;
    if (::IsValidSid(user)) {
      const auto* bytes = static_cast<const BYTE*>(user);
      sid.assign(bytes, bytes + ::GetLengthSid(user));
    }
  }
  return sid;
}

}  // namespace

ShellProcess::ShellProcess(DWORD processId)
    : m_process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)) {}

bool ShellProcess::SharesOurMachine() const {
  if (!m_process) return true;
  const USHORT theirs = ProcessMachine(m_process.Get());
  const USHORT ours = ProcessMachine(::GetCurrentProcess());
  if (theirs != IMAGE_FILE_MACHINE_UNKNOWN && ours != IMAGE_FILE_MACHINE_UNKNOWN) {
    return theirs == ours;
  }
  // Before Windows 10 1709 only the width can be told.
  BOOL shellWow64 = FALSE;
  if (!m_process || !::IsWow64Process(m_process.Get(), &shellWow64)) return true;
  constexpr bool kWe64 = sizeof(void*) == 8;
  if (kWe64) return shellWow64 == FALSE;
  BOOL ownWow64 = FALSE;
  ::IsWow64Process(::GetCurrentProcess(), &ownWow64);
  // On a 32-bit system every process is 32-bit; on a 64-bit one a 32-bit
  // process runs under WOW64.
  return ownWow64 == FALSE || shellWow64 != FALSE;
}

std::vector<BYTE> ShellProcess::UserSid() const {
  return TokenUserSid(m_process.Get());
}

std::vector<BYTE> OurUserSid() {
  return TokenUserSid(::GetCurrentProcess());
}

}  // namespace icotrace::imagelist
