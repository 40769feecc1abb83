// The underlay mouse protocol on plain numbers: in-plane coordinates (x, v) are (x, z) on the
// upright half and (x, y) on the base.
#include "view/underlay_placement.h"

#include <cmath>

namespace plicato {

namespace {

bool topMode(const DisplayState& state) {
    return state.inMode(EditMode::UnderlayTop);
}

Point3 inSpace(double x, double v, bool top) {
    return top ? Point3{x, v, 0.0} : Point3{x, 0.0, v};
}

// The mouse on the half's plane (the camera looks straight at it).
bool onPlane(const ProjectionCache& projection, double x, double y, bool top, double& mx,
             double& mv) {
    const auto ray = projection.unprojectRay(x, projection.viewport[3] - y);
    const Point3& f = ray[0];
    const Point3& n = ray[1];
    const double fv = top ? f.z : f.y, nv = top ? n.z : n.y;
    if (!(std::abs(nv - fv) > 0.0)) {
        // Looking along the plane (or no valid matrices): take the near point as it is.
        mx = n.x;
        mv = top ? n.y : n.z;
        return std::isfinite(mx) && std::isfinite(mv);
    }
    const double t = -fv / (nv - fv);
    mx = f.x + t * (n.x - f.x);
    mv = top ? f.y + t * (n.y - f.y) : f.z + t * (n.z - f.z);
    return std::isfinite(mx) && std::isfinite(mv);
}

double snapX(double v, double g) {
    return std::floor(v / g + 0.5) * g;
}
double snapV(double v, double g) {
    return std::trunc(v / g + 0.5) * g;
}

struct Edges {
    double left, right, bottom, top;
};

Edges edgesOf(const UnderlayImage& u) {
    return {u.centerX - u.width / 2, u.centerX + u.width / 2, u.bottom, u.bottom + u.height};
}

Point2 handlePosition(const Edges& e, int handle) {
    const double mx = (e.left + e.right) / 2, mv = (e.bottom + e.top) / 2;
    switch (handle) {
    case 1:
        return {e.right, e.top};
    case 2:
        return {e.right, mv};
    case 3:
        return {e.right, e.bottom};
    case 4:
        return {mx, e.top};
    case 5:
        return {mx, e.bottom};
    case 6:
        return {e.left, e.top};
    case 7:
        return {e.left, mv};
    default:
        return {e.left, e.bottom};
    }
}

} // namespace

UnderlayFlags& underlayFlags() {
    static UnderlayFlags flags;
    return flags;
}

const UnderlayImage* underlayOfMode(const CardModel& model, const DisplayState& state) {
    if (state.inMode(EditMode::UnderlayFront))
        return &model.frontImage;
    if (state.inMode(EditMode::UnderlayTop))
        return &model.topImage;
    return nullptr;
}

UnderlayImage* underlayOfMode(CardModel& model, const DisplayState& state) {
    if (state.inMode(EditMode::UnderlayFront))
        return &model.frontImage;
    if (state.inMode(EditMode::UnderlayTop))
        return &model.topImage;
    return nullptr;
}

int UnderlayPlacement::hit(const CardModel& model, const DisplayState& state,
                           const ProjectionCache& projection, double x, double y) const {
    const UnderlayImage* u = underlayOfMode(model, state);
    if (!u)
        return 0;
    const bool top = topMode(state);
    const Edges e = edgesOf(*u);
    for (int h = 1; h <= 8; ++h) {
        const Point2 p = handlePosition(e, h);
        if (projection.windowDistance(inSpace(p.x, p.y, top), x, y) < pickRadius)
            return h;
    }
    if (handle != 0)
        return 0;
    double mx = 0, mv = 0;
    if (!onPlane(projection, x, y, top, mx, mv))
        return 0;
    const bool insideX = std::min(e.left, e.right) < mx && mx < std::max(e.left, e.right);
    const bool insideV = std::min(e.bottom, e.top) < mv && mv < std::max(e.bottom, e.top);
    return insideX && insideV ? moving : 0;
}

bool UnderlayPlacement::press(CardModel& model, const DisplayState& state,
                              const ProjectionCache& projection, double x, double y) {
    handle = hit(model, state, projection, x, y);
    pressX = x;
    pressY = y;
    if (handle == moving) {
        const UnderlayImage* u = underlayOfMode(model, state);
        startCenterX = u->centerX;
        startBottom = u->bottom;
    }
    return handle != 0;
}

SizingCursor UnderlayPlacement::cursorFor(int h, bool topView) {
    // The depth axis runs down the screen in the top view, so the diagonals swap there.
    const SizingCursor rising =
        topView ? SizingCursor::NorthWestSouthEast : SizingCursor::NorthEastSouthWest;
    const SizingCursor falling =
        topView ? SizingCursor::NorthEastSouthWest : SizingCursor::NorthWestSouthEast;
    switch (h) {
    case 1:
    case 8:
        return rising;
    case 3:
    case 6:
        return falling;
    case 2:
    case 7:
        return SizingCursor::WestEast;
    case 4:
    case 5:
        return SizingCursor::NorthSouth;
    default:
        return SizingCursor::Unchanged;
    }
}

UnderlayPlacement::MoveResult UnderlayPlacement::move(CardModel& model, const DisplayState& state,
                                                      const ProjectionCache& projection, double x,
                                                      double y, bool ctrl,
                                                      const UnderlayFlags& flags) {
    MoveResult r;
    UnderlayImage* u = underlayOfMode(model, state);
    if (!u)
        return r;
    const bool top = topMode(state);
    const int e = handle != 0 ? handle : hit(model, state, projection, x, y);
    r.cursor = cursorFor(e, top);
    if (handle == 0)
        return r;
    const double g = model.gridSize;
    const bool snap = flags.snapToGrid && g > 0.0;
    double mx = 0, mv = 0;
    if (!onPlane(projection, x, y, top, mx, mv))
        return r;
    if (handle == moving) {
        double px = 0, pv = 0;
        if (!onPlane(projection, pressX, pressY, top, px, pv))
            return r;
        double cx = startCenterX + (mx - px);
        double b = startBottom + (mv - pv);
        if (ctrl) {
            if (std::abs(mv - pv) >= std::abs(mx - px))
                cx = startCenterX;
            else
                b = startBottom;
        }
        if (snap) {
            cx = snapX(cx, g);
            b = snapV(b, g);
        }
        u->centerX = cx;
        u->bottom = b;
        r.dragged = true;
        return r;
    }
    if (snap) {
        mx = snapX(mx, g);
        mv = snapV(mv, g);
    }
    Edges ed = edgesOf(*u);
    const double q = u->height != 0.0 ? u->width / u->height : 0.0;
    if (handle == 1 || handle == 2 || handle == 3)
        ed.right = mx;
    if (handle == 6 || handle == 7 || handle == 8)
        ed.left = mx;
    if (handle == 1 || handle == 4 || handle == 6)
        ed.top = mv;
    if (handle == 3 || handle == 5 || handle == 8)
        ed.bottom = mv;
    if (flags.keepAspect && q != 0.0) {
        switch (handle) {
        case 2:
        case 7:
            ed.top = ed.bottom + (ed.right - ed.left) / q;
            break;
        case 4:
        case 5: {
            const double m = (ed.left + ed.right) / 2, s = (ed.top - ed.bottom) * q / 2;
            ed.left = m - s;
            ed.right = m + s;
            break;
        }
        case 6:
        case 8:
            ed.left = ed.right - (ed.top - ed.bottom) * q;
            break;
        default: // 1 and 3
            ed.right = ed.left + (ed.top - ed.bottom) * q;
            break;
        }
    }
    u->centerX = (ed.left + ed.right) / 2;
    u->bottom = ed.bottom;
    u->width = ed.right - ed.left;
    u->height = ed.top - ed.bottom;
    r.dragged = true;
    return r;
}

bool UnderlayPlacement::release() {
    if (handle == 0)
        return false;
    handle = 0;
    return true;
}

} // namespace plicato
