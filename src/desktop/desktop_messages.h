// What the desktop access tells the user when it cannot do its work.
#pragma once

namespace icotrace::messages {

inline constexpr char16_t kDesktopNotFound[] = u"Le bureau de Windows est introuvable.";
inline constexpr char16_t kDesktopNotResponding[] =
    u"Le bureau de Windows ne répond pas. Réessayez dans un instant.";
// The shell runs as administrator and Windows keeps a program that does not
// away from it.
inline constexpr char16_t kShellElevated[] =
    u"Le bureau de Windows fonctionne en tant qu'administrateur : Windows empêche Icotrace "
    u"d'accéder à ses icônes. Fermez Icotrace, puis relancez-le en tant qu'administrateur "
    u"(clic droit sur Icotrace, « Exécuter en tant qu'administrateur »).";
inline constexpr char16_t kExchangeAreaFailed[] =
    u"Impossible d'accéder aux icônes du bureau de Windows.";
inline constexpr char16_t kRunThe64BitProgram[] =
    u"Ce Windows est en 64 bits : lancez la version 64 bits d'Icotrace pour lire ou placer "
    u"les icônes du bureau.";

}  // namespace icotrace::messages
