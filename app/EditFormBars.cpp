// The records of the bars and the marks manager in the settings: derived from the Qt tool
// bars and dock widget when saving, applied to them when loading.
//
// A tool bar can only be made to float by Qt's own layout state, so the window's state is kept
// beside the records ("Disposition"/"Barres") and restored first: it gives floating bars their
// place and docked bars their exact positions. The records then rule wherever they disagree
// with it (or where it is missing or unreadable): a bar goes to the dock its record names, in
// the order of its row and position.
#include <QDockWidget>
#include <QListWidget>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <tuple>
#include <vector>

#include "app/EditForm.h"
#include "app/Settings.h"

namespace quilmo {

namespace {

constexpr int kRecordRevision = 3;
const QString kLayoutSection = QStringLiteral("Disposition");
const QString kLayoutValue = QStringLiteral("Barres");
const QString kFloating = QStringLiteral("+");

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
    // A floating bar may have no dock any more: it keeps the one it came from.
    if (r.LastDock.isEmpty())
      r.LastDock = s.ReadString(bar->objectName(), QStringLiteral("LastDock"), QString());
    r.DockedTo = bar->isFloating() ? kFloating : r.LastDock;
    // Rows are the distinct offsets across the dock of the bars shown there; the position is
    // the offset along it.
    std::vector<int> rows;
    for (QToolBar* other : findChildren<QToolBar*>())
      if (!other->isFloating() && !other->isHidden() && toolBarArea(other) == area)
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
  r.DockedTo = form->isFloating() ? kFloating : r.LastDock;
  if (form->isFloating()) {
    r.FloatLeft = form->x();
    r.FloatTop = form->y();
  }
  r.ClientWidth = form->widget()->width();
  r.ClientHeight = form->widget()->height();
  WriteRecord(s, form->objectName(), r, TRecordKind::ToolWindow);
  s.WriteString(kLayoutSection, kLayoutValue, QString::fromLatin1(saveState().toBase64()));
}

void TEditForm::LoadBarRecords() {
  const TSettingsStore& s = Settings();
  const QByteArray layout =
      QByteArray::fromBase64(s.ReadString(kLayoutSection, kLayoutValue, QString()).toLatin1());
  const bool restored = !layout.isEmpty() && restoreState(layout);

  struct TPlacement {
    int Area;
    int Row;
    int Pos;
    int Order;
    QToolBar* Bar;
  };
  std::vector<TPlacement> placements;
  bool replace = !restored;
  int order = 0;
  for (QToolBar* bar : {FBars.Toolbar, FBars.PanelBar, FBars.ScreenButton}) {
    const TBarRecord r = ReadRecord(s, bar->objectName());
    ++order;
    if (r.Rev != 2 && r.Rev != 3) continue;
    bar->setVisible(r.Visible);
    if (r.DockedTo == kFloating && bar->isFloating()) {
      bar->move(r.FloatLeft, r.FloatTop);
      // Shown before the window, the bar would end up under it: it comes up again once the
      // window is there.
      QTimer::singleShot(0, bar, [bar] { bar->raise(); });
      continue;
    }
    // A bar that should float but was not restored floating goes back to its last dock.
    const QString& dock = r.DockedTo == kFloating ? r.LastDock : r.DockedTo;
    Qt::ToolBarArea area = toolBarArea(bar);
    Qt::ToolBarArea wanted;
    Qt::DockWidgetArea unused;
    if (FindDock(dock, wanted, unused) && bar->isAreaAllowed(wanted)) area = wanted;
    if (bar->isFloating() || area != toolBarArea(bar)) replace = true;
    // Rows count from the top or the left; Qt fills a dock from the window's edge inwards.
    const bool fromEdge = area == Qt::TopToolBarArea || area == Qt::LeftToolBarArea;
    placements.push_back({static_cast<int>(area), fromEdge ? r.DockRow : -r.DockRow, r.DockPos, order, bar});
  }
  // Docked bars are placed again, dock by dock, row by row, unless the restored state already
  // holds each of them where its record says.
  if (replace) {
    std::sort(placements.begin(), placements.end(), [](const TPlacement& a, const TPlacement& b) {
      return std::tie(a.Area, a.Row, a.Pos, a.Order) < std::tie(b.Area, b.Row, b.Pos, b.Order);
    });
    for (std::size_t i = 0; i < placements.size(); ++i) {
      const TPlacement& p = placements[i];
      const auto area = static_cast<Qt::ToolBarArea>(p.Area);
      if (i > 0 && placements[i - 1].Area == p.Area && placements[i - 1].Row != p.Row) addToolBarBreak(area);
      const bool shown = !p.Bar->isHidden();
      addToolBar(area, p.Bar);
      p.Bar->setVisible(shown);
    }
  }

  // The marks window keeps its place but starts hidden, whatever the saved layout says: no
  // mark is listed yet.
  QDockWidget* form = FBars.MarkForm;
  form->hide();
  const TBarRecord r = ReadRecord(s, form->objectName());
  if (r.Rev != 2 && r.Rev != 3) return;
  Qt::ToolBarArea unused;
  Qt::DockWidgetArea area;
  if (r.DockedTo == kFloating) {
    form->setFloating(true);
    form->move(r.FloatLeft, r.FloatTop);
    if (r.ClientWidth > 0 && r.ClientHeight > 0) form->widget()->resize(r.ClientWidth, r.ClientHeight);
  } else if (FindDock(r.DockedTo, unused, area)) {
    form->setFloating(false);
    addDockWidget(area, form);
  }
}

}  // namespace quilmo
