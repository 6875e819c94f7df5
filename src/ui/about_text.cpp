#include "ui/about_text.h"

#include <array>

#include "core/decimal_text.h"
namespace icotrace {
namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";

// Blanks inside the lines are part of the text: leading, trailing and double.
constexpr std::array<std::u16string_view, 22> kUsageLines{
    u"Parfois une application désorganise la présentation de votre bureau. Vos icônes ont "
    u"perdu leur emplacement. Icotrace est fait pour vous.",
    u"Icotrace permet de sauvegarder et restituer la configuration de votre bureau.",
    u"",
    u"Attention : Avant toute sauvegarde ou restauration fermez toutes les applications en "
    u"cours.",
    u"",
    u"Principe d'utilisation de Icotrace :",
    u"",
    u"-1- Lire la configuration de votre bureau actuel.",
    u"",
    u"-2- Enregistrer la configuration.",
    u"    La configuration de votre bureau est sauvée dans le dossier",
    u"    d'installation de Icotrace en fonction de votre définition écran.",
    u"",
    u"-3- Si une application modifie la configuration de votre bureau :",
    u"    Lancer Icotrace puis cliquez sur le bouton <Charger une configuration>",
    u"",
    u"-4- Cliquez sur le bouton <Appliquer la configuration bureau>.",
    u"",
    u"    Dès que vous installez une nouvelle application avec un raccourci  ",
    u"    sur le bureau, ou dès que vous  créez manuellement un raccourci, ",
    u"    ou si vous modifiez la définition de votre écran en pixels, ",
    u"    lancez Icotrace et enregistrez la configuration en cours.",
};


}  // namespace

std::u16string AboutCaption(std::u16string_view title) {
  return u"A propos " + std::u16string(title);
}

std::u16string VersionCaption(const ProgramVersion& version) {
  return u"Version " + DecimalText(version.Major) + u"." + DecimalText(version.Minor) + u"." +
         DecimalText(version.Revision);
}

void AppendLine(std::u16string& usageText, std::u16string_view line) {
  usageText.append(line);
  usageText.append(kLineEnd);
}

std::u16string BuildUsageText(std::u16string_view versionCaption) {
  std::u16string usageText = u"Présentation de Icotrace " + std::u16string(versionCaption);
  usageText.append(kLineEnd);
  usageText.append(kLineEnd);
  for (const std::u16string_view line : kUsageLines) AppendLine(usageText, line);
  return usageText;
}

}  // namespace icotrace
