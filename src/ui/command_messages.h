// What the main window's commands tell the user, besides the messages of the
// desktop access and of the layout files.
#pragma once

namespace icotrace::messages {

// A save of an empty desktop, with no layout file for the screen yet.
inline constexpr char16_t kNothingToSave[] =
    u"Le bureau ne montre aucune icône : il n'y a rien à enregistrer.";
// The same when the screen has a layout file, which the save leaves alone.
inline constexpr char16_t kNothingToSaveFileKept[] =
    u"Le bureau ne montre aucune icône : la configuration enregistrée est conservée telle "
    u"quelle.";

}  // namespace icotrace::messages
