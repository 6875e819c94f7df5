#include "remote_memory.h"

namespace icotrace::e2e {

RemoteBlock::RemoteBlock(HWND window, SIZE_T size) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  m_process = ::OpenProcess(
      PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION, FALSE,
      processId);
  if (m_process != nullptr)
    m_address =
        ::VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBlock::~RemoteBlock() {
  if (m_address != nullptr) ::VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
  if (m_process != nullptr) ::CloseHandle(m_process);
}

bool RemoteBlock::Write(SIZE_T offset, const void* data, SIZE_T size) const {
  return Usable() && ::WriteProcessMemory(m_process, Address() + offset, data, size, nullptr);
}

bool RemoteBlock::Read(SIZE_T offset, void* data, SIZE_T size) const {
  return Usable() && ::ReadProcessMemory(m_process, Address() + offset, data, size, nullptr);
}

}  // namespace icotrace::e2e
