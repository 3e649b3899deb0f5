// Colours and drawing helpers shared by the skin image generators (pages, pop-ups, dialogs).
// Header-only: include it and link Qt6::Gui.
//
// The look: a charcoal window, flat dark panels with a thin light edge, controls whose hover
// state glows cyan and whose pressed / selected state is filled with the teal accent.
// Images never carry text: every caption is drawn by the program in the UI font.
#pragma once

#include <algorithm>

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRect>
#include <QRgb>
#include <QString>

namespace gm::skin {

// ---- Colours the program itself draws with (texts, lists, menus, edits) --------------------
inline constexpr QRgb kTextWhite = qRgb(255, 255, 255);      // every caption
inline constexpr QRgb kTextHover = qRgb(1, 255, 246);        // hovered key label / menu row
inline constexpr QRgb kHighlight = qRgb(7, 188, 255);        // current DPI value, "Record"
inline constexpr QRgb kRecording = qRgb(255, 0, 0);          // "Stop" while recording
inline constexpr QRgb kDpiValueLabel = qRgb(89, 89, 89);     // DPI values not current
inline constexpr QRgb kListBackground = qRgb(22, 22, 22);    // owner-drawn list boxes
inline constexpr QRgb kEditBackground = qRgb(0, 0, 0);       // edit boxes
inline constexpr QRgb kMenuTeal = qRgb(0, 120, 153);         // selected menu rows

// ---- Window surfaces -------------------------------------------------------------------------
inline constexpr QRgb kWindowTop = qRgb(40, 42, 46);         // charcoal, top of the gradient
inline constexpr QRgb kWindowBottom = qRgb(24, 25, 28);      // charcoal, bottom of the gradient
inline constexpr QRgb kWindowEdge = qRgb(70, 74, 80);        // one-pixel outline of the window
inline constexpr QRgb kHeaderBand = qRgb(18, 19, 21);        // title / tab strip
inline constexpr QRgb kPanelFill = qRgb(31, 33, 36);         // grouped areas
inline constexpr QRgb kPanelEdge = qRgb(58, 62, 68);
inline constexpr QRgb kRecessFill = qRgb(16, 17, 19);        // wells: list places, bar tracks
inline constexpr QRgb kRecessEdge = qRgb(48, 51, 56);
inline constexpr QRgb kLeaderLine = qRgb(92, 98, 106);       // lines from the mouse to labels

// ---- Controls ----------------------------------------------------------------------------------
inline constexpr QRgb kButtonTop = qRgb(62, 66, 72);         // normal button, gradient
inline constexpr QRgb kButtonBottom = qRgb(44, 47, 52);
inline constexpr QRgb kButtonEdge = qRgb(86, 92, 100);
inline constexpr QRgb kOverTop = qRgb(48, 84, 98);           // hovered button, gradient
inline constexpr QRgb kOverBottom = qRgb(30, 58, 70);
inline constexpr QRgb kOverEdge = qRgb(1, 255, 246);         // hovered outline = hover text colour
inline constexpr QRgb kDownTop = qRgb(0, 150, 190);          // pressed / selected, gradient
inline constexpr QRgb kDownBottom = qRgb(0, 96, 124);
inline constexpr QRgb kDownEdge = qRgb(7, 188, 255);
inline constexpr QRgb kBarFillStart = qRgb(0, 120, 153);     // filled part of bars and slider
inline constexpr QRgb kBarFillEnd = qRgb(7, 188, 255);
inline constexpr QRgb kGlyph = qRgb(200, 206, 214);          // drawn symbols (close, minimise …)
inline constexpr QRgb kGlyphOver = qRgb(1, 255, 246);
inline constexpr QRgb kDanger = qRgb(200, 40, 48);           // close button when hovered
// Value chips: the program writes a value not selected in kDpiValueLabel (a mid grey) and the
// selected one in kHighlight, so the plate is light under the first and dark under the second.
inline constexpr QRgb kChipFill = qRgb(222, 226, 232);
inline constexpr QRgb kChipEdge = qRgb(150, 156, 166);
inline constexpr QRgb kChipOverFill = qRgb(190, 236, 240);
inline constexpr QRgb kChipDownFill = qRgb(0, 44, 58);

// ---- Window-shape masks: dark pixels are inside the window, light ones are cut away ----------
inline constexpr QRgb kMaskInside = qRgb(0, 0, 0);
inline constexpr QRgb kMaskOutside = qRgb(255, 255, 255);
inline constexpr int kMaskThreshold = 100;  // a pixel is outside when R, G and B all exceed this

// ---- Shared metrics ----------------------------------------------------------------------------
inline constexpr int kCornerRadius = 4;      // buttons
inline constexpr int kWindowRadius = 10;     // window corners (cut by the mask)
inline constexpr int kJpegQuality = 95;
// The key-function list of the keys page opens under a key button and is given the button's
// width + 1; its images must not be wider than that.
inline constexpr int kKeyButtonWidth = 210;
// The lighting-mode list opens under its element with that element's width.
inline constexpr int kLedModeButtonWidth = 180;
// The UI font: the program prefers this face and falls back to the second.
inline const char* const kUiFontFace = "微软雅黑";
inline const char* const kUiFontFallback = "WenQuanYi Micro Hei";
inline constexpr int kUiFontPoints = 10;

enum class ButtonState { Normal, Over, Down };

inline QColor Color(QRgb rgb) { return QColor::fromRgb(rgb); }

inline QImage NewCanvas(int width, int height, QRgb fill = kWindowBottom) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Color(fill));
  return image;
}

inline QImage NewTransparentCanvas(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image;
}

inline void PrepareAntialiased(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

// Window background: vertical charcoal gradient and a thin outline following the rounded shape.
inline void DrawWindowBackground(QPainter& painter, const QRect& area, int radius = kWindowRadius) {
  painter.save();
  PrepareAntialiased(painter);
  QLinearGradient gradient(area.topLeft(), area.bottomLeft());
  gradient.setColorAt(0.0, Color(kWindowTop));
  gradient.setColorAt(1.0, Color(kWindowBottom));
  painter.fillRect(area, Color(kWindowBottom));
  painter.setPen(QPen(Color(kWindowEdge), 1.0));
  painter.setBrush(gradient);
  painter.drawRoundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
  painter.restore();
}

// A grouped area: flat fill, thin edge.
inline void DrawPanel(QPainter& painter, const QRect& area, int radius = 6) {
  painter.save();
  PrepareAntialiased(painter);
  painter.setPen(QPen(Color(kPanelEdge), 1.0));
  painter.setBrush(Color(kPanelFill));
  painter.drawRoundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
  painter.restore();
}

// A well sunk into the surface (list places, bar tracks, edit boxes).
inline void DrawRecess(QPainter& painter, const QRect& area, int radius = 3,
                       QRgb fill = kRecessFill) {
  painter.save();
  PrepareAntialiased(painter);
  painter.setPen(QPen(Color(kRecessEdge), 1.0));
  painter.setBrush(Color(fill));
  painter.drawRoundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
  painter.setPen(QPen(QColor(0, 0, 0, 120), 1.0));
  painter.drawLine(QPointF(area.left() + radius, area.top() + 1.5),
                   QPointF(area.right() - radius, area.top() + 1.5));
  painter.restore();
}

// A bevelled push button in one of its three states. Normal: raised grey; Over: cyan outline on
// a dark teal face; Down: bright teal face, sunk (shadow at the top, no highlight).
inline void DrawBevelButton(QPainter& painter, const QRect& area, ButtonState state,
                            int radius = kCornerRadius) {
  painter.save();
  PrepareAntialiased(painter);
  QRgb top = kButtonTop;
  QRgb bottom = kButtonBottom;
  QRgb edge = kButtonEdge;
  if (state == ButtonState::Over) {
    top = kOverTop;
    bottom = kOverBottom;
    edge = kOverEdge;
  } else if (state == ButtonState::Down) {
    top = kDownBottom;
    bottom = kDownTop;
    edge = kDownEdge;
  }
  const QRectF box = QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5);
  QLinearGradient gradient(box.topLeft(), box.bottomLeft());
  gradient.setColorAt(0.0, Color(top));
  gradient.setColorAt(1.0, Color(bottom));
  painter.setPen(QPen(Color(edge), state == ButtonState::Normal ? 1.0 : 1.4));
  painter.setBrush(gradient);
  painter.drawRoundedRect(box, radius, radius);
  if (state == ButtonState::Normal) {  // bevel: light line under the top edge
    painter.setPen(QPen(QColor(255, 255, 255, 40), 1.0));
    painter.drawLine(QPointF(box.left() + radius, box.top() + 1.0),
                     QPointF(box.right() - radius, box.top() + 1.0));
  } else if (state == ButtonState::Down) {  // sunk: dark line under the top edge
    painter.setPen(QPen(QColor(0, 0, 0, 110), 1.0));
    painter.drawLine(QPointF(box.left() + radius, box.top() + 1.5),
                     QPointF(box.right() - radius, box.top() + 1.5));
  }
  painter.restore();
}

// A horizontal bar: an empty track (Normal), a track lit for hovering (Over), or completely
// filled (Down). The program copies a prefix of the filled picture over the track.
inline void DrawBar(QPainter& painter, const QRect& area, ButtonState state) {
  painter.save();
  PrepareAntialiased(painter);
  const QRectF box = QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5);
  const qreal radius = std::min<qreal>(box.height() / 2.0, 6.0);
  if (state == ButtonState::Down) {
    QLinearGradient gradient(box.topLeft(), box.topRight());
    gradient.setColorAt(0.0, Color(kBarFillStart));
    gradient.setColorAt(1.0, Color(kBarFillEnd));
    painter.setPen(QPen(Color(kDownEdge), 1.0));
    painter.setBrush(gradient);
  } else {
    painter.setPen(QPen(Color(state == ButtonState::Over ? kOverEdge : kRecessEdge), 1.0));
    painter.setBrush(Color(state == ButtonState::Over ? kOverBottom : kRecessFill));
  }
  painter.drawRoundedRect(box, radius, radius);
  painter.restore();
}

// A row band of a list or menu: Normal draws nothing, Over a dark teal band with a cyan edge,
// Down the menu teal.
inline void DrawRowBand(QPainter& painter, const QRect& area, ButtonState state) {
  if (state == ButtonState::Normal) {
    return;
  }
  painter.save();
  if (state == ButtonState::Over) {
    painter.fillRect(area, Color(kOverBottom));
    painter.setPen(Color(kOverEdge));
    painter.drawLine(area.left(), area.top(), area.left(), area.bottom());
    painter.drawLine(area.left() + 1, area.top(), area.left() + 1, area.bottom());
  } else {
    painter.fillRect(area, Color(kMenuTeal));
  }
  painter.restore();
}

// A small round check indicator; "on" fills it with the accent.
inline void DrawCheckDot(QPainter& painter, const QPointF& centre, qreal radius, bool on,
                         bool hovered) {
  painter.save();
  PrepareAntialiased(painter);
  painter.setPen(QPen(Color(hovered ? kOverEdge : kButtonEdge), 1.4));
  painter.setBrush(Color(kRecessFill));
  painter.drawEllipse(centre, radius, radius);
  if (on) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Color(kHighlight));
    painter.drawEllipse(centre, radius * 0.55, radius * 0.55);
  }
  painter.restore();
}

// A mask of the given size: inside the rounded rectangle `inside` dark, everything else light.
inline QImage MakeRoundedMask(int width, int height, const QRect& inside,
                              int radius = kWindowRadius) {
  QImage mask(width, height, QImage::Format_RGB32);
  mask.fill(Color(kMaskOutside));
  QPainter painter(&mask);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Color(kMaskInside));
  QPainterPath path;
  path.addRoundedRect(QRectF(inside), radius, radius);
  painter.drawPath(path);
  return mask;
}

inline bool SaveJpeg(const QImage& image, const QString& path) {
  return image.convertToFormat(QImage::Format_RGB32).save(path, "JPG", kJpegQuality);
}

inline bool SavePng(const QImage& image, const QString& path) { return image.save(path, "PNG"); }

}  // namespace gm::skin
