#include "ui/popups/popup_list_window.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstring>

#include "settings/config_settings.h"
#include "settings/paths.h"
#include "ui/pages/page_painter.h"
#include "ui/pages/page_texts.h"
#include "ui/popups/popup_input_router.h"
#include "ui/popups/window_placement.h"
#include "ui/skin/ui_fonts.h"

namespace gm {
namespace {

// 96 dots per inch in dots per metre: the resolution the skins are drawn for, so the
// 10-point font is as large as on the pages.
constexpr int kSkinDotsPerMeter = 3780;

// Mask sizes of the generated skin, used when a mask file is missing.
constexpr QSize kFallbackKeyListMask{211, 360};
constexpr QSize kFallbackPlainMask{160, 270};
constexpr char kKeyListMaskName[] = "menu1_mask.jpg";

const QImage& SkinImage(const char* name) { return PopupSkinImages().Image(g_skinsFolder / name); }

QColor ColorOf(ColorRef ref) {
  constexpr int kByteBits = 8;
  constexpr ColorRef kByte = 0xFF;
  return QColor(static_cast<int>(ref & kByte), static_cast<int>((ref >> kByteBits) & kByte),
                static_cast<int>((ref >> (2 * kByteBits)) & kByte));
}

}  // namespace

SkinImages& PopupSkinImages() {
  static SkinImages images;
  return images;
}

QSize PopupMaskSize(const char* maskName) {
  const QImage& mask = SkinImage(maskName);
  if (!mask.isNull()) return mask.size();
  return std::strcmp(maskName, kKeyListMaskName) == 0 ? kFallbackKeyListMask
                                                      : kFallbackPlainMask;
}

PopupListWindow::PopupListWindow(QWidget& opener, PopupImageNames images, bool heldImage)
    : QWidget(&opener, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      opener_(&opener),
      images_(images),
      heldImage_(heldImage) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  opener.installEventFilter(this);
  PopupListOpened(*this);
}

PopupListWindow::~PopupListWindow() {
  PopupListClosed(*this);
  if (opener_ != nullptr) opener_->removeEventFilter(this);
}

void PopupListWindow::ShowAt(QPoint topLeft, QSize windowSize) {
  const QSize size(std::clamp(windowSize.width(), 0, geometry_.width),
                   std::clamp(windowSize.height(), 0, std::max(VisibleHeight(), 0)));
  // Where the place asked for would leave the screen, the list moves just onto it.
  const QWidget* owner = PopupOwnerWindow(*this);
  setGeometry(QRect(owner != nullptr ? KeepOnScreenOf(*owner, topLeft, size) : topLeft, size));
  // A list without rows has no visible part: it exists (and closes) but shows nothing.
  if (size.isEmpty()) return;
  show();
}

void PopupListWindow::CloseList() {
  if (closing_) return;
  closing_ = true;
  PopupListClosed(*this);
  if (opener_ != nullptr) opener_->removeEventFilter(this);
  opener_ = nullptr;
  close();
  // A list never shown gets no close event to delete it.
  deleteLater();
}

bool PopupListWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == opener_ && (event->type() == QEvent::Hide || event->type() == QEvent::Close)) {
    CloseList();
  }
  return QWidget::eventFilter(watched, event);
}

std::optional<RowTextPlace> PopupListWindow::TextPlace(uint32_t row, int32_t textWidth,
                                                       int32_t textHeight) const {
  return RowTextPosition(geometry_, row, textWidth, textHeight);
}

QImage PopupListWindow::ComposeFrame() {
  const int width = std::max(geometry_.width, 1);
  const int height = std::max(VisibleHeight(), 1);
  if (frame_.size() != QSize(width, height)) {
    frame_ = QImage(width, height, kSkinImageFormat);
    frame_.setDotsPerMeterX(kSkinDotsPerMeter);
    frame_.setDotsPerMeterY(kSkinDotsPerMeter);
  }
  frame_.fill(kMissingPictureFill);
  BlitRect(frame_, SkinImage(images_.normal), SkinRect{0, 0, width, height});
  if (hover_ != kNoRow && geometry_.rowHeight > 0) {
    const char* band = held_ && heldImage_ ? images_.down : images_.over;
    const int top = static_cast<int>(hover_ - 1) * geometry_.rowHeight;
    BlitRect(frame_, SkinImage(band), SkinRect{0, top, width, geometry_.rowHeight});
  }

  const std::vector<PopupRow> rows = CurrentRows();
  QPainter painter(&frame_);
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.setFont(PageTextFont(g_isEnglish.load() != 0));
  const QFontMetrics metrics = painter.fontMetrics();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto row = static_cast<uint32_t>(i + 1);
    const int top = static_cast<int>(i) * geometry_.rowHeight;
    if (rows[i].swatch) {
      painter.fillRect(0, top, width, geometry_.rowHeight - 1, ColorOf(*rows[i].swatch));
      continue;
    }
    if (rows[i].text.empty()) continue;
    const QString text = QString::fromStdU16String(rows[i].text);
    const auto place = TextPlace(row, metrics.horizontalAdvance(text), metrics.height());
    if (!place) continue;
    painter.setPen(QColor::fromRgba(row == hover_ ? kTextHoveredKey : kTextWhite));
    painter.drawText(place->x, place->y + metrics.ascent(), text);
  }
  return frame_;
}

void PopupListWindow::paintEvent(QPaintEvent* /*event*/) {
  ComposeFrame();
  QPainter painter(this);
  painter.drawImage(0, 0, frame_);
  ++paintCount_;
}

void PopupListWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  // While the button is held the list sees moves outside it too: they are another window's
  // (popup_input_router.h hands them to the list under the pointer).
  if (!rect().contains(p)) return;
  // A button held since a press elsewhere (a drag onto the list) shows the held row too.
  const bool held = (event->buttons() & Qt::LeftButton) != 0;
  if (held != held_) {
    held_ = held;
    update();
  }
  hover_ = RowAt(geometry_, p.x(), p.y());
  if (hover_ == hoverPrev_) return;
  hoverPrev_ = hover_;
  update();
  HoverChanged();
}

void PopupListWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  held_ = true;
  update();
}

void PopupListWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  held_ = false;
  update();
  // A release outside the list belongs to the window under the pointer.
  if (!rect().contains(event->position().toPoint())) return;
  Released(hover_);
}

}  // namespace gm
