#pragma once
// The options dialog "Propriétés": editing options, tabulations and the Open dialog's file
// filters. It reads the editor's and the window's values when it opens and writes them back
// on "&Appliquer" or "&OK"; nothing is stored by the dialog itself.

#include <QDialog>

#include "app/dialogs/DialogHost.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;

namespace quilmo {

class TFilterGrid;
class TTabSizeEdit;

inline constexpr int kOptionsHelpContext = 51;

class TOptionsForm : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 338;
  static constexpr int kClientHeight = 186;
  enum TPage { pgOptions = 0, pgTabs = 1, pgFilters = 2 };

  TOptionsForm(TDialogHost& host, QWidget* parent);

  QTabWidget* PageControl1 = nullptr;
  QCheckBox* Dialogue1 = nullptr;
  QCheckBox* Backup1 = nullptr;
  QCheckBox* AutoIndent1 = nullptr;
  QCheckBox* Deactive1 = nullptr;
  QCheckBox* Flush1 = nullptr;
  QCheckBox* Trim1 = nullptr;
  QGroupBox* Tabs1 = nullptr;
  TTabSizeEdit* Edit1 = nullptr;
  QLabel* Label1 = nullptr;
  QWidget* Panel1 = nullptr;
  QPushButton* OkBtn = nullptr;
  QPushButton* AppliquerBtn = nullptr;
  QPushButton* AnnulerBtn = nullptr;
  QPushButton* AideBtn = nullptr;

  int TabsIndex() const;
  bool OptionsDirty() const { return FOptionsDirty; }
  // Absent until the filters page is first shown.
  TFilterGrid* FilterGrid() const { return FGrid; }

  // "&Appliquer": false when the tab size is refused (then nothing is applied).
  bool AppliquerBtnClick();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // The last hint shown leaves the status bar with the dialog.
  void hideEvent(QHideEvent* event) override;

 private:
  void BuildOptionsPage(QWidget* page);
  void BuildTabsPage(QWidget* page);
  void LoadValues();
  void ControlChanged();
  void PageControl1Change(int index);
  void CreateGrid();
  void OkBtnClick();

  TDialogHost& FHost;
  QButtonGroup* FTabsGroup = nullptr;
  TFilterGrid* FGrid = nullptr;
  QString FSavedFilter;
  bool FOptionsDirty = false;
  bool FHints = false;
};

}  // namespace quilmo
