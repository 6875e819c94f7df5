// Memory lent in another process, for the messages whose argument is a
// record the receiver reads or fills in its own address space. This program
// and the other have the same pointer width (one build).
#pragma once

#include <windows.h>

namespace icotrace::e2e {

class RemoteBlock {
 public:
  // Opens the process that owns window and commits size bytes in it.
  RemoteBlock(HWND window, SIZE_T size);
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  ~RemoteBlock();

  bool Usable() const { return m_address != nullptr; }
  BYTE* Address() const { return static_cast<BYTE*>(m_address); }
  bool Write(SIZE_T offset, const void* data, SIZE_T size) const;
  bool Read(SIZE_T offset, void* data, SIZE_T size) const;

 private:
  HANDLE m_process = nullptr;
  void* m_address = nullptr;
};

}  // namespace icotrace::e2e
