// Another process's memory, reached through one of its windows: read and
// written from here, and a block lent in it for the messages whose argument
// is a record that the receiver reads or fills in its own address space.
// This program and the other have the same pointer width (one build).
#pragma once

#include <windows.h>

#include "platform/win/handles.h"

namespace icotrace::e2e {

class RemoteMemory {
 public:
  // Opens the process that owns window.
  explicit RemoteMemory(HWND window);
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;
  // Gives the lent block back.
  ~RemoteMemory();

  // Commits size bytes in the other process, once: later calls return the
  // same block. Null when it cannot.
  BYTE* Lend(SIZE_T size);
  // Whole records only: a part read or written is a failure.
  bool Write(const void* address, const void* data, SIZE_T size) const;
  bool Read(const void* address, void* data, SIZE_T size) const;

 private:
  UniqueKernelHandle m_process;
  void* m_block = nullptr;
};

}  // namespace icotrace::e2e
