#pragma once
// The program's icon in the notification area, with its menu ("Show Window", "Exit Driver" in
// the interface language). A double click asks for the window; the menu's entries ask for the
// window or for the end of the program.
//
// Desktops without a notification area (QSystemTrayIcon::isSystemTrayAvailable() false) get
// no icon: Add then records the icon as wanted but shows nothing, and Shown() stays false, so
// the window knows that hiding it would leave the user no way back.

#include <QIcon>
#include <QObject>
#include <QString>

class QMenu;
class QSystemTrayIcon;

namespace gm {

// The program's icon file below the skins folder.
inline constexpr char kAppIconFile[] = "icons/icon_159.png";

class TrayIcon : public QObject {
  Q_OBJECT

 public:
  explicit TrayIcon(QObject* parent = nullptr);
  ~TrayIcon() override;

  // Adds the icon with its tip and the menu of g_trayMenu (once; later calls do nothing).
  void Add(const QIcon& icon, const QString& tip);
  // Removes the icon; harmless when there is none.
  void Remove();
  // Gives the menu the entries of g_trayMenu again (after a language switch); the tip stays.
  void ReloadMenu();

  // Add was called and Remove was not.
  bool Added() const { return added_; }
  // The icon is really in a notification area.
  bool Shown() const { return icon_ != nullptr; }

  // What a click on a menu entry with this command id does (also for tests).
  void RunMenuCommand(int commandId);

 signals:
  void showWindowRequested();
  void exitRequested();

 private:
  void BuildMenu();

  bool added_ = false;
  QSystemTrayIcon* icon_ = nullptr;
  QMenu* menu_ = nullptr;
};

}  // namespace gm
