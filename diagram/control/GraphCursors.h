#pragma once

#include <QCursor>

// The control's own cursor images, registered under their numbers:
// 51 open hand, 52 grabbing hand, 53 pointing hand, 54 and 55 cross-hairs.
namespace GraphCursors {

constexpr int HandFlat = 51;
constexpr int HandGrab = 52;
constexpr int HandPoint = 53;
constexpr int CrossHair1 = 54;
constexpr int CrossHair2 = 55;

QCursor Cursor(int number);

} // namespace GraphCursors
