// ComCallDeadline for real: a call into another apartment that does not
// answer comes back cancelled at the limit, a call that answers in time is
// left alone, and the thread's filter is given back afterwards. The other
// apartment stands in for a shell that hangs: its thread sleeps in the call.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>
#include <thread>

#include "e2e_environment.h"
#include "e2e_test.h"
#include "platform/com_call_deadline.h"

namespace icotrace::e2e {
namespace {

constexpr DWORD kQuickMs = 200;   // a quick call answers after this
constexpr DWORD kHangMs = 8000;   // a hung one after this
constexpr DWORD kLimitMs = 1000;  // the deadline under test

// A stream whose reads take their time: one byte asked answers after
// kQuickMs, more after kHangMs. Nothing else of it is used.
class SlowStream final : public ISequentialStream {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_ISequentialStream) {
      *object = static_cast<ISequentialStream*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&m_references); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = ::InterlockedDecrement(&m_references);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  HRESULT STDMETHODCALLTYPE Read(void* bytes, ULONG size, ULONG* read) override {
    ::Sleep(size > 1 ? kHangMs : kQuickMs);
    std::memset(bytes, 0, size);
    if (read != nullptr) *read = size;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return E_NOTIMPL; }

 private:
  LONG m_references = 1;
};

// The other apartment: its own thread, serving calls until told to stop.
class OtherApartment {
 public:
  OtherApartment()
      : m_ready(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
        m_stop(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
        m_thread([this] { Serve(); }) {
    ::WaitForSingleObject(m_ready, 10000);
  }
  ~OtherApartment() {
    ::SetEvent(m_stop);
    m_thread.join();
    ::CloseHandle(m_ready);
    ::CloseHandle(m_stop);
  }
  OtherApartment(const OtherApartment&) = delete;
  OtherApartment& operator=(const OtherApartment&) = delete;

  // The stream as this thread may call it, or nullptr.
  ISequentialStream* Proxy() {
    ISequentialStream* proxy = nullptr;
    if (m_stream != nullptr &&
        FAILED(::CoGetInterfaceAndReleaseStream(m_stream, IID_PPV_ARGS(&proxy)))) {
      proxy = nullptr;
    }
    m_stream = nullptr;
    return proxy;
  }

 private:
  void Serve() {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    auto* stream = new SlowStream;
    if (FAILED(::CoMarshalInterThreadInterfaceInStream(IID_ISequentialStream, stream, &m_stream))) {
      m_stream = nullptr;
    }
    ::SetEvent(m_ready);
    while (::MsgWaitForMultipleObjects(1, &m_stop, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
      MSG message;
      while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    }
    stream->Release();
    ::CoUninitialize();
  }

  HANDLE m_ready;
  HANDLE m_stop;
  IStream* m_stream = nullptr;
  std::thread m_thread;
};

struct TimedCall {
  HRESULT result;
  DWORD tookMs;
};

TimedCall Read(ISequentialStream* proxy, bool hang) {
  char bytes[2] = {};
  ULONG read = 0;
  const DWORD start = ::GetTickCount();
  const HRESULT result = proxy->Read(bytes, hang ? 2 : 1, &read);
  return {result, ::GetTickCount() - start};
}

// The thread's apartment for the length of a test.
struct Apartment {
  Apartment() { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~Apartment() { ::CoUninitialize(); }
};

}  // namespace

TEST(ComCallDeadline, CancelsACallThatDoesNotAnswer) {
  const Apartment apartment;
  OtherApartment other;
  ISequentialStream* proxy = other.Proxy();
  ASSERT_NE(proxy, nullptr);
  EXPECT_EQ(Read(proxy, false).result, S_OK);
  {
    const ComCallDeadline deadline(::GetTickCount64() + kLimitMs);
    EXPECT_TRUE(deadline.Active());
    const TimedCall quick = Read(proxy, false);
    EXPECT_EQ(quick.result, S_OK);
    const TimedCall hung = Read(proxy, true);
    std::printf("   the hung call came back after %lu ms: 0x%08lX\n",
                static_cast<unsigned long>(hung.tookMs), static_cast<unsigned long>(hung.result));
    EXPECT_EQ(hung.result, RPC_E_CALL_CANCELED);
    EXPECT_GE(hung.tookMs, kLimitMs);
    // Wine fails the call as cancelled only once the answer is in; Windows
    // gives it up at once.
    if (!RunningUnderWine()) {
      EXPECT_LT(hung.tookMs, kHangMs / 2);
    }
  }
  // The thread's own filter (none here) is back.
  IMessageFilter* current = nullptr;
  EXPECT_TRUE(SUCCEEDED(::CoRegisterMessageFilter(nullptr, &current)));
  EXPECT_TRUE(current == nullptr);
  proxy->Release();
}

TEST(ComCallDeadline, DoesNothingOutsideAnApartment) {
  bool active = true;
  std::thread([&] {
    ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    active = ComCallDeadline(::GetTickCount64() + kLimitMs).Active();
    ::CoUninitialize();
  }).join();
  EXPECT_FALSE(active);
}

}  // namespace icotrace::e2e
