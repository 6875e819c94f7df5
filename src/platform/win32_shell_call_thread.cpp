#include "platform/win32_shell_call_thread.h"

#include <objbase.h>

#include <algorithm>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/win/handles.h"
#include "platform/win32_keep_responsive.h"

namespace icotrace {

struct ShellCallThread::Shared {
  std::mutex lock;
  std::deque<std::function<void()>> calls;
  bool released = false;
  UniqueKernelHandle wake{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};

  // The next call, or nothing once the owner let go and the queue is done.
  std::function<void()> Next() {
    for (;;) {
      {
        const std::lock_guard<std::mutex> held(lock);
        if (!calls.empty()) {
          std::function<void()> call = std::move(calls.front());
          calls.pop_front();
          return call;
        }
        if (released) return nullptr;
      }
      ::WaitForSingleObject(wake.Get(), INFINITE);
    }
  }
};

ShellCallThread::ShellCallThread() : m_shared(std::make_shared<Shared>()) {
  if (!m_shared->wake) return;
  try {
    std::thread([shared = m_shared] {
      const bool com = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
      while (std::function<void()> call = shared->Next()) call();
      if (com) ::CoUninitialize();
    }).detach();
  } catch (const std::system_error&) {
    m_shared->wake.Reset();  // no thread: every call is refused
  }
}

ShellCallThread::~ShellCallThread() {
  {
    const std::lock_guard<std::mutex> held(m_shared->lock);
    m_shared->released = true;
  }
  if (m_shared->wake) ::SetEvent(m_shared->wake.Get());
}

void ShellCallThread::Post(std::function<void()> call) {
  if (!m_shared->wake) return;
  {
    const std::lock_guard<std::mutex> held(m_shared->lock);
    m_shared->calls.push_back(std::move(call));
  }
  ::SetEvent(m_shared->wake.Get());
}

bool ShellCallThread::Run(std::function<void()> call, ULONGLONG deadline) {
  auto done = std::make_shared<UniqueKernelHandle>(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!m_shared->wake || !*done) return false;
  Post([call = std::move(call), done] {
    call();
    ::SetEvent(done->Get());
  });
  for (;;) {
    KeepResponsive();
    const ULONGLONG now = ::GetTickCount64();
    const DWORD wait =
        now >= deadline ? 0 : static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 100));
    if (::WaitForSingleObject(done->Get(), wait) == WAIT_OBJECT_0) return true;
    if (wait == 0) return false;
  }
}

}  // namespace icotrace
