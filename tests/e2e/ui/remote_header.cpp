#include "remote_header.h"

#include <commctrl.h>

namespace icotrace::e2e {
namespace {

constexpr int kTextCapacity = 260;

// Memory in another process, given back at the end of the scope.
class RemoteBlock {
 public:
  RemoteBlock(HANDLE process, SIZE_T size)
      : m_process(process),
        m_address(
            ::VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  ~RemoteBlock() {
    if (m_address != nullptr) ::VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
  }
  BYTE* Address() const { return static_cast<BYTE*>(m_address); }

 private:
  HANDLE m_process;
  void* m_address;
};

}  // namespace

std::vector<HeaderColumn> ReadHeaderColumns(HWND listView) {
  std::vector<HeaderColumn> columns;
  const auto header = reinterpret_cast<HWND>(::SendMessageW(listView, LVM_GETHEADER, 0, 0));
  DWORD processId = 0;
  ::GetWindowThreadProcessId(listView, &processId);
  const HANDLE process = ::OpenProcess(
      PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION, FALSE,
      processId);
  if (header == nullptr || process == nullptr) return columns;
  {
    // The record and its text buffer side by side; this program and the
    // list's have the same pointer width (one build).
    RemoteBlock block(process, sizeof(HDITEMW) + kTextCapacity * sizeof(wchar_t));
    const int count = static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; block.Address() != nullptr && i < count; ++i) {
      HDITEMW item{};
      item.mask = HDI_TEXT | HDI_WIDTH;
      item.pszText = reinterpret_cast<wchar_t*>(block.Address() + sizeof(HDITEMW));
      item.cchTextMax = kTextCapacity;
      wchar_t text[kTextCapacity] = {};
      const bool asked =
          ::WriteProcessMemory(process, block.Address(), &item, sizeof item, nullptr) &&
          ::SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(block.Address())) &&
          ::ReadProcessMemory(process, block.Address(), &item, sizeof item, nullptr) &&
          ::ReadProcessMemory(process, block.Address() + sizeof(HDITEMW), text, sizeof text,
                              nullptr);
      if (!asked) break;
      text[kTextCapacity - 1] = L'\0';
      columns.push_back({text, item.cxy});
    }
  }
  ::CloseHandle(process);
  return columns;
}

}  // namespace icotrace::e2e
