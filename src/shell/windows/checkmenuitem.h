// Check items of the menu as a screen reader should meet them. Qt's own
// accessible menu item (Qt 6.4) reports neither that an item can be checked
// nor a role that says so, so a screen reader names the Braille keyboard
// item without its state while it is off. Check items get this interface
// instead: a check box inside its menu, checkable, checked or not.
#pragma once
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QPointer>

class QAction;
class QMenu;

namespace drum {

class CheckMenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  CheckMenuItemAccessible(QMenu* menu, QAction* action);

  bool isValid() const override;
  QObject* object() const override;
  QWindow* window() const override;
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override { return QAccessible::CheckBox; }
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;
  QStringList keyBindingsForAction(const QString& actionName) const override;

 private:
  QPointer<QMenu> menu_;
  QPointer<QAction> action_;
};

// Installs the factory that gives the menus' check items this interface.
void installCheckMenuItemAccessible();

}  // namespace drum
