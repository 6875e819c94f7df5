// Every text the layout files show the user, in one place.
#pragma once

namespace icotrace::messages {

inline constexpr char16_t kScreenSizeUnknown[] =
    u"Impossible de déterminer la résolution de l'écran : le nom du fichier de configuration "
    u"ne peut pas être formé.";

// "<lead> « <file> » : <reason>."
inline constexpr char16_t kSaveFailedLead[] =
    u"Impossible d'enregistrer la configuration dans le "
    u"fichier";
inline constexpr char16_t kReadFailedLead[] = u"Impossible de lire le fichier de configuration";
// "<lead> « <file> », ligne <n> : <fault>."
inline constexpr char16_t kLineFailedLead[] = u"Le fichier de configuration";
inline constexpr char16_t kLineWord[] = u"ligne";
inline constexpr char16_t kOpenQuote[] = u" « ";
inline constexpr char16_t kCloseQuote[] = u" »";
inline constexpr char16_t kReasonSeparator[] = u" : ";

// The system's reasons.
inline constexpr char16_t kReasonNotFound[] = u"le fichier est introuvable";
inline constexpr char16_t kReasonFolderMissing[] = u"le dossier ou le lecteur est introuvable";
inline constexpr char16_t kReasonAlreadyExists[] =
    u"un fichier temporaire du même nom existe déjà dans le dossier";
inline constexpr char16_t kReasonAccessDenied[] = u"accès refusé";
inline constexpr char16_t kReasonReadOnly[] = u"le fichier ou le disque est en lecture seule";
inline constexpr char16_t kReasonLocked[] = u"le fichier est utilisé par un autre programme";
inline constexpr char16_t kReasonDiskFull[] = u"le disque est plein";
inline constexpr char16_t kReasonTooLarge[] =
    u"le fichier est trop volumineux pour être une configuration du bureau";
inline constexpr char16_t kReasonSystemError[] = u"erreur système";

// What is wrong with a line.
inline constexpr char16_t kFaultTooFewFields[] =
    u"il manque des champs (une ligne en compte cinq : Nom;X;Y;Image;lParam)";
inline constexpr char16_t kFaultNulCharacter[] =
    u"la ligne contient un caractère nul (ce n'est pas un fichier de configuration)";
inline constexpr char16_t kFaultTooManyLines[] = u"le fichier compte trop de lignes";
inline constexpr char16_t kFaultInvalidUtf8[] =
    u"le fichier est marqué comme écrit en UTF-8, mais cette ligne n'est pas de l'UTF-8 valide";
// "le champ <name> <fault>"
inline constexpr char16_t kFieldWord[] = u"le champ";
inline constexpr char16_t kFaultEmptyNumber[] = u"est vide";
inline constexpr char16_t kFaultNotDecimal[] = u"n'est pas un nombre entier écrit en décimal";
inline constexpr char16_t kFaultOutOfRange[] =
    u"sort des limites d'un entier 32 bits (-2147483648 à 2147483647)";

// After a save that could not write some captions exactly: a line break,
// or a broken character that no text encoding holds.
inline constexpr char16_t kUnconvertedLead[] =
    u"La configuration a été enregistrée dans le fichier";
inline constexpr char16_t kUnconvertedBody[] =
    u", mais le nom de ces icônes contient un saut de ligne ou un caractère invalide qui ne "
    u"peut pas s'écrire exactement dans le fichier ; elles ne pourront pas être replacées :";
// "… et <n> autres."
inline constexpr char16_t kUnconvertedMoreLead[] = u"… et ";
inline constexpr char16_t kUnconvertedMoreTail[] = u" autres.";

}  // namespace icotrace::messages
