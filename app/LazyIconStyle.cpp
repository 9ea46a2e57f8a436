#include "app/LazyIconStyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

namespace quilmo {

namespace {

// An icon made by `make` the first time it is drawn or measured; clones share it.
class TLazyIconEngine : public QIconEngine {
 public:
  explicit TLazyIconEngine(std::function<QIcon()> make) : FShared(std::make_shared<TShared>()) {
    FShared->Make = std::move(make);
  }

  QIconEngine* clone() const override { return new TLazyIconEngine(*this); }
  QString key() const override { return QStringLiteral("QuilmoLazy"); }
  // Asked as the icon is set on its button: answered without reading it (every style has these
  // icons).
  bool isNull() override { return false; }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().actualSize(size, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().pixmap(size, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    return Icon().pixmap(size / scale, scale, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return Icon().availableSizes(mode, state);
  }
  QString iconName() override { return Icon().name(); }

 private:
  struct TShared {
    std::function<QIcon()> Make;
    std::optional<QIcon> Made;
  };

  const QIcon& Icon() const {
    if (!FShared->Made) FShared->Made = FShared->Make();
    return *FShared->Made;
  }

  std::shared_ptr<TShared> FShared;
};

}  // namespace

TLazyIconStyle::TLazyIconStyle(QStyle* base) : QProxyStyle(base) {}

QIcon TLazyIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                   const QWidget* widget) const {
  if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton)
    return QProxyStyle::standardIcon(icon, option, widget);
  // The bar may be gone when the icon is first drawn (the icon does not depend on it), and the
  // style too when the application has changed it since.
  const QPointer<QStyle> base = baseStyle();
  return QIcon(new TLazyIconEngine([base, icon] { return base ? base->standardIcon(icon) : QIcon(); }));
}

}  // namespace quilmo
