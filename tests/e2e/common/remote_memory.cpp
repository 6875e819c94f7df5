#include "remote_memory.h"

namespace icotrace::e2e {
namespace {

HANDLE OpenProcessOf(HWND window) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  return ::OpenProcess(
      PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION, FALSE,
      processId);
}

}  // namespace

RemoteMemory::RemoteMemory(HWND window) : m_process(OpenProcessOf(window)) {}

RemoteMemory::~RemoteMemory() {
  if (m_block != nullptr) ::VirtualFreeEx(m_process.Get(), m_block, 0, MEM_RELEASE);
}

BYTE* RemoteMemory::Lend(SIZE_T size) {
  if (m_process && m_block == nullptr)
    m_block =
        ::VirtualAllocEx(m_process.Get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  return static_cast<BYTE*>(m_block);
}

bool RemoteMemory::Write(const void* address, const void* data, SIZE_T size) const {
  SIZE_T written = 0;
  return m_process &&
         ::WriteProcessMemory(m_process.Get(), const_cast<void*>(address), data, size, &written) &&
         written == size;
}

bool RemoteMemory::Read(const void* address, void* data, SIZE_T size) const {
  SIZE_T read = 0;
  return m_process && ::ReadProcessMemory(m_process.Get(), address, data, size, &read) &&
         read == size;
}

}  // namespace icotrace::e2e
