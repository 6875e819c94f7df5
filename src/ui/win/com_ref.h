// Holds one reference to a COM object and releases it.
#pragma once

#include <utility>

namespace icotrace {

template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  ComRef(ComRef&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
  ComRef& operator=(ComRef&& other) noexcept {
    if (this != &other) {
      Reset();
      m_object = std::exchange(other.m_object, nullptr);
    }
    return *this;
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() { Reset(); }

  Interface* Get() const { return m_object; }
  Interface* operator->() const { return m_object; }
  explicit operator bool() const { return m_object != nullptr; }
  // Where a creating call stores the new reference.
  Interface** Put() {
    Reset();
    return &m_object;
  }
  void Reset() {
    if (m_object != nullptr) std::exchange(m_object, nullptr)->Release();
  }

 private:
  Interface* m_object = nullptr;
};

}  // namespace icotrace
