#include "ui/about_links.h"

#include "ui/app_info.h"

namespace icotrace {

ShellOpenCall ShellCallFor(AboutLink link) {
  switch (link) {
    case AboutLink::Donation:
      return {DonationPage(), true, false};
    case AboutLink::Site:
      return {std::u16string(SiteAddress), true, false};
    case AboutLink::Mail:
      return {u"mailto:" + std::u16string(MailAddress), false, true};
  }
  return {};
}

}  // namespace icotrace
