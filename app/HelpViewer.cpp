#include "app/HelpViewer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace quilmo {

namespace {

const QString kIndexPage = QStringLiteral("index.html");
const QString kWindowTitle = QStringLiteral("Aide de Quilmo");

QToolButton* NewButton(const QString& text, const QString& tip, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setText(text);
  button->setToolTip(tip);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  button->setAutoRaise(true);
  return button;
}

}  // namespace

QString HelpPageOf(int context) {
  switch (context) {
    case kHelpOptions: return QStringLiteral("proprietes.html");
    case kHelpFullScreen: return QStringLiteral("plein-ecran.html");
    default: return kIndexPage;
  }
}

QStringList HelpFolderCandidates(const QString& programFolder) {
  const QDir program(programFolder);
  return {QDir::cleanPath(program.filePath(QStringLiteral("help"))),
          QDir::cleanPath(program.filePath(QStringLiteral("../share/quilmo/help")))};
}

QString FindHelpFolder(const QStringList& candidates) {
  for (const QString& folder : candidates)
    if (QFileInfo(QDir(folder).filePath(kIndexPage)).isFile()) return folder;
  return {};
}

THelpViewer::THelpViewer(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Window), Folder_(folder) {
  setWindowTitle(kWindowTitle);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* buttons = new QHBoxLayout;
  Back_ = NewButton(QStringLiteral("◀ &Précédent"), QStringLiteral("Revenir à la page précédente"), this);
  Forward_ = NewButton(QStringLiteral("&Suivant ▶"), QStringLiteral("Aller à la page suivante"), this);
  QToolButton* index =
      NewButton(QStringLiteral("S&ommaire"), QStringLiteral("Afficher le sommaire de l'aide"), this);
  buttons->addWidget(Back_);
  buttons->addWidget(Forward_);
  buttons->addWidget(index);
  buttons->addStretch();
  layout->addLayout(buttons);
  Browser_ = new QTextBrowser(this);
  Browser_->setOpenExternalLinks(true);
  Browser_->setSearchPaths({Folder_});
  layout->addWidget(Browser_);
  Back_->setEnabled(false);
  Forward_->setEnabled(false);
  connect(Back_, &QToolButton::clicked, Browser_, &QTextBrowser::backward);
  connect(Forward_, &QToolButton::clicked, Browser_, &QTextBrowser::forward);
  connect(index, &QToolButton::clicked, this, [this] { ShowContext(kHelpIndex); });
  connect(Browser_, &QTextBrowser::backwardAvailable, Back_, &QToolButton::setEnabled);
  connect(Browser_, &QTextBrowser::forwardAvailable, Forward_, &QToolButton::setEnabled);
  connect(Browser_, &QTextBrowser::sourceChanged, this, [this] {
    const QString title = Browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? kWindowTitle : kWindowTitle + QStringLiteral(" - ") + title);
  });
  resize(640, 560);
}

void THelpViewer::keyPressEvent(QKeyEvent* event) {
  // Escape closes the window, as it closes a dialog; the keys its controls leave come here.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void THelpViewer::ShowContext(int context) {
  Browser_->setSource(QUrl::fromLocalFile(QDir(Folder_).filePath(HelpPageOf(context))));
}

void ShowHelp(QWidget* parent, int context) {
  static QPointer<THelpViewer> viewer;
  // Asked for from a modal dialog, the help is a window of that dialog: a window of the main
  // window would be blocked by the dialog and could stay under it.
  QWidget* owner = QApplication::activeModalWidget();
  if (owner == nullptr) owner = parent;
  if (viewer != nullptr && viewer->parentWidget() != owner) {
    viewer->setParent(owner, viewer->windowFlags());
    viewer->hide();
  }
  if (viewer == nullptr) {
    const QStringList candidates = HelpFolderCandidates(QCoreApplication::applicationDirPath());
    const QString folder = FindHelpFolder(candidates);
    if (folder.isEmpty()) {
      QMessageBox::warning(owner, kWindowTitle,
                           QStringLiteral("Les pages d'aide de Quilmo sont introuvables.\n\n"
                                          "Elles ont été cherchées dans les dossiers :\n%1\n\n"
                                          "Réinstallez Quilmo pour les retrouver.")
                               .arg(candidates.join(QLatin1Char('\n'))));
      return;
    }
    viewer = new THelpViewer(folder, owner);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
  }
  if (!viewer->isVisible() && owner != nullptr) {
    // Over the window it helps with, and whole on its screen.
    const QRect over = owner->window()->frameGeometry();
    QRect place(QPoint(0, 0), viewer->size());
    place.moveCenter(over.center());
    if (const QScreen* screen = owner->screen()) {
      const QRect area = screen->availableGeometry();
      place.moveRight(std::min(place.right(), area.right() - 20));
      place.moveBottom(std::min(place.bottom(), area.bottom() - 40));
      place.moveLeft(std::max(place.left(), area.left()));
      place.moveTop(std::max(place.top(), area.top()));
    }
    viewer->move(place.topLeft());
  }
  viewer->ShowContext(context);
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
}

}  // namespace quilmo
