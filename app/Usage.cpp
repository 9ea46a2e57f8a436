#include "app/Usage.h"

#include <iostream>
#include <string_view>

#ifndef QUILMO_VERSION
#define QUILMO_VERSION "0"
#endif

namespace quilmo {

namespace {

constexpr std::string_view kUsage =
    "Utilisation : Kel [FICHIER]\n"
    "              Kel -d | -i\n"
    "              Kel -i FICHIER\n"
    "              Kel -d -i [FICHIER]\n"
    "Quilmo, éditeur de fichiers texte.\n"
    "\n"
    "  FICHIER    ouvre ce fichier ; s'il n'existe pas, Quilmo propose de le créer\n"
    "  -d, -D     affiche la boîte de dialogue Ouvrir au démarrage\n"
    "  -i, -I     ouvre chaque nouveau document dans une nouvelle copie de Quilmo\n"
    "  --help     affiche cette aide et quitte\n"
    "  --version  affiche la version et quitte\n"
    "\n"
    "Sans argument, Quilmo démarre avec un document sans titre.\n";

}  // namespace

int AnswerInformativeArguments(int argc, const char* const* argv, std::ostream& out) {
  if (argc != 2 || argv == nullptr || argv[1] == nullptr) return -1;
  const std::string_view argument = argv[1];
  if (argument == "--help") {
    out << kUsage;
  } else if (argument == "--version") {
    out << "Quilmo (Kel) " << QUILMO_VERSION << '\n';
  } else {
    return -1;
  }
  out.flush();
  return 0;
}

int AnswerInformativeArguments(int argc, const char* const* argv) {
  return AnswerInformativeArguments(argc, argv, std::cout);
}

}  // namespace quilmo
