#pragma once
// The status bar `Panel1`: eight panels of fixed widths (caret position, line count, byte
// count, insert mode, modified, Num Lock, Caps Lock and an empty one), the grey labels of the
// states that are off, a single-panel mode for long hints, and the double-click actions by the
// mouse's x position.

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>

namespace quilmo {

// What a double-click on the bar asks of the window.
enum class TStatusAction : std::uint8_t {
  saNone,
  saGoToLine,    // open the go-to-line dialog
  saLastLine,    // caret to the start of the last line
  saInsertMode,  // invert the insert mode
  saNumLock,     // invert the Num Lock toggle
  saCapsLock     // invert the Caps Lock toggle
};

// The action of a double-click at `x` (pixels from the bar's left edge). The go-to-line
// action needs a document with at least one byte.
TStatusAction StatusActionAt(int x, std::int64_t byteCount);

// The long part of a two-part hint "short|long": the text after the first "|", or the whole
// hint when it has none.
QString LongHint(const QString& hint);

// The document's state as the panels show it.
struct TDocumentStatus {
  int CaretLine = 1;
  int CaretColumn = 1;
  int LineCount = 0;
  std::int64_t ByteCount = 0;
  bool InsertMode = true;
  bool Modified = false;
  bool operator==(const TDocumentStatus&) const = default;
};

class TStatusPanel : public QWidget {
 public:
  static constexpr int kPanelCount = 8;
  static constexpr std::array<int, kPanelCount> kPanelWidths = {80, 80, 95, 60, 50, 37, 37, 1};
  // Labels are written this far right of their panel's left edge, and this far down.
  static constexpr int kLabelIndent = 5;
  static constexpr int kLabelTop = 4;

  explicit TStatusPanel(QWidget* parent = nullptr);

  // The left edge of panel `index` (0..7), in pixels from the bar's left edge.
  static int PanelLeft(int index);

  // Each setter repaints only when something shown changes.
  void SetDocumentStatus(const TDocumentStatus& status);
  void SetLockKeys(bool numLock, bool capsLock);
  // A non-empty text switches to the single-panel mode showing it; an empty one back to the
  // eight panels.
  void SetHintText(const QString& text);

  const TDocumentStatus& DocumentStatus() const { return Status_; }
  bool NumLock() const { return NumLock_; }
  bool CapsLock() const { return CapsLock_; }
  bool SinglePanel() const { return !Hint_.isEmpty(); }
  const QString& HintText() const { return Hint_; }
  int LastMouseX() const { return LastMouseX_; }

  // The text panel `index` shows, and whether it is drawn in the normal colour (false: grey).
  QString PanelText(int index) const;
  bool PanelLit(int index) const;
  // The font of panel `index`'s label: the bar's own, drawn narrower when the label would not
  // fit its panel otherwise (a cut byte count would misreport the document).
  QFont LabelFont(int index) const;

  // A double-click on the bar, with the action at the last mouse position.
  std::function<void(TStatusAction)> OnAction;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  TDocumentStatus Status_;
  bool NumLock_ = false;
  bool CapsLock_ = false;
  QString Hint_;
  int LastMouseX_ = 0;
};

}  // namespace quilmo
