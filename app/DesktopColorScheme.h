#pragma once
// The desktop's colour scheme, now and as it changes: the freedesktop portal's setting
// ("org.freedesktop.appearance" "color-scheme", read over the session bus, its changes
// signalled), or where no portal answers, GNOME's key "color-scheme" of
// "org.gnome.desktop.interface" through the gsettings tool (its changes from
// `gsettings monitor`). Light when neither is there.

#include <QDBusConnection>
#include <QDBusVariant>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

#include "app/ThemeChoice.h"

namespace quilmo {

class TDesktopColorScheme : public QObject {
  Q_OBJECT

 public:
  explicit TDesktopColorScheme(QDBusConnection bus = QDBusConnection::sessionBus(),
                               QString gsettings = QStringLiteral("gsettings"), QObject* parent = nullptr);
  ~TDesktopColorScheme() override;

  // Asks the desktop (at most a short wait) and starts listening for changes.
  TColorScheme Read();
  // Where the scheme came from: "portail", "gnome" or empty.
  const QString& Source() const { return FSource; }

  std::function<void(TColorScheme scheme)> OnChange;

  static constexpr int kWaitMs = 1000;

 private slots:
  void PortalSettingChanged(const QString& nameSpace, const QString& key, const QDBusVariant& value);

 private:
  std::optional<TColorScheme> ReadPortal();
  std::optional<TColorScheme> ReadGnome();
  void MonitorGnome();
  void Changed(std::optional<TColorScheme> scheme);

  QDBusConnection FBus;
  QString FGsettings;
  QString FSource;
  QProcess* FMonitor = nullptr;
  QByteArray FMonitorLine;
};

}  // namespace quilmo
