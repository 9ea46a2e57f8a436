// The records of the bars and the marks manager in the settings: derived from the Qt tool
// bars and dock widget when saving, applied to them when loading.
#include <QDockWidget>
#include <QListWidget>
#include <QToolBar>

#include <algorithm>
#include <map>
#include <vector>

#include "app/EditForm.h"
#include "app/Settings.h"

namespace quilmo {

namespace {

constexpr int kRecordRevision = 3;

struct TBarRecord {
  int Rev = 0;
  bool Visible = false;
  QString DockedTo;
  QString LastDock;
  int DockRow = 0;
  int DockPos = 0;
  int FloatLeft = 0;
  int FloatTop = 0;
  int FloatRightX = 0;
  int ClientWidth = 0;
  int ClientHeight = 0;
};

enum class TRecordKind { ToolBar, ToolWindow };

const struct {
  Qt::ToolBarArea ToolArea;
  Qt::DockWidgetArea DockArea;
  const char* Name;
} kDocks[] = {
    {Qt::TopToolBarArea, Qt::TopDockWidgetArea, "DockTop"},
    {Qt::LeftToolBarArea, Qt::LeftDockWidgetArea, "DockLeft"},
    {Qt::RightToolBarArea, Qt::RightDockWidgetArea, "DockRight"},
    {Qt::BottomToolBarArea, Qt::BottomDockWidgetArea, "DockBottom"},
};

QString DockName(Qt::ToolBarArea area) {
  for (const auto& dock : kDocks)
    if (dock.ToolArea == area) return QString::fromLatin1(dock.Name);
  return {};
}

QString DockName(Qt::DockWidgetArea area) {
  for (const auto& dock : kDocks)
    if (dock.DockArea == area) return QString::fromLatin1(dock.Name);
  return {};
}

bool FindDock(const QString& name, Qt::ToolBarArea& toolArea, Qt::DockWidgetArea& dockArea) {
  for (const auto& dock : kDocks)
    if (name.compare(QLatin1String(dock.Name), Qt::CaseInsensitive) == 0) {
      toolArea = dock.ToolArea;
      dockArea = dock.DockArea;
      return true;
    }
  return false;
}

bool Horizontal(Qt::ToolBarArea area) {
  return area == Qt::TopToolBarArea || area == Qt::BottomToolBarArea;
}

void WriteRecord(TSettingsStore& s, const QString& name, const TBarRecord& r, TRecordKind kind) {
  s.WriteInteger(name, QStringLiteral("Rev"), r.Rev);
  s.WriteBool(name, QStringLiteral("Visible"), r.Visible);
  s.WriteString(name, QStringLiteral("DockedTo"), r.DockedTo);
  s.WriteString(name, QStringLiteral("LastDock"), r.LastDock);
  s.WriteInteger(name, QStringLiteral("DockRow"), r.DockRow);
  s.WriteInteger(name, QStringLiteral("DockPos"), r.DockPos);
  s.WriteInteger(name, QStringLiteral("FloatLeft"), r.FloatLeft);
  s.WriteInteger(name, QStringLiteral("FloatTop"), r.FloatTop);
  if (kind == TRecordKind::ToolBar) {
    s.WriteInteger(name, QStringLiteral("FloatRightX"), r.FloatRightX);
  } else {
    s.WriteInteger(name, QStringLiteral("ClientWidth"), r.ClientWidth);
    s.WriteInteger(name, QStringLiteral("ClientHeight"), r.ClientHeight);
  }
}

TBarRecord ReadRecord(const TSettingsStore& s, const QString& name) {
  TBarRecord r;
  r.Rev = s.ReadInteger(name, QStringLiteral("Rev"), 0);
  r.Visible = s.ReadBool(name, QStringLiteral("Visible"), false);
  r.DockedTo = s.ReadString(name, QStringLiteral("DockedTo"), QString());
  r.LastDock = s.ReadString(name, QStringLiteral("LastDock"), QString());
  r.DockRow = s.ReadInteger(name, QStringLiteral("DockRow"), 0);
  r.DockPos = s.ReadInteger(name, QStringLiteral("DockPos"), 0);
  r.FloatLeft = s.ReadInteger(name, QStringLiteral("FloatLeft"), 0);
  r.FloatTop = s.ReadInteger(name, QStringLiteral("FloatTop"), 0);
  r.FloatRightX = s.ReadInteger(name, QStringLiteral("FloatRightX"), 0);
  r.ClientWidth = s.ReadInteger(name, QStringLiteral("ClientWidth"), 0);
  r.ClientHeight = s.ReadInteger(name, QStringLiteral("ClientHeight"), 0);
  return r;
}

}  // namespace

void TEditForm::SaveBarRecords() {
  TSettingsStore& s = Settings();
  const QList<QToolBar*> bars = {FBars.Toolbar, FBars.PanelBar, FBars.ScreenButton};
  for (QToolBar* bar : bars) {
    TBarRecord r;
    r.Rev = kRecordRevision;
    r.Visible = !bar->isHidden();
    const Qt::ToolBarArea area = toolBarArea(bar);
    r.LastDock = DockName(area);
    r.DockedTo = bar->isFloating() ? QStringLiteral("+") : r.LastDock;
    // Rows are the distinct offsets across the dock; the position is the offset along it.
    std::vector<int> rows;
    for (QToolBar* other : findChildren<QToolBar*>())
      if (!other->isFloating() && toolBarArea(other) == area)
        rows.push_back(Horizontal(area) ? other->y() : other->x());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const int across = Horizontal(area) ? bar->y() : bar->x();
    r.DockRow = static_cast<int>(std::lower_bound(rows.begin(), rows.end(), across) - rows.begin());
    r.DockPos = Horizontal(area) ? bar->x() : bar->y();
    if (bar->isFloating()) {
      r.FloatLeft = bar->x();
      r.FloatTop = bar->y();
      r.FloatRightX = bar->geometry().right() + 1;
    }
    WriteRecord(s, bar->objectName(), r, TRecordKind::ToolBar);
  }
  QDockWidget* form = FBars.MarkForm;
  TBarRecord r;
  r.Rev = kRecordRevision;
  r.Visible = !form->isHidden();
  r.LastDock = DockName(dockWidgetArea(form));
  r.DockedTo = form->isFloating() ? QStringLiteral("+") : r.LastDock;
  if (form->isFloating()) {
    r.FloatLeft = form->x();
    r.FloatTop = form->y();
  }
  r.ClientWidth = form->widget()->width();
  r.ClientHeight = form->widget()->height();
  WriteRecord(s, form->objectName(), r, TRecordKind::ToolWindow);
}

void TEditForm::LoadBarRecords() {
  const TSettingsStore& s = Settings();
  // Tool bars are placed again dock by dock, row by row, in the order of their positions.
  std::map<std::tuple<int, int, int>, std::pair<QToolBar*, Qt::ToolBarArea>> placed;
  for (QToolBar* bar : {FBars.Toolbar, FBars.PanelBar, FBars.ScreenButton}) {
    const TBarRecord r = ReadRecord(s, bar->objectName());
    if (r.Rev != 2 && r.Rev != 3) continue;
    Qt::ToolBarArea area = toolBarArea(bar);
    Qt::DockWidgetArea unused;
    // A tool bar cannot be made to float from here: it goes back to its last dock.
    const QString& dock = r.DockedTo == QLatin1String("+") ? r.LastDock : r.DockedTo;
    Qt::ToolBarArea wanted;
    if (FindDock(dock, wanted, unused) && bar->isAreaAllowed(wanted)) area = wanted;
    placed[{static_cast<int>(area), r.DockRow, r.DockPos}] = {bar, area};
    bar->setVisible(r.Visible);
  }
  int previousArea = -1;
  int previousRow = 0;
  for (const auto& [key, entry] : placed) {
    const auto [area, row, pos] = key;
    if (area == previousArea && row != previousRow) addToolBarBreak(entry.second);
    addToolBar(entry.second, entry.first);
    previousArea = area;
    previousRow = row;
  }

  QDockWidget* form = FBars.MarkForm;
  const TBarRecord r = ReadRecord(s, form->objectName());
  if (r.Rev != 2 && r.Rev != 3) return;
  Qt::ToolBarArea unused;
  Qt::DockWidgetArea area;
  if (r.DockedTo == QLatin1String("+")) {
    form->setFloating(true);
    form->move(r.FloatLeft, r.FloatTop);
    if (r.ClientWidth > 0 && r.ClientHeight > 0) form->widget()->resize(r.ClientWidth, r.ClientHeight);
  } else if (FindDock(r.DockedTo, unused, area)) {
    form->setFloating(false);
    addDockWidget(area, form);
  }
  form->setVisible(r.Visible);
}

}  // namespace quilmo
