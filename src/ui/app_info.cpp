#include "ui/app_info.h"

namespace icotrace {

std::u16string DonationPage() {
  return std::u16string(SiteAddress) + u"/Don/Don.htm";
}

}  // namespace icotrace
