#pragma once
// What a screen reader finds in the status bar: the bar itself (its hint as the value while a
// long hint fills it) and its eight painted panels as children, each with a French name and the
// text it shows; the three toggle labels are checked while they are drawn in the normal colour.

#include <QAccessibleWidget>

#include <array>

namespace quilmo {

class TStatusPanel;

class TStatusPanelAccessible : public QAccessibleWidget {
 public:
  explicit TStatusPanelAccessible(TStatusPanel* panel);
  ~TStatusPanelAccessible() override;
  TStatusPanelAccessible(const TStatusPanelAccessible&) = delete;
  TStatusPanelAccessible& operator=(const TStatusPanelAccessible&) = delete;

  // Installs the factory that gives every TStatusPanel this interface (once per process).
  static void Install();

  // The name a reader gives panel `index` (0..7).
  static QString PanelName(int index);

  TStatusPanel* Panel() const;
  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;

 private:
  // Registered with QAccessible when first asked for; removed with this interface.
  mutable std::array<QAccessible::Id, 8> FChildren{};
};

}  // namespace quilmo
