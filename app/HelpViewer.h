#pragma once
// The program's help: French HTML pages shipped beside the program, shown by context number
// in a window of the program with back, forward and index buttons.

#include <QString>
#include <QStringList>
#include <QWidget>

class QKeyEvent;
class QTextBrowser;
class QToolButton;

namespace quilmo {

// Context numbers of the help topics the program opens.
inline constexpr int kHelpIndex = 0;
inline constexpr int kHelpOptions = 51;
inline constexpr int kHelpFullScreen = 56;

// The page of a context number; unknown numbers give the index page.
QString HelpPageOf(int context);

// Where the pages may be, in order: "help" beside the program (the build folder, a portable
// copy), then "share/quilmo/help" of the prefix the program is installed under.
QStringList HelpFolderCandidates(const QString& programFolder);

// The first candidate holding the index page, or empty.
QString FindHelpFolder(const QStringList& candidates);

class THelpViewer : public QWidget {
 public:
  // `folder` holds the pages.
  THelpViewer(const QString& folder, QWidget* parent = nullptr);

  void ShowContext(int context);
  QTextBrowser* Browser() const { return Browser_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QString Folder_;
  QTextBrowser* Browser_ = nullptr;
  QToolButton* Back_ = nullptr;
  QToolButton* Forward_ = nullptr;
};

// Shows the topic of `context` in the program's help window (created at the first call, a
// window of its own above `parent`). Without help pages, says so in a message box.
void ShowHelp(QWidget* parent, int context);

}  // namespace quilmo
