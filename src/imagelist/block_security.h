// Who may open the exchange block: the user Icotrace runs as and the user
// the shell runs as. A block made with the default rights of an elevated
// Icotrace would be closed to a shell that runs without elevation.
#pragma once

#include <windows.h>

#include <vector>

namespace icotrace::imagelist {

class BlockSecurity {
 public:
  // Either SID may be empty; with both empty the system's defaults apply.
  BlockSecurity(const std::vector<BYTE>& ourUser, const std::vector<BYTE>& shellUser);
  BlockSecurity(const BlockSecurity&) = delete;
  BlockSecurity& operator=(const BlockSecurity&) = delete;

  // For CreateFileMappingW; nullptr when no rights could be built.
  SECURITY_ATTRIBUTES* Attributes() { return m_ready ? &m_attributes : nullptr; }

 private:
  std::vector<DWORD> m_acl;  // DWORD-aligned, as an ACL must be
  SECURITY_DESCRIPTOR m_descriptor{};
  SECURITY_ATTRIBUTES m_attributes{};
  bool m_ready = false;
};

}  // namespace icotrace::imagelist
