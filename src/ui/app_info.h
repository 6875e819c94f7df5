// What the program knows about itself: its title, its version and the
// author's addresses. Every window takes them from here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/resources/version.h"

namespace icotrace {

inline constexpr std::u16string_view ApplicationTitle = u"Icotrace";

struct ProgramVersion {
  std::uint32_t Major = 0;
  std::uint32_t Minor = 0;
  std::uint32_t Revision = 0;
};

inline constexpr ProgramVersion kProgramVersion{ICOTRACE_VERSION_MAJOR, ICOTRACE_VERSION_MINOR,
                                                ICOTRACE_VERSION_REVISION};

// No real address is known: both stay under the reserved example domain.
inline constexpr std::u16string_view SiteAddress = u"https://www.talvero.example";
inline constexpr std::u16string_view MailAddress = u"icotrace@talvero.example";

std::u16string DonationPage();

}  // namespace icotrace
