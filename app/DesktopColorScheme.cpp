#include "app/DesktopColorScheme.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>

namespace quilmo {

namespace {

const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kPortalSettings = QStringLiteral("org.freedesktop.portal.Settings");
const QString kAppearance = QStringLiteral("org.freedesktop.appearance");
const QString kColorScheme = QStringLiteral("color-scheme");
const QStringList kGnomeKey = {QStringLiteral("org.gnome.desktop.interface"), QStringLiteral("color-scheme")};

// The portal wraps the value in one variant (ReadOne) or two (the older Read).
std::optional<std::uint32_t> Unwrap(QVariant value) {
  for (int depth = 0; depth < 3; ++depth) {
    if (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>()) {
      value = value.value<QDBusVariant>().variant();
      continue;
    }
    if (value.userType() == qMetaTypeId<QDBusArgument>()) {
      QDBusVariant inner;
      value.value<QDBusArgument>() >> inner;
      value = inner.variant();
      continue;
    }
    bool ok = false;
    const uint number = value.toUInt(&ok);
    if (ok) return number;
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

TDesktopColorScheme::TDesktopColorScheme(QDBusConnection bus, QString gsettings, QObject* parent)
    : QObject(parent), FBus(std::move(bus)), FGsettings(std::move(gsettings)) {}

TDesktopColorScheme::~TDesktopColorScheme() {
  if (FMonitor != nullptr) {
    FMonitor->disconnect(this);
    FMonitor->kill();
    FMonitor->waitForFinished(kWaitMs);
  }
}

TColorScheme TDesktopColorScheme::Read() {
  if (const auto scheme = ReadPortal()) {
    FSource = QStringLiteral("portail");
    FBus.connect(kPortalService, kPortalPath, kPortalSettings, QStringLiteral("SettingChanged"), this,
                 SLOT(PortalSettingChanged(QString, QString, QDBusVariant)));
    return *scheme;
  }
  if (const auto scheme = ReadGnome()) {
    FSource = QStringLiteral("gnome");
    MonitorGnome();
    return *scheme;
  }
  FSource.clear();
  return TColorScheme::Light;
}

std::optional<TColorScheme> TDesktopColorScheme::ReadPortal() {
  if (!FBus.isConnected()) return std::nullopt;
  for (const QString& method : {QStringLiteral("ReadOne"), QStringLiteral("Read")}) {
    QDBusMessage call = QDBusMessage::createMethodCall(kPortalService, kPortalPath, kPortalSettings, method);
    call << kAppearance << kColorScheme;
    const QDBusMessage reply = FBus.call(call, QDBus::Block, kWaitMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) continue;
    if (const auto value = Unwrap(reply.arguments().front())) return SchemeFromPortal(*value);
  }
  return std::nullopt;
}

void TDesktopColorScheme::PortalSettingChanged(const QString& nameSpace, const QString& key,
                                               const QDBusVariant& value) {
  if (nameSpace != kAppearance || key != kColorScheme) return;
  const auto number = Unwrap(QVariant::fromValue(value));
  Changed(number ? SchemeFromPortal(*number) : std::nullopt);
}

std::optional<TColorScheme> TDesktopColorScheme::ReadGnome() {
  QProcess get;
  get.start(FGsettings, QStringList{QStringLiteral("get")} + kGnomeKey);
  if (!get.waitForFinished(kWaitMs) || get.exitStatus() != QProcess::NormalExit || get.exitCode() != 0) {
    get.kill();
    get.waitForFinished(kWaitMs);
    return std::nullopt;
  }
  return SchemeFromGnome(QString::fromUtf8(get.readAllStandardOutput()));
}

void TDesktopColorScheme::MonitorGnome() {
  FMonitor = new QProcess(this);
  FMonitor->setProcessChannelMode(QProcess::SeparateChannels);
  connect(FMonitor, &QProcess::readyReadStandardOutput, this, [this] {
    FMonitorLine += FMonitor->readAllStandardOutput();
    qsizetype end;
    while ((end = FMonitorLine.indexOf('\n')) >= 0) {
      const QString line = QString::fromUtf8(FMonitorLine.left(end));
      FMonitorLine.remove(0, end + 1);
      Changed(SchemeFromGnome(line));
    }
  });
  FMonitor->start(FGsettings, QStringList{QStringLiteral("monitor")} + kGnomeKey);
}

void TDesktopColorScheme::Changed(std::optional<TColorScheme> scheme) {
  if (scheme && OnChange) OnChange(*scheme);
}

}  // namespace quilmo
