#pragma once
// The keys page's picture of the mouse seen from above: its nine keys, each with a numbered
// badge and a leader line to the key's card (name and function button) beside the mouse.

#include <QFont>
#include <QPainter>

namespace gm::skingen {

void DrawMouseWithLeaders(QPainter& painter, const QFont& uiFont);

}  // namespace gm::skingen
