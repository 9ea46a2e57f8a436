#pragma once
// The tab size edit of the options dialog with its arrows: the text is free (what is typed is
// checked when the options are applied), the arrows step by 2 between 2 and 20.

#include <QAbstractSpinBox>
#include <QString>

namespace quilmo {

class TTabSizeEdit : public QAbstractSpinBox {
  Q_OBJECT

 public:
  static constexpr int kMin = 2;
  static constexpr int kMax = 20;
  static constexpr int kStep = 2;

  explicit TTabSizeEdit(QWidget* parent = nullptr);

  void SetText(const QString& text);
  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;

 signals:
  void TextChanged(const QString& text);

 protected:
  StepEnabled stepEnabled() const override;
};

// The tab sizes that may be typed (the editor keeps one byte).
inline constexpr int kTypedTabSizeMin = 1;
inline constexpr int kTypedTabSizeMax = 255;

// The tab size as typed into `size`, and an empty text; or, for a text that is no decimal
// integer or a number out of range, what the user is told.
QString ParseTabSize(const QString& text, int& size);

}  // namespace quilmo
