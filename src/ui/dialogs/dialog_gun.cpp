#include "ui/dialogs/dialog_gun.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegularExpressionValidator>

#include <string>

#include "macros/recoil_macro_edit.h"
#include "platform/message_sink.h"
#include "settings/paths.h"
#include "ui/dialogs/dialog_modality.h"
#include "ui/pages/page_painter.h"
#include "ui/pages/popup_rows.h"
#include "ui/pages/ui_state.h"
#include "ui/popups/menu_dlg.h"
#include "ui/popups/popup_menus.h"
#include "ui/popups/window_placement.h"

namespace gm {

int16_t g_curGun = 0;

void ResetRecoilDialogGlobals() { g_curGun = 0; }

namespace {

constexpr char kGunSkinStem[] = "gun";
constexpr char kWeaponPictureFolder[] = "Gun";

// The edits: white digits on black, no frame, centred; greyed while disabled.
constexpr char kEditStyle[] =
    "QLineEdit { background: black; color: white; border: none; }"
    "QLineEdit:disabled { color: gray; }";
// Typing takes digits only, up to the edit's limit. The limit binds typing alone: a number
// the macro already holds is shown and saved whole, however long it is.
QString DigitsUpTo(int maxChars) { return QStringLiteral("[0-9]{0,%1}").arg(maxChars); }

const QString kSingleRepeat = QStringLiteral("1");

RecoilListOpener& RecoilListOpenerHook() {
  // The skinned recoil list, kept in its own slot beside the main window's list.
  static RecoilListOpener opener = SkinnedRecoilListOpener();
  return opener;
}

std::filesystem::path WeaponPicturePath(int index) {
  return g_skinsFolder / kWeaponPictureFolder / (std::to_string(index + 1) + ".jpg");
}

// The number an edit holds; an empty edit is 0.
int EditNumber(const QLineEdit* edit) { return edit->text().toInt(); }

UserMessage MacroContentErrorMessage() { return SameInBothLanguages(u"宏内容出错!"); }
UserMessage MissingPictureMessage() { return SameInBothLanguages(u"枪械图片丢失，未能对应!"); }
UserMessage RecoilSaveFailedMessage() {
  return {u"压枪宏未能保存！", u"The recoil macro could not be saved!"};
}

}  // namespace

CDialogGun::CDialogGun(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      openRecoilList(RecoilListOpenerHook()),
      pictures_(DialogPicturesOf(kGunSkinStem)),
      hover_(kNoElement) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  MakeWindowModal(*this);
}

bool CDialogGun::OnInitDialog() {
  const DialogShape shape = DialogShapeOf(pictures_, images_);
  size_ = shape.size;
  setFixedSize(size_);
  if (!shape.region.isEmpty()) setMask(shape.region);
  if (!LoadGunLayout(layout_)) return false;

  for (std::size_t i = 0; i < kGunEditCount; ++i) {
    auto* edit = new QLineEdit(this);
    const ControlRect& place = layout_.editRects[i];
    edit->setGeometry(place.left, place.top, place.right - place.left, place.bottom - place.top);
    edit->setAlignment(Qt::AlignCenter);
    edit->setFrame(false);
    edit->setStyleSheet(QString::fromLatin1(kEditStyle));
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(DigitsUpTo(kGunEditMaxChars[i])), edit));
    edit->setMouseTracking(true);
    edits_[i] = edit;
  }
  g_curGun = 0;
  UpdateGunFields(0);
  return true;
}

void CDialogGun::UpdateGunFields(int n) {
  const auto view = RecoilMacroViewOf(n);
  if (!view) return;
  QLineEdit* repeat = edits_[kGunRepeatEdit];
  // A macro without steps leaves the repeat edit as it is.
  if (view->stepCount != 0) {
    const bool repeats = view->playMode == kPlayModeRepeatCount;
    repeat->setEnabled(repeats);
    repeat->setText(repeats ? QString::number(view->repeatCount) : kSingleRepeat);
  }
  // A macro without moves or whose moves all have y 0 leaves the strength and the delay of
  // the macro shown before.
  if (view->moveStepCount != 0 && view->strength) {
    edits_[kGunStrengthEdit]->setText(QString::number(*view->strength));
    edits_[kGunDelayEdit]->setText(QString::number(view->firstDelay));
  }
  update();
}

bool CDialogGun::StoreEdits(int n) {
  const auto repeat = static_cast<uint16_t>(EditNumber(edits_[kGunRepeatEdit]));
  const auto delay = static_cast<uint16_t>(EditNumber(edits_[kGunDelayEdit]));
  const int strength = EditNumber(edits_[kGunStrengthEdit]);
  if (StoreRecoilEdits(n, repeat, delay, strength)) return true;
  ShowUserMessage(RecoilSaveFailedMessage());
  return false;
}

int CDialogGun::OnGunSelected(intptr_t previous) {
  update();
  if (previous < 0 || previous >= RecoilMacroCount()) {
    ShowUserMessage(MacroContentErrorMessage());
    return -1;
  }
  StoreEdits(static_cast<int>(previous));
  UpdateGunFields(g_curGun);
  return 0;
}

void CDialogGun::CloseRecoilList() {
  CloseRecoilMenu();
  // The list is the dialog's only child window; the edits are plain children.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isWindow()) {
      child->hide();
      child->deleteLater();
    }
  }
}

void CDialogGun::mouseMoveEvent(QMouseEvent* event) {
  const uint32_t hover = HitDialogElement(layout_.rects, event->position().toPoint());
  if (hover != hover_) {
    hover_ = hover;
    update();
  }
}

void CDialogGun::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  CloseRecoilList();
  hover_ = HitDialogElement(layout_.rects, event->position().toPoint());
  if (hover_ == kNoElement) return;
  pressed_ = true;
  update();
  switch (hover_) {
    case kGunSaveButton:
      // Without recoil macros (no recoil file) there is nothing to save into.
      if (g_curGun < RecoilMacroCount()) StoreEdits(g_curGun);
      accept();
      break;
    case kGunCloseButton:
    case kGunCancelButton:
    case kGunBackButton: reject(); break;
    case kGunNameField:
    case kGunListButton:
      if (openRecoilList) {
        g_menuKind = static_cast<int>(PopupKind::kRecoilMacros);
        // The dialog's place on the screen as the press tells it: just after the dialog
        // shows, the window manager may still be placing it, and Qt's own record of its
        // place (mapToGlobal) is then the screen's corner.
        const QPoint origin = event->globalPosition().toPoint() - event->position().toPoint();
        const SkinRect& name = layout_.rects[kGunNameField];
        openRecoilList(*this, origin + QPoint(name.x, name.y + name.height));
      }
      break;
    case kGunHoldModeButton:
      ChooseRecoilHoldMode(g_curGun);
      edits_[kGunRepeatEdit]->setEnabled(false);
      edits_[kGunRepeatEdit]->setText(kSingleRepeat);
      break;
    case kGunRepeatModeButton:
      edits_[kGunRepeatEdit]->setEnabled(true);
      edits_[kGunRepeatEdit]->setText(QString::number(ChooseRecoilRepeatMode(g_curGun)));
      break;
    default: break;
  }
}

void CDialogGun::mouseReleaseEvent(QMouseEvent* /*event*/) { pressed_ = false; }

// ---- Painting ---------------------------------------------------------------------------------

const QImage& CDialogGun::ComposeFrame() {
  ComposeDialogFrame(frame_, size_, pictures_, images_, layout_.rects, hover_, pressed_);
  DrawGunState();
  const auto view = RecoilMacroViewOf(g_curGun);
  DrawDialogLabels(frame_, layout_.rects, layout_.captions, kGunNameField,
                   view ? view->name : std::u16string());
  return frame_;
}

void CDialogGun::paintEvent(QPaintEvent* /*event*/) {
  if (size_.isEmpty()) return;
  ComposeFrame();
  QPainter painter(this);
  painter.drawImage(0, 0, frame_);
}

void CDialogGun::DrawGunState() {
  const auto view = RecoilMacroViewOf(g_curGun);
  QLineEdit* repeat = edits_[kGunRepeatEdit];
  if (view && view->playMode == kPlayModeHoldLoop) {
    BlitRect(frame_, images_.Image(pictures_.down), layout_.rects[kGunHoldModeButton]);
    if (repeat->isEnabled()) repeat->setEnabled(false);
  } else if (view && view->playMode == kPlayModeRepeatCount) {
    BlitRect(frame_, images_.Image(pictures_.down), layout_.rects[kGunRepeatModeButton]);
    if (!repeat->isEnabled()) repeat->setEnabled(true);
  }
  const QImage& picture = images_.Image(WeaponPicturePath(g_curGun));
  if (!picture.isNull()) DrawClippedPicture(frame_, picture, layout_.rects[kGunPicture]);
  CheckPictureShown(!picture.isNull());
}

void CDialogGun::CheckPictureShown(bool pictureFound) {
  // Reported once each time a macro becomes the shown one, not with every repaint; and
  // after the paint, since a message box must not open inside it.
  if (g_curGun != shownIndex_) {
    shownIndex_ = g_curGun;
    pictureReported_ = false;
  }
  if (pictureFound || pictureReported_) return;
  pictureReported_ = true;
  QMetaObject::invokeMethod(
      this, [] { ShowUserMessage(MissingPictureMessage()); }, Qt::QueuedConnection);
}

// ---- Opening ------------------------------------------------------------------------------------

void SetRecoilListOpener(RecoilListOpener opener) { RecoilListOpenerHook() = std::move(opener); }

RecoilListOpener SkinnedRecoilListOpener() {
  return [](CDialogGun& dialog, QPoint screenTopLeft) {
    CMenuDlg* list = OpenRecoilMenu(dialog, screenTopLeft, g_curGun);
    QObject::connect(list, &CMenuDlg::gunSelected, &dialog,
                     [&dialog](int previous) { dialog.OnGunSelected(previous); });
  };
}

bool OpenRecoilDialog(QWidget& window) {
  // Parented to the opener's window: it is destroyed with it, whatever ends the run.
  QPointer<CDialogGun> dialog = new CDialogGun(&window);
  bool saved = false;
  CentreOverMainWindow(*dialog);
  if (dialog->OnInitDialog()) saved = dialog->exec() == QDialog::Accepted;
  delete dialog.data();  // null when the window went during the run
  return saved;
}

}  // namespace gm
