#pragma once
// ui/popups: the skinned pop-up lists and where pop-up windows go on the screen.
//
// A skinned pop-up list: a frameless window over the window that opened it, painted from the
// list's skin images with one row per choice, the hovered row copied from the over image (the
// down image while the left button is held in it) and the row texts centred on top. What a
// release does is the subclass's. Drags from other windows and Esc reach the lists through
// popup_input_router.h.
//
// A list never outlives its opener: it is the opener's child (destroyed with it) and closes
// when the opener hides. Closing destroys the list (later, from the event loop), so a list may
// close itself from its own handlers.
//
// The skin images are decoded once for all lists and decoded again when their file changes
// (PopupSkinImages). A missing background or row image paints dark rows instead; a missing
// mask gives the list the size of the generated skin's. Nothing is reported.
//
// User-interface thread only.

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

#include "ui/pages/popup_rows.h"
#include "ui/skin/skin_images.h"

namespace gm {

// The decoded pop-up images, shared by every list.
SkinImages& PopupSkinImages();

// The size of a list's mask (below the skins folder), or the generated skin's mask size of
// that image when the file is missing.
QSize PopupMaskSize(const char* maskName);

class PopupListWindow : public QWidget {
  Q_OBJECT

 public:
  // opener: the window that opens the list (its parent). heldImage: the list shows the down
  // image for its hovered row while the button is held in it.
  PopupListWindow(QWidget& opener, PopupImageNames images, bool heldImage);
  ~PopupListWindow() override;

  const RowGeometry& Rows() const { return geometry_; }
  uint32_t Hover() const { return hover_; }
  bool Held() const { return held_; }
  // Moves the list to topLeft (screen coordinates), or just onto the screen of the window it
  // belongs to where it would leave that screen, and shows it. Its size is the part of
  // windowSize the list's rows cover: the list's rows cut the window the opener asked for.
  void ShowAt(QPoint topLeft, QSize windowSize);
  // Closes and later destroys the list (and the lists it opened).
  void CloseList();
  bool Closing() const { return closing_; }

  // The picture of the list as the last paint drew it (screenshots, tests).
  const QImage& LastFrame() const { return frame_; }
  uint64_t PaintCount() const { return paintCount_; }
  // Composes the list's picture without showing it.
  QImage ComposeFrame();

 protected:
  // Called by subclasses once they know their rows.
  void SetRows(const RowGeometry& geometry) { geometry_ = geometry; }
  // The visible height: the rows (first-level lists) or the rows and the line below them.
  virtual int32_t VisibleHeight() const { return geometry_.RowsHeight(); }
  // The texts and swatches of the rows, read at every paint.
  virtual std::vector<PopupRow> CurrentRows() const = 0;
  // Where a row's text starts; nothing for a text that is not drawn.
  virtual std::optional<RowTextPlace> TextPlace(uint32_t row, int32_t textWidth,
                                                int32_t textHeight) const;
  // The hovered row changed (hover_ holds the new one).
  virtual void HoverChanged() {}
  // The left button was released over the list; row is the hovered row (kNoRow for none).
  virtual void Released(uint32_t row) = 0;

  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* opener_;
  PopupImageNames images_;
  bool heldImage_;
  RowGeometry geometry_;
  uint32_t hover_ = kNoRow;
  uint32_t hoverPrev_ = kNoRow;
  bool held_ = false;
  bool closing_ = false;
  QImage frame_;
  uint64_t paintCount_ = 0;
};

}  // namespace gm
