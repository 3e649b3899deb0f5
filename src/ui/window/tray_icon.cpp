#include "ui/window/tray_icon.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>

#include "ui/controls/context_menus.h"

namespace gm {

TrayIcon::TrayIcon(QObject* parent) : QObject(parent) {}

TrayIcon::~TrayIcon() {
  // No signal of the menu runs once its owner goes, and no event loop may run again to
  // delete it later.
  if (icon_ != nullptr) icon_->setContextMenu(nullptr);
  delete menu_;
  menu_ = nullptr;
  Remove();  // the icon is a child of this object and goes with it
}

void TrayIcon::Add(const QIcon& icon, const QString& tip) {
  if (added_) return;
  added_ = true;
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
  icon_ = new QSystemTrayIcon(icon, this);
  icon_->setToolTip(tip);
  connect(icon_, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::DoubleClick) emit showWindowRequested();
          });
  BuildMenu();
  icon_->show();
}

void TrayIcon::Remove() {
  added_ = false;
  if (icon_ != nullptr) {
    icon_->hide();
    // Removal usually comes from the icon's own menu ("Exit Driver"): the icon and its menu
    // are deleted once that signal has returned.
    icon_->deleteLater();
    icon_ = nullptr;
  }
  if (menu_ != nullptr) {
    menu_->deleteLater();
    menu_ = nullptr;
  }
}

void TrayIcon::ReloadMenu() {
  if (icon_ != nullptr) BuildMenu();
}

void TrayIcon::BuildMenu() {
  if (g_trayMenu == nullptr) return;
  QMenu* old = menu_;
  // The menu has no parent widget (the icon is no widget); this object deletes it.
  menu_ = BuildQMenu(g_trayMenu->items, nullptr);
  connect(menu_, &QMenu::triggered, this,
          [this](QAction* action) { RunMenuCommand(action->data().toInt()); });
  icon_->setContextMenu(menu_);
  if (old != nullptr) old->deleteLater();
}

void TrayIcon::RunMenuCommand(int commandId) {
  switch (TrayCommandOf(commandId)) {
    case TrayCommand::kShowWindow: emit showWindowRequested(); break;
    case TrayCommand::kExitDriver: emit exitRequested(); break;
    case TrayCommand::kNone: break;
  }
}

}  // namespace gm
