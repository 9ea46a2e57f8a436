// A start without a reachable display: which environments stop before the application is
// created, and what the French message names.

#include <QString>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DisplayCheck.h"

namespace quilmo {
namespace {

struct TDisplayCase {
  TDisplayEnvironment Environment;
  const char* Missing;      // a part of MissingDisplayMessage, or "" for none
  const char* Unreachable;  // a part of UnreachableDisplayMessage
};

TEST(DisplayCheckTest, MessagesNameWhatIsMissing) {
  const TDisplayCase cases[] = {
      {{"", "", "", ""}, "aucun affichage n'est défini", "aucun affichage n'est défini"},
      {{"", "", "", "x11"}, "aucun affichage n'est défini", "aucun affichage n'est défini"},
      {{"", ":999", "", ""}, "", "l'affichage ne répond pas (DISPLAY=:999)"},
      {{"", "", "wayland-1", ""}, "", "(WAYLAND_DISPLAY=wayland-1)"},
      {{"", ":0", "wayland-0", ""}, "", "(DISPLAY=:0, WAYLAND_DISPLAY=wayland-0)"},
      {{"", "", "", "wayland"}, "", "aucun affichage n'est défini"},
      {{"xcb", "", "", ""}, "", "aucun affichage n'est défini"},
      {{"wayland;xcb", ":5", "", ""}, "", "(DISPLAY=:5)"},
      {{"offscreen", "", "", ""}, "", "la plate-forme graphique « offscreen » (QT_QPA_PLATFORM)"},
      {{"bogus", ":0", "", ""}, "", "la plate-forme graphique « bogus »"},
  };
  for (const TDisplayCase& c : cases) {
    const std::string missing = MissingDisplayMessage(c.Environment);
    const std::string unreachable = UnreachableDisplayMessage(c.Environment);
    const std::string where = "platform '" + c.Environment.Platform + "' display '" + c.Environment.Display +
                              "' wayland '" + c.Environment.WaylandDisplay + "'";
    if (*c.Missing == '\0') {
      EXPECT_EQ(missing, "") << where;
    } else {
      EXPECT_NE(missing.find(c.Missing), std::string::npos) << where << ": " << missing;
      EXPECT_NE(missing.find("Xvfb :99 & DISPLAY=:99 Kel"), std::string::npos) << missing;
    }
    EXPECT_EQ(unreachable.rfind("Kel : la fenêtre de Quilmo ne peut pas s'ouvrir, ", 0), 0U) << unreachable;
    EXPECT_NE(unreachable.find(c.Unreachable), std::string::npos) << where << ": " << unreachable;
  }
}

TEST(DisplayCheckTest, PlatformArgumentComesBeforeTheEnvironment) {
  struct TArgumentCase {
    std::vector<const char*> Arguments;
    const char* Platform;  // null: QT_QPA_PLATFORM's value
  };
  const TArgumentCase cases[] = {
      {{"Kel", "-platform", "vnc"}, "vnc"},
      {{"Kel", "a.txt", "--platform", "minimal"}, "minimal"},
      {{"Kel", "-platform"}, nullptr},
      {{"Kel", "-i", "-platform.txt"}, nullptr},
  };
  // The tests run with QT_QPA_PLATFORM set (offscreen unless the caller chose another).
  const std::string fromEnvironment = qEnvironmentVariable("QT_QPA_PLATFORM").toStdString();
  ASSERT_FALSE(fromEnvironment.empty());
  for (const TArgumentCase& c : cases) {
    const TDisplayEnvironment environment =
        CurrentDisplayEnvironment(static_cast<int>(c.Arguments.size()), c.Arguments.data());
    EXPECT_EQ(environment.Platform, c.Platform != nullptr ? c.Platform : fromEnvironment)
        << c.Arguments.back();
    EXPECT_EQ(MissingDisplayMessage(environment), "");
  }
}

}  // namespace
}  // namespace quilmo
