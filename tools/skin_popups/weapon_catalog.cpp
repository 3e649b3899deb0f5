#include "weapon_catalog.h"

#include <array>
#include <utility>

namespace gm::popups {
namespace {

using M = Material;

// Parts several rifles share.
void ArLower(WeaponBuilder& b, qreal grip, M furniture) {
  b.Grip(furniture, grip, 6, 20, 9, 6).TriggerGuard(grip, grip + 14, 6, 7);
}

void FlashHider(WeaponBuilder& b, qreal x, qreal y, qreal length, qreal radius) {
  b.Tube(M::kMetal, x, x + length, y, radius);
  b.Slot(x + length * 0.35, y - radius * 0.45, length * 0.5, radius * 0.9, radius * 0.4);
}

void Bipod(WeaponBuilder& b, qreal x, qreal y, qreal reach) {
  b.Polygon(M::kMetal, {{x - 1, y}, {x + 1, y}, {x - reach * 0.45 + 1, y + reach},
                        {x - reach * 0.45 - 1, y + reach}});
  b.Polygon(M::kMetal, {{x - 1, y}, {x + 1, y}, {x + reach * 0.35 + 1, y + reach},
                        {x + reach * 0.35 - 1, y + reach}});
}

void RedDot(WeaponBuilder& b, qreal x, qreal top) {
  b.Box(M::kMetal, x, top - 4, 18, 4, 0.8);
  b.Box(M::kMetal, x + 2, top - 13, 16, 9, 3);
  b.Slot(x + 6, top - 10.5, 9, 4, 2);
}

WeaponBuilder M416() {
  WeaponBuilder b;
  b.Tube(M::kMetal, 20, 52, -2, 3);
  b.Polygon(M::kPolymer, {{0, -10}, {6, -11}, {30, -8}, {32, -3}, {30, 4}, {8, 13}, {0, 13}});
  b.Slot(10, -5, 14, 5, 2);
  b.Box(M::kMetal, 50, -8, 52, 14, 1.5);
  b.Box(M::kMetal, 80, 4, 14, 6, 1);
  b.Box(M::kMetal, 102, -8, 56, 14, 2);
  b.Rail(52, 158, -10.4);
  b.Vents(108, 154, -3, 4, 6);
  b.Tube(M::kMetal, 158, 178, -1, 2);
  FlashHider(b, 178, -1, 10, 2.8);
  ArLower(b, 66, M::kPolymer);
  b.Magazine(M::kMetal, 94, 8, 12, 30, 6);
  RedDot(b, 64, -10.4);
  b.Seam(50, -1, 102, -1);
  return b;
}

WeaponBuilder Akm() {
  WeaponBuilder b;
  b.Polygon(M::kWood, {{0, -4}, {46, -4}, {50, 0}, {46, 6}, {6, 19}, {0, 19}});
  b.Box(M::kMetal, 46, -7, 60, 13, 2);
  b.Box(M::kMetal, 92, -11, 6, 4, 0.8);
  b.Grip(M::kWood, 60, 6, 20, 9, 6).TriggerGuard(60, 80, 6, 6);
  b.Magazine(M::kMetal, 98, 6, 11, 34, 15);
  b.Box(M::kWood, 106, -1, 34, 9, 2.5);
  b.Box(M::kWood, 106, -9, 30, 6, 2.5);
  b.Box(M::kMetal, 136, -11, 6, 9, 1);
  b.Tube(M::kMetal, 140, 180, 0, 1.6);
  b.Polygon(M::kMetal, {{166, -1}, {168, -10}, {171, -10}, {173, -1}});
  b.Box(M::kMetal, 180, -2.6, 8, 5.2, 1.5);
  b.Seam(106, 3.5, 140, 3.5);
  return b;
}

WeaponBuilder BerylM762() {
  WeaponBuilder b;
  b.Polygon(M::kPolymer, {{2, -8}, {42, -5}, {48, -1}, {48, 4}, {42, 6}, {14, 13}, {2, 13}});
  b.Slot(12, -3, 24, 6, 2.5);
  b.Box(M::kMetal, 46, -7, 60, 13, 2);
  b.Rail(50, 104, -9.4);
  b.Grip(M::kPolymer, 60, 6, 20, 9, 6).TriggerGuard(60, 80, 6, 6);
  b.Magazine(M::kPolymer, 98, 6, 11, 33, 14);
  b.Box(M::kPolymer, 106, -8, 38, 15, 2);
  b.Rail(108, 142, -10.4);
  b.Vents(112, 140, 1, 3.5, 5);
  b.Tube(M::kMetal, 144, 172, 0, 1.7);
  b.Box(M::kMetal, 172, -3.2, 13, 6.4, 1.2);
  b.Slot(175, -2.2, 2, 1.6, 0.5).Slot(179, -2.2, 2, 1.6, 0.5);
  return b;
}

WeaponBuilder ScarL() {
  WeaponBuilder b;
  b.Polygon(M::kPolymer,
            {{0, -8}, {6, -11}, {36, -9}, {44, -5}, {44, 4}, {30, 6}, {8, 15}, {0, 15}});
  b.Slot(11, -2, 20, 6, 2.5);
  b.Box(M::kMetal, 42, -9, 108, 10, 1.5);
  b.Box(M::kPolymer, 50, 0, 46, 8, 1.5);
  b.Rail(44, 148, -11.4);
  b.Box(M::kMetal, 48, -17, 6, 6, 1).Box(M::kMetal, 138, -17, 6, 6, 1);
  b.Grip(M::kPolymer, 62, 7, 20, 9, 6).TriggerGuard(62, 78, 7, 6);
  b.Magazine(M::kMetal, 92, 8, 12, 28, 5);
  b.Box(M::kPolymer, 112, 0, 34, 5, 1.5);
  b.Tube(M::kMetal, 150, 170, -3, 1.8);
  FlashHider(b, 170, -3, 10, 2.7);
  b.Seam(98, -4, 146, -4);
  return b;
}

WeaponBuilder G36c() {
  WeaponBuilder b;
  b.Polygon(M::kPolymer, {{0, -8}, {36, -7}, {40, -3}, {40, 4}, {30, 8}, {6, 13}, {0, 13}});
  b.Slot(7, -3, 24, 9, 3.5);
  b.Box(M::kPolymer, 38, -8, 70, 15, 3);
  b.Polygon(M::kPolymer, {{46, -8}, {52, -21}, {96, -21}, {102, -8}});
  b.Slot(58, -17, 34, 6, 2.5);
  b.Box(M::kPolymer, 106, -6, 26, 12, 3);
  b.Vents(110, 130, -2, 4, 4);
  b.Tube(M::kMetal, 132, 150, -1, 1.8);
  FlashHider(b, 150, -1, 9, 2.6);
  b.Grip(M::kPolymer, 62, 7, 20, 9, 6).TriggerGuard(62, 78, 7, 6);
  b.Magazine(M::kPolymer, 92, 7, 11, 30, 9);
  return b;
}

WeaponBuilder Qbz95() {
  WeaponBuilder b;
  b.Polygon(M::kPolymer, {{0, -8}, {8, -10}, {112, -10}, {122, -6}, {122, 6}, {100, 8}, {60, 8},
                          {14, 17}, {0, 17}});
  b.Polygon(M::kPolymer, {{40, -10}, {46, -22}, {110, -22}, {116, -10}});
  b.Slot(52, -18, 52, 6, 3);
  b.Grip(M::kPolymer, 96, 8, 22, 10, 5).TriggerGuard(96, 116, 6, 8);
  b.Magazine(M::kMetal, 66, 8, 12, 30, 8);
  b.Tube(M::kMetal, 122, 158, -2, 2);
  FlashHider(b, 158, -2, 11, 2.8);
  b.Seam(8, 0, 60, 0);
  return b;
}

WeaponBuilder AugA3() {
  WeaponBuilder b;
  b.Polygon(M::kPolymer, {{0, -5}, {6, -8}, {108, -8}, {114, -4}, {114, 6}, {60, 8}, {18, 15},
                          {0, 15}});
  b.Rail(56, 108, -10.4);
  b.Tube(M::kMetal, 58, 96, -17, 4);
  b.Tube(M::kMetal, 94, 104, -17, 5);
  b.Box(M::kMetal, 64, -14, 6, 4, 0.8).Box(M::kMetal, 86, -14, 6, 4, 0.8);
  b.Grip(M::kPolymer, 102, 6, 22, 9, 4);
  b.TriggerGuard(76, 112, 6, 26);
  b.Magazine(M::kPolymer, 68, 8, 11, 28, 4);
  b.Tube(M::kMetal, 114, 162, -1, 2);
  b.Grip(M::kPolymer, 128, 1, 18, 7, -2);
  FlashHider(b, 162, -1, 9, 2.8);
  return b;
}

WeaponBuilder Groza() {
  WeaponBuilder b;
  b.Polygon(M::kPolymer, {{0, -6}, {6, -9}, {88, -9}, {96, -5}, {96, 6}, {50, 8}, {12, 16},
                          {0, 16}});
  b.Box(M::kMetal, 20, -13, 52, 5, 1.5);
  b.Rail(74, 100, -11.4);
  b.Magazine(M::kMetal, 52, 7, 11, 32, 14);
  b.Grip(M::kPolymer, 84, 7, 20, 9, 5);
  b.TriggerGuard(70, 96, 6, 22);
  b.Box(M::kPolymer, 96, -6, 24, 12, 3);
  b.Tube(M::kMetal, 120, 140, -1, 2);
  b.Tube(M::kMetal, 140, 150, -1, 3);
  b.Seam(10, -2, 50, -2);
  return b;
}

WeaponBuilder M16a4() {
  WeaponBuilder b;
  b.Polygon(M::kPolymer, {{0, -9}, {4, -10}, {44, -5}, {50, -3}, {50, 5}, {44, 6}, {4, 15},
                          {0, 15}});
  b.Box(M::kMetal, 48, -8, 54, 14, 1.5);
  b.Box(M::kMetal, 78, 4, 14, 6, 1);
  b.Polygon(M::kMetal, {{56, -8}, {58, -19}, {92, -19}, {96, -8}});
  b.Slot(62, -15.5, 28, 5, 2);
  b.Box(M::kPolymer, 102, -6, 50, 12, 5);
  for (qreal x = 108; x < 150; x += 5) b.Seam(x, -5, x, 5);
  b.Polygon(M::kMetal, {{152, -2}, {157, -17}, {161, -17}, {164, -2}});
  b.Tube(M::kMetal, 150, 196, -1, 1.6);
  FlashHider(b, 196, -1, 9, 2.4);
  ArLower(b, 64, M::kPolymer);
  b.Magazine(M::kMetal, 92, 8, 12, 30, 6);
  return b;
}

WeaponBuilder Mk47() {
  WeaponBuilder b;
  b.Tube(M::kMetal, 20, 52, -2, 3);
  b.Polygon(M::kPolymer, {{0, -9}, {28, -7}, {32, -2}, {30, 5}, {10, 13}, {0, 13}});
  b.Box(M::kMetal, 50, -8, 52, 14, 1.5);
  b.Box(M::kMetal, 102, -8, 66, 13, 1.5);
  b.Rail(52, 168, -10.4);
  b.Vents(106, 164, -3, 5, 7);
  b.Tube(M::kMetal, 168, 182, -1.5, 1.8);
  b.Box(M::kMetal, 182, -4, 12, 8, 1.5);
  b.Slot(185, -3, 2, 2, 0.6).Slot(189, -3, 2, 2, 0.6);
  ArLower(b, 66, M::kPolymer);
  b.Magazine(M::kPolymer, 96, 6, 11, 34, 15);
  return b;
}

WeaponBuilder Ace32() {
  WeaponBuilder b;
  b.Polygon(M::kPolymer, {{0, -9}, {40, -5}, {46, -1}, {46, 4}, {40, 6}, {4, 15}, {0, 15}});
  QPainterPath triangle;
  triangle.moveTo(8, -4);
  triangle.lineTo(36, -2);
  triangle.lineTo(8, 9);
  triangle.closeSubpath();
  b.Hole(triangle);
  b.Box(M::kMetal, 44, -7, 60, 13, 2);
  b.Rail(46, 104, -9.4);
  b.Grip(M::kPolymer, 60, 6, 20, 9, 6).TriggerGuard(60, 80, 6, 6);
  b.Magazine(M::kPolymer, 98, 6, 11, 32, 13);
  b.Box(M::kPolymer, 104, -8, 44, 15, 2.5);
  b.Vents(108, 144, -4, 3, 6);
  b.Vents(108, 144, 2, 3, 6);
  b.Tube(M::kMetal, 148, 172, 0, 1.7);
  FlashHider(b, 172, 0, 10, 2.6);
  return b;
}

WeaponBuilder K2() {
  WeaponBuilder b;
  b.Polygon(M::kPolymer, {{0, -8}, {40, -6}, {46, -2}, {46, 5}, {40, 6}, {4, 14}, {0, 14}});
  b.Slot(8, -3, 8, 5, 2).Slot(20, -3, 8, 5, 2);
  b.Box(M::kMetal, 44, -8, 56, 14, 1.5);
  b.Polygon(M::kMetal, {{80, -8}, {82, -13}, {90, -13}, {92, -8}});
  b.Box(M::kPolymer, 100, -6, 40, 12, 5);
  for (qreal x = 106; x < 138; x += 6) b.Seam(x, -5, x, 5);
  b.Polygon(M::kMetal, {{142, -2}, {146, -14}, {150, -14}, {152, -2}});
  b.Tube(M::kMetal, 140, 172, -1, 1.6);
  b.Box(M::kMetal, 172, -3, 12, 6, 1.5);
  b.Slot(176, -2.5, 5, 1.4, 0.5);
  ArLower(b, 62, M::kPolymer);
  b.Magazine(M::kMetal, 90, 8, 12, 29, 7);
  return b;
}

WeaponBuilder Ump45() {
  WeaponBuilder b;
  b.Polygon(M::kPolymer, {{0, -6}, {34, -6}, {38, -2}, {38, 6}, {30, 10}, {6, 13}, {0, 13}});
  b.Slot(6, -2, 24, 9, 3);
  b.Box(M::kPolymer, 36, -8, 80, 16, 2);
  b.Rail(44, 112, -10.4);
  b.Grip(M::kPolymer, 60, 8, 20, 9, 6);
  b.Polygon(M::kPolymer, {{60, 8}, {84, 8}, {84, 11}, {66, 12}});
  b.Slot(62, 9, 14, 2.5, 1);
  b.Magazine(M::kPolymer, 100, 8, 10, 28, 0);
  b.Tube(M::kMetal, 116, 128, -1, 2.2);
  b.Vents(88, 112, -2, 4, 4);
  return b;
}

WeaponBuilder Vector() {
  WeaponBuilder b;
  b.Tube(M::kMetal, 14, 34, -3, 2.5);
  b.Polygon(M::kPolymer, {{0, -9}, {16, -9}, {18, -4}, {16, 6}, {4, 12}, {0, 12}});
  b.Box(M::kPolymer, 32, -9, 70, 11, 2);
  b.Rail(36, 100, -11.4);
  b.Polygon(M::kPolymer, {{44, 2}, {96, 2}, {102, -2}, {104, 14}, {90, 27}, {66, 16}, {50, 14}});
  b.Grip(M::kPolymer, 66, 12, 22, 9, 5);
  b.Magazine(M::kPolymer, 102, 18, 10, 24, 0);
  b.Tube(M::kMetal, 102, 122, -4, 3);
  b.Tube(M::kMetal, 122, 130, -4, 2);
  b.Seam(54, 6, 92, 6);
  return b;
}

WeaponBuilder MicroUzi() {
  WeaponBuilder b;
  // The wire stock folded along the top, its butt plate standing at the rear.
  b.Box(M::kMetal, 28, -11.5, 54, 2, 1);
  b.Box(M::kMetal, 26, -16, 4, 9, 1.2);
  b.Box(M::kMetal, 30, -8, 56, 14, 2);
  b.Box(M::kPolymer, 24, -5, 8, 9, 2.5);
  b.Box(M::kMetal, 80, -12, 4, 4, 0.8);
  b.Grip(M::kPolymer, 62, 6, 18, 11, 2).TriggerGuard(64, 76, 6, 6);
  b.Magazine(M::kMetal, 59, 22, 8, 20, 0);
  b.Tube(M::kMetal, 86, 98, -1, 2.4);
  b.Vents(36, 56, -4, 3, 3);
  return b;
}

WeaponBuilder TommyGun() {
  WeaponBuilder b;
  b.Polygon(M::kWood, {{0, -6}, {44, -4}, {50, 0}, {50, 6}, {44, 8}, {4, 19}, {0, 19}});
  b.Box(M::kMetal, 48, -8, 54, 14, 2);
  b.Box(M::kMetal, 56, -12, 6, 4, 0.8);
  b.Grip(M::kWood, 64, 6, 20, 10, 7).TriggerGuard(64, 80, 6, 6);
  b.Disc(M::kMetal, 96, 20, 14);
  b.Seam(86, 20, 106, 20).Seam(96, 10, 96, 30);
  b.Tube(M::kMetal, 102, 160, -1, 2.4);
  for (qreal x = 104; x < 128; x += 3) b.Box(M::kMetal, x, -4.5, 1.6, 7, 0.5);
  b.Grip(M::kWood, 136, 2, 20, 9, -3);
  b.Box(M::kMetal, 160, -3.5, 12, 7, 1.5);
  b.Slot(163, -3, 2, 1.6, 0.5).Slot(167, -3, 2, 1.6, 0.5);
  return b;
}

WeaponBuilder Bizon() {
  WeaponBuilder b;
  b.Polygon(M::kMetal, {{0, -7}, {4, -7}, {40, -4}, {40, 1}, {6, 10}, {0, 12}});
  QPainterPath opening;
  opening.moveTo(6, -3);
  opening.lineTo(34, -1.5);
  opening.lineTo(6, 6);
  opening.closeSubpath();
  b.Hole(opening);
  b.Box(M::kMetal, 38, -7, 58, 13, 2);
  b.Box(M::kMetal, 84, -11, 6, 4, 0.8);
  b.Grip(M::kPolymer, 52, 6, 20, 9, 6).TriggerGuard(52, 70, 6, 6);
  b.Tube(M::kPolymer, 72, 142, 13, 7);
  for (qreal x = 80; x < 140; x += 8) b.Seam(x, 7, x + 4, 19);
  b.Tube(M::kMetal, 96, 150, -1, 2);
  b.Polygon(M::kMetal, {{138, -1}, {140, -9}, {143, -9}, {145, -1}});
  b.Box(M::kPolymer, 96, -6, 40, 10, 2.5);
  return b;
}

WeaponBuilder Mp5k() {
  WeaponBuilder b;
  b.Box(M::kPolymer, 18, -6, 10, 12, 3.5);
  b.Box(M::kMetal, 26, -8, 66, 14, 2);
  b.Box(M::kMetal, 30, -14, 8, 6, 2);
  b.Grip(M::kPolymer, 50, 7, 20, 9, 6).TriggerGuard(50, 66, 6, 6);
  b.Magazine(M::kMetal, 80, 7, 9, 26, 9);
  b.Box(M::kPolymer, 92, -5, 18, 11, 3);
  b.Grip(M::kPolymer, 104, 5, 20, 9, -1);
  b.Box(M::kMetal, 106, -13, 6, 7, 1.5);
  b.Tube(M::kMetal, 110, 122, -1, 2.2);
  b.Seam(32, 0, 76, 0);
  return b;
}

WeaponBuilder Dp28() {
  WeaponBuilder b;
  b.Polygon(M::kWood, {{0, -6}, {40, -4}, {46, 0}, {46, 4}, {40, 6}, {4, 17}, {0, 17}});
  b.Box(M::kMetal, 44, -6, 50, 12, 2);
  b.Grip(M::kWood, 60, 6, 16, 9, 10).TriggerGuard(60, 74, 6, 5);
  // The flat pan magazine on top, seen from the side.
  b.Ellipse(M::kMetal, QRectF(46, -17, 56, 10));
  b.Box(M::kMetal, 70, -21, 8, 6, 2);
  b.Box(M::kMetal, 68, -9, 12, 4, 1);
  b.Seam(50, -12, 98, -12);
  b.Tube(M::kMetal, 94, 170, -1, 4);
  b.Vents(98, 166, -3, 2.2, 10);
  b.Tube(M::kMetal, 170, 196, -1, 1.8);
  b.Polygon(M::kMetal, {{196, -2.5}, {206, -4}, {206, 2}, {196, 0.5}});
  Bipod(b, 160, 3, 24);
  return b;
}

WeaponBuilder M249() {
  WeaponBuilder b;
  b.Polygon(M::kPolymer, {{0, -8}, {34, -6}, {40, -2}, {40, 6}, {34, 8}, {2, 14}, {0, 14}});
  b.Slot(8, -2, 20, 7, 3);
  b.Box(M::kMetal, 38, -9, 62, 16, 2);
  b.Polygon(M::kMetal, {{44, -9}, {46, -14}, {90, -14}, {96, -9}});
  b.Rail(48, 90, -16.4);
  b.Box(M::kPolymer, 74, 7, 22, 20, 2);
  b.Seam(74, 14, 96, 14);
  b.Grip(M::kPolymer, 56, 7, 20, 9, 6).TriggerGuard(56, 72, 7, 6);
  b.Box(M::kPolymer, 100, -6, 28, 12, 3);
  b.Polygon(M::kMetal, {{128, -3}, {132, -14}, {150, -14}, {154, -3}});
  b.Slot(135, -11, 12, 5, 2);
  b.Tube(M::kMetal, 128, 196, -1, 2.4);
  FlashHider(b, 196, -1, 9, 3);
  Bipod(b, 184, 1, 26);
  return b;
}

using Builder = WeaponBuilder (*)();
constexpr std::array<std::pair<std::u16string_view, Builder>, 20> kCatalogue{{
    {u"M416", M416},          {u"AKM", Akm},
    {u"Beryl M762", BerylM762}, {u"SCAR-L", ScarL},
    {u"G36C", G36c},          {u"QBZ95", Qbz95},
    {u"AUG A3", AugA3},       {u"Groza", Groza},
    {u"M16A4", M16a4},        {u"Mk47 Mutant", Mk47},
    {u"ACE32", Ace32},        {u"K2", K2},
    {u"UMP45", Ump45},        {u"Vector", Vector},
    {u"Micro UZI", MicroUzi}, {u"Tommy Gun", TommyGun},
    {u"PP-19 Bizon", Bizon},  {u"MP5K", Mp5k},
    {u"DP-28", Dp28},         {u"M249", M249},
}};

}  // namespace

bool HasOwnSilhouette(std::u16string_view nameEn) {
  for (const auto& [name, build] : kCatalogue) {
    if (name == nameEn) return true;
  }
  return false;
}

WeaponBuilder BuildWeapon(std::u16string_view nameEn, recoil::WeaponKind kind) {
  for (const auto& [name, build] : kCatalogue) {
    if (name == nameEn) return build();
  }
  switch (kind) {
    case recoil::WeaponKind::SubmachineGun:
      return Ump45();
    case recoil::WeaponKind::LightMachineGun:
      return M249();
    case recoil::WeaponKind::AssaultRifle:
      break;
  }
  return M416();
}

}  // namespace gm::popups
