// Texts of the windows as the user must read them, written out in full and
// independently of the program's own constants. Shared by the host tests and
// the checks of the live windows under Wine.
#pragma once

#include <string_view>

namespace icotrace::testing {

// Text1 of the About box for version 1.0.0: 24 lines, each ending with CR LF.
inline constexpr std::u16string_view kExpectedUsageText =
    u"Présentation de Icotrace Version 1.0.0\r\n"
    u"\r\n"
    u"Parfois une application désorganise la présentation de votre bureau. Vos icônes ont "
    u"perdu leur emplacement. Icotrace est fait pour vous.\r\n"
    u"Icotrace permet de sauvegarder et restituer la configuration de votre bureau.\r\n"
    u"\r\n"
    u"Attention : Avant toute sauvegarde ou restauration fermez toutes les applications en "
    u"cours.\r\n"
    u"\r\n"
    u"Principe d'utilisation de Icotrace :\r\n"
    u"\r\n"
    u"-1- Lire la configuration de votre bureau actuel.\r\n"
    u"\r\n"
    u"-2- Enregistrer la configuration.\r\n"
    u"    La configuration de votre bureau est sauvée dans le dossier\r\n"
    u"    d'installation de Icotrace en fonction de votre définition écran.\r\n"
    u"\r\n"
    u"-3- Si une application modifie la configuration de votre bureau :\r\n"
    u"    Lancer Icotrace puis cliquez sur le bouton <Charger une configuration>\r\n"
    u"\r\n"
    u"-4- Cliquez sur le bouton <Appliquer la configuration bureau>.\r\n"
    u"\r\n"
    u"    Dès que vous installez une nouvelle application avec un raccourci  \r\n"
    u"    sur le bureau, ou dès que vous  créez manuellement un raccourci, \r\n"
    u"    ou si vous modifiez la définition de votre écran en pixels, \r\n"
    u"    lancez Icotrace et enregistrez la configuration en cours.\r\n";

}  // namespace icotrace::testing
