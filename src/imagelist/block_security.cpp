#include "imagelist/block_security.h"

namespace icotrace::imagelist {
namespace {

DWORD AceBytes(const std::vector<BYTE>& sid) {
  return static_cast<DWORD>(sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD) + sid.size());
}

}  // namespace

BlockSecurity::BlockSecurity(const std::vector<BYTE>& ourUser, const std::vector<BYTE>& shellUser) {
  const bool shellApart = !shellUser.empty() && shellUser != ourUser;
  if (ourUser.empty() && !shellApart) return;
  DWORD aclBytes = sizeof(ACL);
  if (!ourUser.empty()) aclBytes += AceBytes(ourUser);
  if (shellApart) aclBytes += AceBytes(shellUser);
  m_acl.resize((aclBytes + sizeof(DWORD) - 1) / sizeof(DWORD));
  auto* acl = reinterpret_cast<ACL*>(m_acl.data());
  // The SIDs come straight from tokens; AddAccessAllowedAce only reads them.
  const auto sid = [](const std::vector<BYTE>& bytes) {
    return const_cast<PSID>(static_cast<const void*>(bytes.data()));
  };
  bool built = ::InitializeAcl(acl, aclBytes, ACL_REVISION) != FALSE;
  if (built && !ourUser.empty()) {
    built = ::AddAccessAllowedAce(acl, ACL_REVISION, GENERIC_ALL, sid(ourUser)) != FALSE;
  }
  if (built && shellApart) {
    built = ::AddAccessAllowedAce(acl, ACL_REVISION, FILE_MAP_READ | FILE_MAP_WRITE,
                                  sid(shellUser)) != FALSE;
  }
  built = built &&
          ::InitializeSecurityDescriptor(&m_descriptor, SECURITY_DESCRIPTOR_REVISION) != FALSE &&
          ::SetSecurityDescriptorDacl(&m_descriptor, TRUE, acl, FALSE) != FALSE;
  m_attributes = {sizeof m_attributes, &m_descriptor, FALSE};
  m_ready = built;
}

}  // namespace icotrace::imagelist
