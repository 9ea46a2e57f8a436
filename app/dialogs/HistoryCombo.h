#pragma once
// The ten-entry histories of the find and replace dialogs and the combo box that shows one.

#include <QComboBox>
#include <QStringList>

namespace quilmo {

inline constexpr int kHistorySize = 10;
inline constexpr int kSearchTextMax = 255;

// The list cut or padded with empty strings to exactly ten entries.
QStringList TenEntries(QStringList entries);

// Puts `text` at the top of the list: nothing when it is empty; otherwise every entry equal
// to it (exact comparison, case counts) goes, the list is cut or padded to nine entries and
// the text is inserted first, so that it holds ten.
void PushHistory(QStringList& entries, const QString& text);

// An editable combo box holding a history: at most 255 characters of text, three entries
// shown at a time in the drop-down, typed text never completed from the list nor added to it.
class THistoryCombo : public QComboBox {
  Q_OBJECT

 public:
  explicit THistoryCombo(QWidget* parent = nullptr);

  QStringList Entries() const;
  // Replaces the list; the edit text is left as it was.
  void SetEntries(const QStringList& entries);
  // PushHistory on the list; the edit text is left as it was.
  void Push(const QString& text);
};

}  // namespace quilmo
