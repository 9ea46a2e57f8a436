#pragma once
// What a screen reader finds in the status bar: the bar itself (its hint as the value while a
// long hint fills it) and its eight painted panels as children. Each panel reads what it shows
// as its name and its text ("12:5", "Total: 40", "Insertion"), as the panes of a status bar
// do, with what it is as its description; a toggle label drawn grey reads as off ("Num
// désactivé"). A reader is told when a panel's reading changes, and the caret position's
// change comes as a change of text, the announcement a reader expects from a status bar.

#include <QAccessibleWidget>

#include <array>

namespace quilmo {

class TStatusPanel;

class TStatusPanelAccessible : public QAccessibleWidget {
 public:
  static constexpr int kCount = 8;
  // What each panel reads; empty while no reader listens.
  using TReadings = std::array<QString, kCount>;

  explicit TStatusPanelAccessible(TStatusPanel* panel);
  ~TStatusPanelAccessible() override;
  TStatusPanelAccessible(const TStatusPanelAccessible&) = delete;
  TStatusPanelAccessible& operator=(const TStatusPanelAccessible&) = delete;

  // Installs the factory that gives every TStatusPanel this interface (once per process).
  static void Install();

  // What panel `index` (0..7) is, as its description says it.
  static QString PanelName(int index);
  // What panel `index` reads: its text, or the state a grey toggle label stands for.
  static QString Reading(const TStatusPanel& panel, int index);
  // The readings before a change, taken only while a reader listens.
  static TReadings ReadingsIfListened(const TStatusPanel& panel);
  // Tells the reader which readings differ from `before`.
  static void Announce(TStatusPanel& panel, const TReadings& before);

  // Where the events go instead of QAccessible::updateAccessibility, whatever isActive()
  // says (platforms without an accessibility bridge never become active); null restores.
  using TEventSink = void (*)(QAccessibleEvent* event);
  static void SetEventSink(TEventSink sink);

  TStatusPanel* Panel() const;
  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;

 private:
  // Registered with QAccessible when first asked for; removed with this interface.
  mutable std::array<QAccessible::Id, kCount> FChildren{};
};

}  // namespace quilmo
