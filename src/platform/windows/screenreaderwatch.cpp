#include "platform/windows/screenreaderwatch.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>

#include "platform/screenreader.h"

namespace drum {

namespace {

const QString kService = QStringLiteral("org.a11y.Bus");
const QString kPath = QStringLiteral("/org/a11y/bus");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kStatus = QStringLiteral("org.a11y.Status");
const QString kProperty = QStringLiteral("ScreenReaderEnabled");

bool asBool(const QVariant& value) {
  const QVariant inner = value.canConvert<QDBusVariant>() ? value.value<QDBusVariant>().variant() : value;
  return inner.toBool();
}

}  // namespace

ScreenReaderWatch::ScreenReaderWatch(QObject* parent) : QObject(parent) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  bus.connect(kService, kPath, kProperties, QStringLiteral("PropertiesChanged"), this,
              SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
  ask();
}

void ScreenReaderWatch::ask() {
  // Asked without waiting: a session bus that is slow to start the launcher
  // must not hold the window's appearance.
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kProperties, QStringLiteral("Get"));
  call << kStatus << kProperty;
  QDBusConnection::sessionBus().callWithCallback(call, this, SLOT(answered(QDBusMessage)));
}

void ScreenReaderWatch::answered(const QDBusMessage& reply) {
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return;
  setScreenReaderRunning(asBool(reply.arguments().constFirst()));
}

void ScreenReaderWatch::propertiesChanged(const QString& interface, const QVariantMap& changed,
                                          const QStringList& invalidated) {
  if (interface != kStatus) return;
  if (const auto it = changed.constFind(kProperty); it != changed.constEnd()) {
    setScreenReaderRunning(asBool(it.value()));
  } else if (invalidated.contains(kProperty)) {
    ask();
  }
}

}  // namespace drum
