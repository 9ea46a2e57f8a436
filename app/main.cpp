// Program entry of Kel, the Quilmo editor.
#include "app/Program.h"
#include "app/Usage.h"

int main(int argc, char* argv[]) {
  if (const int code = quilmo::AnswerInformativeArguments(argc, argv); code >= 0) return code;
  return quilmo::RunProgram(argc, argv);
}
