#include "sugarlog/texts/guidance.h"

#include <initializer_list>

#include "platform/core/text_util.h"
#include "platform/core/version.h"
#include "sugarlog/texts/maker.h"

namespace sugarlog {

namespace {

std::string lines(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (std::string_view part : parts) {
    if (!out.empty()) out += '\n';
    out += part;
  }
  return out;
}

constexpr std::string_view kChecklistTitle = "Recommandations de l'ANAES, via Dr Valcourt (fr.)";

// The heading and items between the checklists' common opening and closing lines.
std::string checklist(std::initializer_list<std::string_view> body) {
  std::string out =
      "Les obligations que doit suivre un médecin pour le suivi d'un diabétique non "
      "insulinodépendant.\n\n";
  out += lines(body);
  out += "\n\nANAES = Agence Nationale d'Accréditation et d'Évaluation en Santé";
  return out;
}

}  // namespace

Screen important_screen(std::int16_t langue) {
  const std::string text =
      langue == 1 ? lines({"Dans certain cas, pour que ce logiciel fonctionne adéquatement:", "",
                           "le séparateur de décimales de votre système doit être le point",
                           "et le format de date de votre système doit être [jj/mm/aa]"})
                  : lines({"In some case, the conditions for a good working application:", "",
                           "the system decimal separator should be the dot",
                           "and the system short date should be [dd/mm/yy]"});
  return {text, std::string(text::kMessageTitle)};
}

Screen three_months_screen() {
  return {checklist({"Tous les 3 ou 4 mois:", "", "- Surveiller l'observance du traitemement",
                     "- Surveiller les règles hygiénodiététiques", "- Autosurveillance glycémiqe",
                     "- Poids", "- Tension artérielle", "- Examen des pieds",
                     "- Hémoglobine glycosylée ou HBA1c"}),
          std::string(kChecklistTitle)};
}

Screen yearly_screen() {
  return {
      checklist(
          {"Une fois par année:", "", "- Examen des pieds", "- Recherche de neuropathie",
           "- Tester les reflexes ostéotendineux", "- Palpation des pouls",
           "- Recherche des soufles abdominaux, fémoraux, carotidiens",
           "- Recherche d'une hypotension orthostatique", "- Examen de la bouche,de la peau",
           "- Examen par un ophtalmologiste avec Fond d'oeil", "- ECG de repos",
           "- Dosage du LDL Cholestérol, HDL cholestérol,", "   cholestérol total et triglycérides",
           "- Créatininémie et calcul de la clairance", "- Recherche de protéinurie et d'hématurie",
           "- Recherche d'infection urinaire par bandelette", "- Recherche de microalbuminurie"}),
      std::string(kChecklistTitle)};
}

Screen about_screen(std::int16_t langue, std::string_view adresse_site) {
  const std::string_view maker =
      platform::trimmed(platform::first(kCompanyName, kCompanyNameWidth));
  const std::string email = std::string(text::kAboutEmail.in(langue)) + std::string(kMakerEmail);
  std::string text =
      lines({text::kProgramTitle.in(langue), text::kAboutSubtitle.in(langue), "", maker, email});
  text += '\n';
  text += adresse_site;
  return {text, "Version: " + std::to_string(platform::kVersionMajor) + "." +
                    std::to_string(platform::kVersionMinor) + "." +
                    std::to_string(platform::kVersionPatch)};
}

}  // namespace sugarlog
