// A placement is kept when its title edge is on a screen and at least half of it shows.
#include "gui/dialogs/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace plicato {

namespace {

long long areaOf(const QRect& r) {
    return r.isEmpty() ? 0 : static_cast<long long>(r.width()) * r.height();
}

} // namespace

QRect placeOnScreens(const QRect& wanted, const QList<QRect>& screens) {
    if (screens.isEmpty() || wanted.isEmpty())
        return wanted;
    int best = 0;
    long long bestArea = -1;
    for (int i = 0; i < screens.size(); ++i) {
        const long long a = areaOf(wanted.intersected(screens[i]));
        if (a > bestArea) {
            bestArea = a;
            best = i;
        }
    }
    const QRect screen = screens[best];
    // The strip a title bar would take must be reachable to move the window by hand.
    const bool titleOnScreen = wanted.top() >= screen.top() && wanted.top() + 24 <= screen.bottom();
    if (titleOnScreen && 2 * bestArea >= areaOf(wanted))
        return wanted;
    const int w = std::min(wanted.width(), screen.width());
    const int h = std::min(wanted.height(), screen.height());
    const int x = std::clamp(wanted.left(), screen.left(), screen.left() + screen.width() - w);
    const int y = std::clamp(wanted.top(), screen.top(), screen.top() + screen.height() - h);
    return QRect(x, y, w, h);
}

QList<QRect> availableScreenAreas() {
    QList<QRect> areas;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        areas << primary->availableGeometry();
    for (QScreen* s : QGuiApplication::screens())
        if (s != QGuiApplication::primaryScreen())
            areas << s->availableGeometry();
    return areas;
}

} // namespace plicato
