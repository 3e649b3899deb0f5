#pragma once
// ui/dialogs: the dialogs: key capture, recoil, About, group file choice, message boxes.
//
// Drawing and hit-testing shared by the skinned dialogs (key capture, recoil): the frame is
// composed off-screen from the dialog's normal picture, the hovered element copied 1:1 from
// the over or down picture, then the captions, and shown with one copy.

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QSize>

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "ui/skin/skin_images.h"
#include "ui/skin/skin_rect.h"

namespace gm {

// White captions; the value field's text in RGB(7, 188, 255).
inline constexpr QRgb kDialogCaptionColor = 0xFFFFFFFF;
inline constexpr QRgb kDialogValueColor = 0xFF07BCFF;

// The four pictures of a dialog skin: <skins>/<stem>_mask.jpg, _normal, _over, _down.
struct DialogPictures {
  std::filesystem::path mask;
  std::filesystem::path normal;
  std::filesystem::path over;
  std::filesystem::path down;
};
DialogPictures DialogPicturesOf(const char* stem);

// The dialog's shape and size from its mask (dark pixels inside). Without a mask the size of
// the normal picture, and a rectangular shape (empty region).
struct DialogShape {
  QSize size;
  QRegion region;  // empty: rectangular
};
DialogShape DialogShapeOf(const DialogPictures& pictures, SkinImages& images);

// The first element whose rectangle holds point, else kNoElement.
uint32_t HitDialogElement(std::span<const SkinRect> rects, const QPoint& point);

// Starts a frame of size from the normal picture (a missing picture gives the dark fill) and
// copies the hovered element from the down picture (pressed) or the over picture.
void ComposeDialogFrame(QImage& frame, const QSize& size, const DialogPictures& pictures,
                        SkinImages& images, std::span<const SkinRect> rects, uint32_t hover,
                        bool pressed);

// Centred captions in the dialog font of the language: captions[i] in white, except element
// valueIndex, which shows valueText in kDialogValueColor.
void DrawDialogLabels(QImage& frame, std::span<const SkinRect> rects,
                      std::span<const std::u16string> captions, std::size_t valueIndex,
                      const std::u16string& valueText);

// Copies the top-left part of picture into rect of frame, 1:1 and clipped to the rectangle.
void DrawClippedPicture(QImage& frame, const QImage& picture, const SkinRect& rect);

}  // namespace gm
