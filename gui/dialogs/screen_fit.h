// Keeping windows where someone can see them: a placement remembered from another run, or one
// worked out beside the main window, is moved onto the screens that exist now.
#pragma once

#include <QList>
#include <QRect>

namespace plicato {

// `wanted` as it is when most of it, title edge included, lies on one of `screens`; otherwise
// moved (and shrunk if it is larger) onto the screen that shows most of it, or onto the first.
QRect placeOnScreens(const QRect& wanted, const QList<QRect>& screens);

// The available areas of the screens now connected, the primary one first.
QList<QRect> availableScreenAreas();

} // namespace plicato
