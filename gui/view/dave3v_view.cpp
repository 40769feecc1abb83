// The view widget: event translation, the view commands and drawing through the GL renderer.
#include "gui/view/dave3v_view.h"

#include "gui/view/card_opening_dialog.h"
#include "gui/view/view_surface.h"
#include "gui/view/viewpoint_dialog.h"
#include "view/color_table.h"
#include "view/edit_plane.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QPainter>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace plicato {

namespace {

int buttonsOf(Qt::MouseButtons b) {
    int r = 0;
    if (b & Qt::LeftButton)
        r |= LeftButton;
    if (b & Qt::RightButton)
        r |= RightButton;
    if (b & Qt::MiddleButton)
        r |= MiddleButton;
    return r;
}

int modifiersOf(Qt::KeyboardModifiers m) {
    int r = 0;
    if (m & Qt::ShiftModifier)
        r |= ShiftModifier;
    if (m & Qt::ControlModifier)
        r |= ControlModifier;
    return r;
}

} // namespace

CDave3vView::CDave3vView(QWidget* parent) : QWidget(parent), surface_(new ViewSurface(this)) {
    container_ = QWidget::createWindowContainer(surface_, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(container_);
    container_->setFocusPolicy(Qt::StrongFocus);
    container_->setMouseTracking(true);
    container_->installEventFilter(this);
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(container_);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setMouseTracking(true);
    surface_->setCursor(Qt::ArrowCursor);
    connect(surface_, &QOpenGLWindow::frameSwapped, this, &CDave3vView::frameSwapped);
}

CDave3vView::~CDave3vView() {
    // The window destroys the context after this object's members are gone: its notification
    // must not reach the renderer then.
    if (context()) {
        disconnect(context(), nullptr, this, nullptr);
        makeCurrent();
        renderer_.release();
        doneCurrent();
    }
}

bool CDave3vView::eventFilter(QObject* watched, QEvent* event) {
    // Events delivered to the container rather than to the window (synthesised ones, or keys
    // while the container holds the focus) are the view's all the same.
    if (watched == container_ && isViewInput(event)) {
        QCoreApplication::sendEvent(this, event);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CDave3vView::update() {
    surface_->requestFrame();
}

void CDave3vView::makeCurrent() {
    surface_->makeCurrent();
}

void CDave3vView::doneCurrent() {
    surface_->doneCurrent();
}

QWindow* CDave3vView::drawingWindow() const {
    return surface_;
}

QOpenGLContext* CDave3vView::context() const {
    return surface_->context();
}

QImage CDave3vView::grabFramebuffer() {
    // The window makes its context when it is first shown on screen, which the X server may
    // not have done yet: wait for it a little, as the frame cannot be drawn without it.
    if (!surface_->isValid() && isVisible()) {
        surface_->update();
        QElapsedTimer waited;
        waited.start();
        while (!surface_->isValid() && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    if (!surface_->isValid())
        return {};
    makeCurrent();
    const qreal ratio = surface_->devicePixelRatio();
    QOpenGLFramebufferObject target(QSize(int(width() * ratio), int(height() * ratio)),
                                    QOpenGLFramebufferObject::Depth);
    target.bind();
    paintGL();
    QImage image = target.toImage();
    target.release();
    doneCurrent();
    image.setDevicePixelRatio(ratio);
    return image;
}

void CDave3vView::paintEvent(QPaintEvent*) {
    if (!surface_->isExposed() || !surface_->isValid())
        return; // nothing shown yet, nothing to copy (and no waiting inside a paint)
    QPainter painter(this);
    painter.drawImage(rect(), grabFramebuffer());
}

void CDave3vView::initializeGL() {
    renderer_.initialize();
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] {
        makeCurrent();
        renderer_.release();
        doneCurrent();
    });
}

void CDave3vView::resizeGL(int, int) {
    fullPending_ = true;
    controller_.resize(width(), height());
}

void CDave3vView::refreshDesignCheck() {
    CardModel* model = currentModel();
    const DisplayState& state = displayState();
    if (!model || !state.showDesignCheck) {
        controller_.extras.check = nullptr;
        return;
    }
    const int before = checkRunner_.runs();
    controller_.extras.check = &checkRunner_.update(*model, checkOptions_);
    if (checkRunner_.runs() != before) {
        controller_.extras.checkPiece = -1; // indices of the old pieces mean nothing now
        emit designChecked();
    }
}

void CDave3vView::setCheckOptions(const CheckOptions& options) {
    fullPending_ = true;
    checkOptions_ = options;
    update();
}

void CDave3vView::rerunDesignCheck() {
    fullPending_ = true;
    checkRunner_.invalidate();
    update();
}

void CDave3vView::setCheckPiece(long piece) {
    fullPending_ = true;
    controller_.extras.checkPiece = piece;
    update();
}

bool CDave3vView::SceneInputs::operator==(const SceneInputs& o) const {
    const DisplayState& a = display;
    const DisplayState& b = o.display;
    return model == o.model && check == o.check && checkRuns == o.checkRuns &&
           checkPiece == o.checkPiece && a.showDesignCheck == b.showDesignCheck &&
           numbers == o.numbers && pictures == o.pictures && pictureVersions == o.pictureVersions &&
           userFaces == o.userFaces && builtFaces == o.builtFaces && selected == o.selected &&
           drawPoints == o.drawPoints && activeHandle == o.activeHandle &&
           a.editMode == b.editMode && a.mirrorEdit == b.mirrorEdit && a.openAngle == b.openAngle &&
           a.orthographic == b.orthographic && a.showEditPlane == b.showEditPlane &&
           a.showUnderlay == b.showUnderlay && a.antiAlias == b.antiAlias &&
           a.inputDisplay == b.inputDisplay && a.cardSizePreview == b.cardSizePreview &&
           a.previewWidth == b.previewWidth && a.previewHeight == b.previewHeight;
}

CDave3vView::SceneInputs CDave3vView::sceneInputs() const {
    SceneInputs in;
    in.model = currentModel();
    if (in.model) {
        in.userFaces = in.model->userFaces.size();
        in.builtFaces = in.model->builtFaces.size();
        in.selected = in.model->selectedFaces.size();
        in.drawPoints = in.model->drawPoints.size();
        const CardModel& m = *in.model;
        const UnderlayImage* images[2] = {&m.frontImage, &m.topImage};
        in.numbers = {double(m.cardWidth), double(m.cardHeight),     m.gridSize,
                      m.editOffset,        double(int(m.editPlane)), m.mirrorX};
        for (int i = 0; i < 2; ++i) {
            const UnderlayImage& u = *images[i];
            in.pictures[i] = u.picture.get();
            in.pictureVersions[i] = u.picture ? u.picture->version : 0;
            in.numbers[6 + 4 * i] = u.width;
            in.numbers[7 + 4 * i] = u.height;
            in.numbers[8 + 4 * i] = u.centerX;
            in.numbers[9 + 4 * i] = u.bottom;
        }
    }
    in.display = displayState();
    in.activeHandle = controller_.activeHandle;
    in.check = controller_.extras.check;
    in.checkRuns = checkRunner_.runs();
    in.checkPiece = controller_.extras.checkPiece;
    return in;
}

bool CDave3vView::faceDragActive() const {
    return controller_.gizmoAxis() != 0 && displayState().inMode(EditMode::FaceOperation) &&
           currentModel();
}

void CDave3vView::paintFaceDrag(const SceneInputs& inputs, int width, int height) {
    const bool keep = still_.hasModel && stillDrag_ == controller_.gizmoDragCount() &&
                      stillEdits_ == modelEdits_ && inputs == stillInputs_ &&
                      controller_.cameraFrame(still_);
    if (!keep) {
        still_ = controller_.buildFrame(colorTable(), SceneLayer::Still);
        still_.geometryVersion = ++sceneVersion_;
        stillInputs_ = inputs;
        stillDrag_ = controller_.gizmoDragCount();
        stillEdits_ = modelEdits_;
        ++builtFrames_;
    }
    const Scene moving = controller_.buildFrame(colorTable(), SceneLayer::Moving);
    renderer_.drawLayered(still_, moving, width, height);
    // The whole frame kept for camera moves no longer shows the faces where they are.
    fullPending_ = true;
    cameraOnly_ = false;
}

void CDave3vView::paintGL() {
    controller_.resize(width(), height());
    refreshDesignCheck();
    const SceneInputs inputs = sceneInputs();
    const qreal ratio = surface_->devicePixelRatio();
    if (faceDragActive()) {
        paintFaceDrag(inputs, int(width() * ratio), int(height() * ratio));
        ++frames_;
        return;
    }
    if (still_.hasModel) {
        // The drag is over: its layers are not needed until the next one.
        still_ = Scene();
        renderer_.releaseLayers();
    }
    // A camera move draws the kept frame from the new viewpoint; anything else builds it again.
    const bool reuse = cameraOnly_ && !fullPending_ && scene_.geometryVersion != 0 &&
                       inputs == sceneInputs_ && controller_.cameraFrame(scene_);
    if (!reuse) {
        scene_ = controller_.buildFrame(colorTable());
        scene_.geometryVersion = ++sceneVersion_;
        sceneInputs_ = inputs;
        ++builtFrames_;
    }
    cameraOnly_ = false;
    fullPending_ = false;
    renderer_.draw(scene_, int(width() * ratio), int(height() * ratio));
    if (const std::optional<WindowRect> band = controller_.rubberBandRect()) {
        // The look of the platform's selection rectangle: the highlight, faint, framed.
        const QColor h = palette().color(QPalette::Highlight);
        const Rgba edge{float(h.redF()), float(h.greenF()), float(h.blueF()), 1.0f};
        Rgba fill = edge;
        fill.a = 0.25f;
        renderer_.drawRubberBand(band->left * ratio, band->top * ratio, band->width * ratio,
                                 band->height * ratio, int(width() * ratio), int(height() * ratio),
                                 fill, edge);
    }
    ++frames_;
}

void CDave3vView::redrawCamera() {
    if (!fullPending_)
        cameraOnly_ = true;
    update();
}

void CDave3vView::respond(const ViewResponse& r) {
    if (r.modelChanged)
        ++modelEdits_;
    if (r.cameraOnly) {
        if (!fullPending_)
            cameraOnly_ = true;
    } else if (r.redraw || r.modelChanged || r.statusRefresh) {
        fullPending_ = true;
        cameraOnly_ = false;
    }
    if (r.beep)
        QApplication::beep();
    // The selection rectangle is drawn over the kept frame (see paintGL): a window or widget of
    // its own would be hidden under the GL window, or cover what it selects where windows
    // cannot be translucent.
    if (r.rubberBand)
        redrawCamera();
    if (r.hideOpeningDialog && openingDialog_)
        openingDialog_->hideForModeChange();
    switch (r.cursor) {
    case SizingCursor::NorthEastSouthWest:
        surface_->setCursor(Qt::SizeBDiagCursor);
        break;
    case SizingCursor::NorthWestSouthEast:
        surface_->setCursor(Qt::SizeFDiagCursor);
        break;
    case SizingCursor::WestEast:
        surface_->setCursor(Qt::SizeHorCursor);
        break;
    case SizingCursor::NorthSouth:
        surface_->setCursor(Qt::SizeVerCursor);
        break;
    case SizingCursor::Unchanged:
        break;
    }
    if (r.redraw)
        update();
    // Undo and redo follow what the view changed; the idle refresh catches the rest.
    if (r.statusRefresh || r.modelChanged)
        emit statusRefreshRequested();
}

void CDave3vView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    switch (event->button()) {
    case Qt::LeftButton:
        respond(controller_.leftButtonDown(p.x(), p.y(), modifiersOf(event->modifiers())));
        break;
    case Qt::RightButton:
        respond(controller_.rightButtonDown(p.x(), p.y()));
        break;
    case Qt::MiddleButton:
        respond(controller_.middleButtonDown(p.x(), p.y()));
        break;
    default:
        break;
    }
}

void CDave3vView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    switch (event->button()) {
    case Qt::LeftButton:
        respond(controller_.leftButtonUp(p.x(), p.y(), modifiersOf(event->modifiers())));
        break;
    case Qt::RightButton:
        respond(controller_.rightButtonUp(p.x(), p.y()));
        break;
    case Qt::MiddleButton:
        respond(controller_.middleButtonUp());
        break;
    default:
        break;
    }
}

void CDave3vView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    respond(controller_.mouseMove(p.x(), p.y(), buttonsOf(event->buttons()),
                                  modifiersOf(event->modifiers())));
}

void CDave3vView::wheelEvent(QWheelEvent* event) {
    respond(controller_.wheel(event->angleDelta().y()));
    QWidget::wheelEvent(event);
}

void CDave3vView::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (ctrl) {
        // The main window's shortcuts normally take these first; the view answers them when it
        // stands alone.
        switch (event->key()) {
        case Qt::Key_K:
            onGridSmaller();
            return;
        case Qt::Key_L:
            onGridLarger();
            return;
        case Qt::Key_H:
            onHideEditPlane();
            return;
        case Qt::Key_R:
            onToggleOrthographic();
            return;
        default:
            break;
        }
    }
    ViewKey key = ViewKey::Other;
    switch (event->key()) {
    case Qt::Key_Space:
        key = ViewKey::Space;
        break;
    case Qt::Key_Up:
        key = ViewKey::Up;
        break;
    case Qt::Key_Down:
        key = ViewKey::Down;
        break;
    case Qt::Key_Left:
        key = ViewKey::Left;
        break;
    case Qt::Key_Right:
        key = ViewKey::Right;
        break;
    case Qt::Key_PageUp:
        key = ViewKey::PageUp;
        break;
    case Qt::Key_PageDown:
        key = ViewKey::PageDown;
        break;
    case Qt::Key_Delete:
        key = ViewKey::Delete;
        break;
    case Qt::Key_Escape:
        key = ViewKey::Escape;
        break;
    default:
        break;
    }
    respond(controller_.key(key, modifiersOf(event->modifiers())));
    if (key == ViewKey::Other)
        QWidget::keyPressEvent(event); // the window around may still want it
}

void CDave3vView::resetView() {
    controller_.resize(width(), height());
    respond(controller_.resetView());
}

void CDave3vView::onFitView() {
    controller_.resize(width(), height());
    respond(controller_.fitView());
}

void CDave3vView::onUpdate(int hint) {
    fullPending_ = true;
    ++modelEdits_;
    if (hint == 1000) {
        if (CardModel* model = currentModel())
            model->drawPoints.clear();
        controller_.forgetPicks();
    }
    update();
}

void CDave3vView::onEditMode(EditMode mode) {
    respond(controller_.chooseMode(mode));
}

bool CDave3vView::isEditMode(EditMode mode) const {
    return displayState().inMode(mode);
}

void CDave3vView::onInputDisplay() {
    respond(controller_.chooseInputDisplay());
}

void CDave3vView::onPopupDisplay() {
    respond(controller_.choosePopupDisplay());
}

bool CDave3vView::isInputDisplay() const {
    return displayState().inputDisplay;
}

void CDave3vView::onMirrorEdit() {
    respond(controller_.toggleMirrorEdit());
}

bool CDave3vView::isMirrorEdit() const {
    return displayState().mirrorEdit;
}

void CDave3vView::onShowUnderlay() {
    respond(controller_.toggleShowUnderlay());
}

bool CDave3vView::isUnderlayShown() const {
    return displayState().showUnderlay;
}

void CDave3vView::onAntiAlias() {
    respond(controller_.toggleAntiAlias());
}

bool CDave3vView::isAntiAlias() const {
    return displayState().antiAlias;
}

void CDave3vView::onUndo() {
    respond(controller_.undo());
}

void CDave3vView::onRedo() {
    respond(controller_.redo());
}

void CDave3vView::onResetView() {
    resetView();
}

void CDave3vView::onToggleOrthographic() {
    respond(controller_.toggleOrthographic());
}

bool CDave3vView::isOrthographic() const {
    return displayState().orthographic;
}

void CDave3vView::onVerticalPlane() {
    respond(controller_.togglePlane());
}

void CDave3vView::onHorizontalPlane() {
    respond(controller_.togglePlane());
}

bool CDave3vView::isVerticalPlane() const {
    const CardModel* model = currentModel();
    return model && model->editPlane == FacePlane::Vertical;
}

bool CDave3vView::isHorizontalPlane() const {
    const CardModel* model = currentModel();
    return model && model->editPlane == FacePlane::Horizontal;
}

void CDave3vView::onGridSmaller() {
    respond(controller_.gridSmaller());
}

void CDave3vView::onGridLarger() {
    respond(controller_.gridLarger());
}

bool CDave3vView::canGridSmaller() const {
    return canMakeGridSmaller(currentModel());
}

bool CDave3vView::canGridLarger() const {
    return canMakeGridLarger(currentModel());
}

void CDave3vView::onHideEditPlane() {
    respond(controller_.toggleEditPlaneShown());
}

bool CDave3vView::isEditPlaneHidden() const {
    return !displayState().showEditPlane;
}

CardOpeningDialog* CDave3vView::cardOpeningDialog() {
    if (!openingDialog_)
        openingDialog_ = new CardOpeningDialog(this, window());
    return openingDialog_;
}

void CDave3vView::onCardOpening() {
    cardOpeningDialog()->showOpening();
}

void CDave3vView::onViewpoint() {
    Camera& c = controller_.camera;
    ViewpointDialog dialog(this);
    dialog.setValues(c.rotX, c.rotY, c.scale);
    if (dialog.exec() == QDialog::Accepted) {
        c.rotX = dialog.rotX();
        c.rotY = dialog.rotY();
        c.scale = dialog.scale();
        redrawCamera();
    }
}

} // namespace plicato
