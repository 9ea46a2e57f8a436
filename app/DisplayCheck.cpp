#include "app/DisplayCheck.h"

#include <QGuiApplication>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string_view>
#include <vector>

namespace quilmo {

namespace {

std::string Environment(const char* name) {
  return qEnvironmentVariable(name).toStdString();
}

// QT_QPA_PLATFORM may name several platforms ("wayland;xcb") with arguments ("xcb:...").
bool NeedsDisplay(const std::string& platform) {
  return platform.empty() || platform.find("xcb") != std::string::npos ||
         platform.find("wayland") != std::string::npos;
}

std::string NoDisplayReason() {
  return "aucun affichage n'est défini (DISPLAY et WAYLAND_DISPLAY sont vides)";
}

std::string Message(const std::string& reason) {
  return "Kel : la fenêtre de Quilmo ne peut pas s'ouvrir, " + reason +
         ".\n"
         "Lancez Kel dans une session graphique, ou sur un écran virtuel : Xvfb :99 & DISPLAY=:99 Kel\n"
         "Sans affichage, « Kel --help » et « Kel --version » répondent.\n";
}

struct THeldMessage {
  QtMsgType Type;
  std::string Category;
  QString Text;
};

// The handler's state: set once by InstallDisplayFailureHandler, read by the handler from
// whichever thread logs.
struct THandlerState {
  std::mutex Lock;
  QtMessageHandler Previous = nullptr;
  TDisplayEnvironment Environment;
  std::vector<THeldMessage> Held;
};

THandlerState& State() {
  static THandlerState state;
  return state;
}

void Forward(QtMessageHandler previous, QtMsgType type, const QMessageLogContext& context,
             const QString& text) {
  if (previous != nullptr) {
    previous(type, context, text);
    return;
  }
  std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

// Gives the held notes to the previous handler once the window system is up.
void ReleaseHeldMessages() {
  THandlerState& state = State();
  std::vector<THeldMessage> held;
  {
    const std::lock_guard<std::mutex> guard(state.Lock);
    held.swap(state.Held);
  }
  for (const THeldMessage& message : held) {
    const QMessageLogContext context(nullptr, 0, nullptr, message.Category.c_str());
    Forward(state.Previous, message.Type, context, message.Text);
  }
}

void DisplayFailureHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  THandlerState& state = State();
  // The platform's name is set once its plugin has connected to the window system.
  if (QGuiApplication::platformName().isEmpty()) {
    if (type == QtFatalMsg) {
      std::fputs(UnreachableDisplayMessage(state.Environment).c_str(), stderr);
      std::fflush(stderr);
      std::_Exit(kNoDisplayExitCode);
    }
    const std::string_view category = context.category != nullptr ? context.category : "";
    if (category.starts_with("qt.qpa")) {
      const std::lock_guard<std::mutex> guard(state.Lock);
      state.Held.push_back({type, std::string(category), text});
      return;
    }
  } else {
    ReleaseHeldMessages();
  }
  Forward(state.Previous, type, context, text);
}

}  // namespace

TDisplayEnvironment CurrentDisplayEnvironment(int argc, const char* const* argv) {
  TDisplayEnvironment environment;
  environment.Platform = Environment("QT_QPA_PLATFORM");
  environment.Display = Environment("DISPLAY");
  environment.WaylandDisplay = Environment("WAYLAND_DISPLAY");
  environment.SessionType = Environment("XDG_SESSION_TYPE");
  // The toolkit takes "-platform NAME" (or "--platform NAME") before the environment.
  for (int i = 1; i + 1 < argc; ++i) {
    const std::string_view argument = argv[i] != nullptr ? argv[i] : "";
    if ((argument == "-platform" || argument == "--platform") && argv[i + 1] != nullptr)
      environment.Platform = argv[i + 1];
  }
  return environment;
}

std::string MissingDisplayMessage(const TDisplayEnvironment& environment) {
  if (!environment.Platform.empty()) return {};
  if (!environment.Display.empty() || !environment.WaylandDisplay.empty()) return {};
  // A Wayland session's compositor answers on its default socket without WAYLAND_DISPLAY.
  if (environment.SessionType == "wayland") return {};
  return Message(NoDisplayReason());
}

std::string UnreachableDisplayMessage(const TDisplayEnvironment& environment) {
  if (!NeedsDisplay(environment.Platform))
    return Message("la plate-forme graphique « " + environment.Platform +
                   " » (QT_QPA_PLATFORM) n'a pas pu démarrer");
  std::string named;
  if (!environment.Display.empty()) named = "DISPLAY=" + environment.Display;
  if (!environment.WaylandDisplay.empty())
    named += (named.empty() ? "" : ", ") + ("WAYLAND_DISPLAY=" + environment.WaylandDisplay);
  if (named.empty()) return Message(NoDisplayReason());
  return Message("l'affichage ne répond pas (" + named + ")");
}

void InstallDisplayFailureHandler(int argc, const char* const* argv) {
  THandlerState& state = State();
  {
    const std::lock_guard<std::mutex> guard(state.Lock);
    state.Environment = CurrentDisplayEnvironment(argc, argv);
  }
  state.Previous = qInstallMessageHandler(DisplayFailureHandler);
  // Runs when the application is created, right after its platform has started.
  qAddPreRoutine(ReleaseHeldMessages);
}

}  // namespace quilmo
