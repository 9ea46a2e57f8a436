// The real message box of the window: which button Enter presses.

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/Prompter.h"

namespace quilmo::test {
namespace {

TEST(QtPrompter, EnterPressesTheDefaultButton) {
  const struct {
    TButtons Buttons;
    TAnswer Enter;
  } cases[] = {
      {TButtons::YesNo, TAnswer::Yes},
      {TButtons::YesNoCancel, TAnswer::Yes},
      {TButtons::YesNoDefaultNo, TAnswer::No},
  };
  for (const auto& c : cases) {
    QTimer enter;
    enter.setInterval(10);
    QObject::connect(&enter, &QTimer::timeout, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
        QTest::keyClick(box, Qt::Key_Return);
    });
    enter.start();
    TQtPrompter prompter;
    EXPECT_EQ(prompter.Ask(nullptr, TMessageKind::Warning, "Avertissement", "Remplacer ?", c.Buttons),
              c.Enter)
        << static_cast<int>(c.Buttons);
  }
}

}  // namespace
}  // namespace quilmo::test
