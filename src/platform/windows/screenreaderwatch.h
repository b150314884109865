// Watches the session bus for a screen reader: the accessibility bus
// launcher's property org.a11y.Status.ScreenReaderEnabled, which a desktop
// sets when it starts one (GNOME, MATE and others start Orca this way). Read
// at start-up and followed through its PropertiesChanged signal; it sets
// setScreenReaderRunning. Without a session bus or a launcher no screen
// reader is taken to run.
#pragma once
#include <QObject>

class QDBusMessage;

namespace drum {

class ScreenReaderWatch : public QObject {
  Q_OBJECT
 public:
  explicit ScreenReaderWatch(QObject* parent = nullptr);

 private slots:
  void propertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList& invalidated);
  void answered(const QDBusMessage& reply);

 private:
  void ask();
};

}  // namespace drum
