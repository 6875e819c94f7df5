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
inline constexpr char16_t kUnplacedOtherCauseOne[] =
    u"Le bureau a refusé ce déplacement ou a replacé cette icône lui-même.";
inline constexpr char16_t kUnplacedOtherCause[] =
    u"Le bureau a refusé ces déplacements ou a replacé ces icônes lui-même.";

// In the same report: icons left alone because their recorded place is on
// no current screen.
inline constexpr char16_t kOffScreenOne[] =
    u"1 icône du bureau n'a pas été déplacée : aucun des écrans actuels ne la montrerait à la "
    u"place enregistrée :";
inline constexpr char16_t kOffScreenManyTail[] =
    u" icônes du bureau n'ont pas été déplacées : aucun des écrans actuels ne les montrerait aux "
    u"places enregistrées :";
inline constexpr char16_t kOffScreenCause[] =
    u"La configuration a été enregistrée avec une autre disposition des écrans.";

// And icons moved while the desktop's own placing did not answer: Windows 10
// and 11 may put them back at the desktop's next refresh.
inline constexpr char16_t kForgettableOne[] =
    u"Le bureau n'a pas répondu à temps : 1 icône a été déplacée sans lui, et il pourrait "
    u"oublier sa place à sa prochaine actualisation. Appliquez de nouveau la configuration "
    u"quand le bureau répond : cette place durera alors.";
inline constexpr char16_t kForgettableManyLead[] = u"Le bureau n'a pas répondu à temps : ";
inline constexpr char16_t kForgettableManyTail[] =
    u" icônes ont été déplacées sans lui, et il pourrait oublier leurs places à sa prochaine "
    u"actualisation. Appliquez de nouveau la configuration quand le bureau répond : ces places "
    u"dureront alors.";

// The same when the desktop answered that it offers no placing of its own
// (a shell that is starting) or refused it.
inline constexpr char16_t kForgettableDeclinedOne[] =
    u"Le bureau n'a pas accepté de placer lui-même les icônes : 1 icône a été déplacée sans "
    u"lui, et il pourrait oublier sa place à sa prochaine actualisation. Appliquez de nouveau "
    u"la configuration dans un instant : si le bureau vient de démarrer, cette place durera "
    u"alors.";
inline constexpr char16_t kForgettableDeclinedManyLead[] =
    u"Le bureau n'a pas accepté de placer lui-même les icônes : ";
inline constexpr char16_t kForgettableDeclinedManyTail[] =
    u" icônes ont été déplacées sans lui, et il pourrait oublier leurs places à sa prochaine "
    u"actualisation. Appliquez de nouveau la configuration dans un instant : si le bureau vient "
    u"de démarrer, ces places dureront alors.";

// And icons handed to the desktop's own placing just before it stopped
// answering: it may still place them, so nothing else moved them.
inline constexpr char16_t kPendingOne[] =
    u"1 icône du bureau n'est peut-être pas encore à sa place : le bureau n'a pas répondu à "
    u"temps, mais il pourrait encore la placer lui-même :";
inline constexpr char16_t kPendingManyTail[] =
    u" icônes du bureau ne sont peut-être pas encore à leurs places : le bureau n'a pas répondu "
    u"à temps, mais il pourrait encore les placer lui-même :";
inline constexpr char16_t kPendingCauseOne[] =
    u"Icotrace ne l'a pas déplacée autrement, pour ne pas contrarier le bureau. Appliquez de "
    u"nouveau la configuration dans un instant pour vérifier sa place.";
inline constexpr char16_t kPendingCause[] =
    u"Icotrace ne les a pas déplacées autrement, pour ne pas contrarier le bureau. Appliquez de "
    u"nouveau la configuration dans un instant pour vérifier leurs places.";

}  // namespace icotrace::messages
