// The desktop's scheme read from a portal: a bus of the test's own (dbus-daemon), a portal
// object answering ReadOne as the freedesktop portal does, then its SettingChanged signal.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

#include <atomic>
#include <vector>

#include <gtest/gtest.h>

#include "app/DesktopColorScheme.h"

namespace quilmo::test {
namespace {

const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kSettings = QStringLiteral("org.freedesktop.portal.Settings");

// Answers ReadOne("org.freedesktop.appearance", "color-scheme") with the value it holds; in a
// thread of its own, since the reader waits for the answer without an event loop.
class TFakePortal : public QDBusVirtualObject {
 public:
  explicit TFakePortal(QDBusConnection bus) : FBus(std::move(bus)) {}
  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection&) override {
    if (message.interface() != kSettings || message.member() != QLatin1String("ReadOne")) return false;
    ++Calls;
    const QStringList names = {message.arguments().value(0).toString(),
                               message.arguments().value(1).toString()};
    if (names != QStringList{"org.freedesktop.appearance", "color-scheme"})
      FBus.send(message.createErrorReply(QStringLiteral("org.freedesktop.portal.Error.NotFound"), "?"));
    else
      FBus.send(message.createReply(QVariant::fromValue(QDBusVariant(Value.load()))));
    return true;
  }
  std::atomic<uint> Value{1};
  std::atomic<int> Calls{0};

 private:
  QDBusConnection FBus;
};

class DesktopPortalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty()) GTEST_SKIP() << "no dbus-daemon";
    Daemon.start(daemon, {"--session", "--nofork", "--print-address=1"});
    ASSERT_TRUE(Daemon.waitForReadyRead(5000));
    Address = QString::fromUtf8(Daemon.readLine()).trimmed();
    Service = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(Address, "portail"));
    ASSERT_TRUE(Service->isConnected());
    ASSERT_TRUE(Service->registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
    Portal = std::make_unique<TFakePortal>(*Service);
    Portal->moveToThread(&Thread);
    Thread.start();
    ASSERT_TRUE(Service->registerVirtualObject(kPath, Portal.get()));
  }
  void TearDown() override {
    if (Service) {
      Service->unregisterObject(kPath);
      QDBusConnection::disconnectFromBus("portail");
      QDBusConnection::disconnectFromBus("lecteur");
    }
    Thread.quit();
    Thread.wait();
    if (Daemon.state() != QProcess::NotRunning) {
      Daemon.kill();
      Daemon.waitForFinished(5000);
    }
  }
  void Signal(uint value) {
    QDBusMessage signal = QDBusMessage::createSignal(kPath, kSettings, QStringLiteral("SettingChanged"));
    signal << QStringLiteral("org.freedesktop.appearance") << QStringLiteral("color-scheme")
           << QVariant::fromValue(QDBusVariant(value));
    Service->send(signal);
  }

  QProcess Daemon;
  QString Address;
  std::unique_ptr<QDBusConnection> Service;
  std::unique_ptr<TFakePortal> Portal;
  QThread Thread;
};

TEST_F(DesktopPortalTest, ThePortalsSchemeAtStartAndItsChanges) {
  // No gsettings to fall back on: only the portal can say dark.
  TDesktopColorScheme desktop(QDBusConnection::connectToBus(Address, "lecteur"), QStringLiteral("/absent"));
  std::vector<TColorScheme> changes;
  desktop.OnChange = [&](TColorScheme scheme) { changes.push_back(scheme); };
  EXPECT_EQ(desktop.Read(), TColorScheme::Dark);
  EXPECT_EQ(desktop.Source(), "portail");
  EXPECT_EQ(Portal->Calls, 1);
  Signal(2);
  ASSERT_TRUE(QTest::qWaitFor([&] { return changes.size() == 1; }, 5000));
  Signal(1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return changes.size() == 2; }, 5000));
  EXPECT_EQ(changes, (std::vector<TColorScheme>{TColorScheme::Light, TColorScheme::Dark}));
}

}  // namespace
}  // namespace quilmo::test
