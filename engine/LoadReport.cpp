#include "engine/LoadReport.h"

#include <string>
#include <vector>

namespace quilmo {
namespace {

// The singular text for one, else the plural one with "#" replaced by the number.
std::string Counted(std::uint64_t n, const std::string& one, const std::string& many) {
  if (n == 1) return one;
  std::string text = many;
  const std::size_t at = text.find('#');
  if (at != std::string::npos) text.replace(at, 1, std::to_string(n));
  return text;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (!text.empty()) text += '\n';
    text += line;
  }
  return text;
}

std::string MixedLineEndsNote(const TLoadReport& report) {
  std::string text = "Les fins de ligne sont mélangées : " + Counted(report.CrLfCount, "1 CR LF", "# CR LF") +
                     ", " + Counted(report.LoneCrCount, "1 CR seul", "# CR seuls") + ", " +
                     Counted(report.LoneLfCount, "1 LF seul", "# LF seuls") + ".";
  if (report.LoneLfCount > 0) text += " Un LF seul fait partie de sa ligne et est enregistré tel quel.";
  return text;
}

}  // namespace

bool TLoadReport::MixedLineEnds() const {
  return (CrLfCount > 0) + (LoneCrCount > 0) + (LoneLfCount > 0) >= 2;
}

std::string LoadReportMessage(const TLoadReport& report, const std::string& fileName,
                              std::int32_t paraLengthLimit) {
  const std::string name = "« " + fileName + " »";
  if (report.ReadOnly()) {
    return "Le fichier " + name + " est ouvert en lecture seule.\n\nIl est en UTF-8 et contient " +
           Counted(report.UnmappableCount,
                   "1 caractère absent du jeu de caractères Windows-1252, affiché « ? »",
                   "# caractères absents du jeu de caractères Windows-1252, affichés « ? »") +
           " : l'enregistrer les remplacerait. Vous pouvez le lire, y chercher et copier du texte.";
  }
  std::vector<std::string> changes;
  if (report.NulCount > 0)
    changes.push_back(Counted(report.NulCount, "1 caractère nul a été remplacé par un espace.",
                              "# caractères nuls ont été remplacés par des espaces."));
  if (report.BytesAfterCtrlZ > 0)
    changes.push_back(Counted(
        report.BytesAfterCtrlZ, "Le texte s'arrête au caractère Ctrl-Z : l'octet qui le suit n'a pas été lu.",
        "Le texte s'arrête au caractère Ctrl-Z : les # octets qui le suivent n'ont pas été lus."));
  const std::string limit = std::to_string(paraLengthLimit);
  if (report.LongLineCount > 0)
    changes.push_back(Counted(
        report.LongLineCount, "1 ligne de plus de " + limit + " caractères a été coupée en plusieurs lignes.",
        "# lignes de plus de " + limit + " caractères ont été coupées en plusieurs lignes."));
  if (report.ControlCodeCount > 0)
    changes.push_back(Counted(
        report.ControlCodeCount, "1 caractère de contrôle (code 1 à 8) sera enregistré comme un espace.",
        "# caractères de contrôle (codes 1 à 8) seront enregistrés comme des espaces."));
  if (report.LoneCrCount > 0)
    changes.push_back(Counted(report.LoneCrCount,
                              "1 fin de ligne faite d'un CR seul sera enregistrée en CR LF.",
                              "# fins de ligne faites d'un CR seul seront enregistrées en CR LF."));

  std::vector<std::string> notes;
  if (report.MixedLineEnds()) notes.push_back(MixedLineEndsNote(report));
  if (changes.empty()) {
    if (notes.empty()) return {};
    return "Remarque sur le fichier " + name + " :\n\n" + Joined(notes);
  }
  notes.insert(notes.end(), changes.begin(), changes.end());
  return "Le fichier " + name + " a été modifié à l'ouverture :\n\n" + Joined(notes) +
         "\n\nCes changements seront enregistrés si vous enregistrez le fichier.";
}

}  // namespace quilmo
