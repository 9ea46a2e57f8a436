#pragma once
// The application's style with the tool-bar extension icons read only when first drawn. Every
// tool bar and the menu bar make an extension button ("»", shown only when the bar is too short
// for its items) whose standard icon is read from several image files as the bar is made: at
// start that was the only image reading left, and it loaded the image plugins with it. Every
// other drawing, metric and icon is the platform style's own.

#include <QProxyStyle>

class QStyle;

namespace quilmo {

class TLazyIconStyle : public QProxyStyle {
 public:
  // Wraps `base` (QApplication::style(): the platform's, or the one the user asked for), which
  // it then owns.
  explicit TLazyIconStyle(QStyle* base);

  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
};

}  // namespace quilmo
