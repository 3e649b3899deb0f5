#pragma once
// The recoil dialog: edits the recoil macros of the shooter game (the recoil file). The user
// picks a weapon from the skinned recoil list, sees its picture (clipped to the picture area,
// never scaled) and edits three numbers: the strength of the pull-down, the repeat count and
// the delay; two mode buttons choose between repeating a number of times and looping while
// the key is held. Picking another weapon saves the one shown before; Save saves the shown
// one and closes; the close buttons discard its unsaved numbers (mode changes stay in memory
// until a save).
//
// User-interface thread only. The macro records are read and changed through the core's
// recoil-macro functions, which lock the macro tables themselves.

#include <QDialog>
#include <QImage>
#include <QPoint>

#include <array>
#include <cstdint>
#include <functional>

#include "ui/dialogs/skin_dialog_paint.h"
#include "ui/skin/skin_dialog_layout.h"
#include "ui/skin/skin_images.h"

class QLineEdit;

namespace gm {

// Index of the recoil macro the dialog shows; 0 when it opens. The recoil list sets it to the
// picked index before it signals the pick.
extern int16_t g_curGun;
// g_curGun back to its value at start-up.
void ResetRecoilDialogGlobals();

// Elements of the dialog's layout.
inline constexpr uint32_t kGunCloseButton = 0;
inline constexpr uint32_t kGunCancelButton = 1;
inline constexpr uint32_t kGunSaveButton = 2;
inline constexpr uint32_t kGunBackButton = 3;
inline constexpr uint32_t kGunPicture = 4;
inline constexpr uint32_t kGunNameField = 5;
inline constexpr uint32_t kGunListButton = 6;
inline constexpr uint32_t kGunTitleCaption = 7;
inline constexpr uint32_t kGunRepeatModeButton = 8;
inline constexpr uint32_t kGunHoldModeButton = 9;

// Characters each edit takes (digits only), by kGun...Edit.
inline constexpr std::array<int, kGunEditCount> kGunEditMaxChars{2, 3, 4};

class CDialogGun;

// Opens the recoil list as a child window of dialog with its top-left corner at the screen
// point; when a weapon is picked the list sets g_curGun and calls dialog.OnGunSelected with
// the index shown before.
using RecoilListOpener = std::function<void(CDialogGun& dialog, QPoint screenTopLeft)>;

class CDialogGun : public QDialog {
  Q_OBJECT

 public:
  explicit CDialogGun(QWidget* parent);

  // Opens the recoil list (empty: the list buttons do nothing).
  RecoilListOpener openRecoilList;

  // Reads the layout and the shape, places the edits and shows macro 0. False when the layout
  // file is missing (reported by the reader): the dialog must not run then.
  bool OnInitDialog();

  // A weapon was picked in the list: the numbers shown are saved into the macro shown before
  // (previous), then g_curGun's are shown. -1 (with a message, nothing saved) when previous is
  // not a recoil macro of the file.
  int OnGunSelected(intptr_t previous);

  // Shows the numbers of recoil macro n in the edits (see the .cpp for what is left as it is).
  void UpdateGunFields(int n);
  // Stores the three numbers into recoil macro n and writes it to the recoil file.
  bool StoreEdits(int n);

  QLineEdit* Edit(std::size_t which) const { return edits_[which]; }
  const GunLayout& Layout() const { return layout_; }
  uint32_t Hover() const { return hover_; }
  const QImage& LastFrame() const { return frame_; }
  // Composes the frame as the next paint shows it.
  const QImage& ComposeFrame();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void CloseRecoilList();
  void DrawGunState();
  void CheckPictureShown(bool pictureFound);

  GunLayout layout_;
  DialogPictures pictures_;
  SkinImages images_;
  QImage frame_;
  QSize size_;
  std::array<QLineEdit*, kGunEditCount> edits_{};
  uint32_t hover_;
  bool pressed_ = false;
  int shownIndex_ = -1;           // the macro whose picture the last paint looked for
  bool pictureReported_ = false;  // its missing picture was reported
};

// The recoil list's opener for every recoil dialog (the skinned recoil list unless replaced).
void SetRecoilListOpener(RecoilListOpener opener);
// The skinned recoil list (popup_menus.h), its pick connected to the dialog's OnGunSelected.
RecoilListOpener SkinnedRecoilListOpener();

// The macro page's recoil button: runs the recoil dialog modally over window (blocking that
// window only, so the tray menu still answers). True when it ended with Save; false when
// closed or ended from outside (the tray's exit), its numbers unsaved.
bool OpenRecoilDialog(QWidget& window);

}  // namespace gm
