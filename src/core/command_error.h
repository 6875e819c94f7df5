// The one way a command fails: a French message for the user. The main window
// catches it in one place and shows it; nothing half-done is left behind.
#pragma once

#include <stdexcept>
#include <string>

namespace icotrace {

class CommandError : public std::runtime_error {
 public:
  explicit CommandError(std::u16string message)
      : std::runtime_error("command failed"), m_message(std::move(message)) {}

  const std::u16string& Message() const noexcept { return m_message; }

 private:
  std::u16string m_message;
};

}  // namespace icotrace
