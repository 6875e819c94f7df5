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

// After an apply that found items it could not put in their places:
// "<n> icône(s) …" with the first few names, one a line.
inline constexpr char16_t kUnplacedOne[] =
    u"1 icône du bureau n'a pas pu être placée où la configuration la met :";
inline constexpr char16_t kUnplacedManyTail[] =
    u" icônes du bureau n'ont pas pu être placées où la configuration les met :";
inline constexpr char16_t kUnplacedMoreLead[] = u"… et ";
inline constexpr char16_t kUnplacedMoreTail[] = u" autres.";
inline constexpr char16_t kUnplacedAutoArrange[] =
    u"La réorganisation automatique du bureau est activée : Windows y range lui-même les "
    u"icônes. Pour la désactiver, cliquez avec le bouton droit sur le bureau, choisissez "
    u"« Affichage », puis décochez « Réorganiser automatiquement les icônes », et appliquez "
    u"de nouveau la configuration.";
inline constexpr char16_t kUnplacedOtherCause[] =
    u"Le bureau a refusé ces déplacements ou a replacé ces icônes lui-même.";

}  // namespace icotrace::messages
