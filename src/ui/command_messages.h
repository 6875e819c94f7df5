// What the main window's commands tell the user, besides the messages of the
// desktop access and of the layout files.
#pragma once

namespace icotrace::messages {

inline constexpr char16_t kNothingToSave[] =
    u"Le bureau ne montre aucune icône : la configuration enregistrée est conservée telle "
    u"quelle.";

}  // namespace icotrace::messages
