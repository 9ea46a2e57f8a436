#pragma once
// What Kel's main does once the informative arguments are answered: the application, French
// standard dialogs, the main window on the user's settings and journal folder, the message
// loop. The start-up benchmark runs the same function, so it times the program itself.

#include <functional>

namespace quilmo {

class TEditForm;

// Runs the program and returns its exit code. `shown`, when set, is called with the window
// right after it is shown, before the message loop starts.
int RunProgram(int& argc, char** argv, const std::function<void(TEditForm&)>& shown = {});

}  // namespace quilmo
