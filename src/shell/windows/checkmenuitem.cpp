#include "shell/windows/checkmenuitem.h"

#include <QAction>
#include <QMenu>

#include "platform/windows/qtext.h"

namespace drum {

CheckMenuItemAccessible::CheckMenuItemAccessible(QMenu* menu, QAction* action) : menu_(menu), action_(action) {}

bool CheckMenuItemAccessible::isValid() const { return menu_ && action_; }

QObject* CheckMenuItemAccessible::object() const { return action_; }

QWindow* CheckMenuItemAccessible::window() const {
  QAccessibleInterface* p = parent();
  return p ? p->window() : nullptr;
}

QAccessibleInterface* CheckMenuItemAccessible::parent() const {
  return menu_ ? QAccessible::queryAccessibleInterface(menu_.data()) : nullptr;
}

QString CheckMenuItemAccessible::text(QAccessible::Text t) const {
  if (!action_) return {};
  switch (t) {
    case QAccessible::Name:
      return accessibleCaption(action_->text());
    case QAccessible::Accelerator:
      return action_->shortcut().toString(QKeySequence::NativeText);
    default:
      return {};
  }
}

QRect CheckMenuItemAccessible::rect() const {
  if (!menu_ || !action_) return {};
  const QRect r = menu_->actionGeometry(action_);
  return r.translated(menu_->mapToGlobal(QPoint(0, 0)));
}

QAccessible::State CheckMenuItemAccessible::state() const {
  QAccessible::State s;
  if (!menu_ || !action_) {
    s.invalid = true;
    return s;
  }
  s.invisible = !menu_->isVisible() || !action_->isVisible();
  s.disabled = !action_->isEnabled();
  s.focusable = true;
  s.focused = menu_->activeAction() == action_;
  s.checkable = true;
  s.checked = action_->isChecked();
  return s;
}

void* CheckMenuItemAccessible::interface_cast(QAccessible::InterfaceType type) {
  return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QStringList CheckMenuItemAccessible::actionNames() const {
  return action_ && action_->isEnabled() ? QStringList{toggleAction()} : QStringList{};
}

void CheckMenuItemAccessible::doAction(const QString& actionName) {
  if (actionName != toggleAction() || !action_ || !action_->isEnabled()) return;
  // As a click on the item: the menu closes and the command runs.
  if (menu_) menu_->hide();
  action_->trigger();
}

QStringList CheckMenuItemAccessible::keyBindingsForAction(const QString& actionName) const {
  if (actionName != toggleAction() || !action_ || action_->shortcut().isEmpty()) return {};
  return {action_->shortcut().toString(QKeySequence::NativeText)};
}

namespace {

QAccessibleInterface* checkItemFactory(const QString& classname, QObject* object) {
  if (classname != QLatin1String("QAction")) return nullptr;
  auto* action = qobject_cast<QAction*>(object);
  if (!action || !action->isCheckable()) return nullptr;
  for (QObject* user : action->associatedObjects()) {
    if (auto* menu = qobject_cast<QMenu*>(user)) return new CheckMenuItemAccessible(menu, action);
  }
  return nullptr;
}

}  // namespace

void installCheckMenuItemAccessible() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(checkItemFactory);
}

}  // namespace drum
