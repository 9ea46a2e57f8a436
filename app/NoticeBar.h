#pragma once
// A strip above the text that tells the user something without stopping them: a line of
// text, an optional action button and a button that closes it. It never takes the focus, so
// that typing goes on in the text while it shows; its buttons answer their Alt letters.

#include <QFrame>
#include <QString>
#include <QTimer>

#include <functional>

class QLabel;
class QPushButton;

namespace quilmo {

// Whether a notice closes itself after a while.
enum class TNoticeStay { UntilClosed, Passing };
// Whether a notice offers the bar's action.
enum class TNoticeOffer { Nothing, Action };

class TNoticeBar : public QFrame {
 public:
  // `action`: the caption of the action button.
  explicit TNoticeBar(const QString& action, QWidget* parent = nullptr);

  void ShowNotice(const QString& text, TNoticeOffer offer, TNoticeStay stay);
  void HideNotice();
  QString Text() const;
  QPushButton* ActionButton() const { return FAction; }
  QPushButton* CloseButton() const { return FClose; }

  std::function<void()> OnAction;
  std::function<void()> OnClose;

  static constexpr int kInformationMs = 10000;

 private:
  QLabel* FLabel;
  QPushButton* FAction;
  QPushButton* FClose;
  QTimer FTimeout;
};

}  // namespace quilmo
