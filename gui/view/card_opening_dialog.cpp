// The opening window's controls and their wiring to the animation and the views.
#include "gui/view/card_opening_dialog.h"

#include "gui/dialogs/screen_fit.h"
#include "gui/view/dave3v_view.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>

namespace plicato {

CardOpeningDialog::CardOpeningDialog(CDave3vView* view, QWidget* parent)
    : QDialog(parent), view_(view), animation_(displayState()) {
    setWindowTitle(QCoreApplication::translate("PlicatoPRO", "カードの開閉"));
    setModal(false);

    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setRange(0, 180);
    slider_->setSingleStep(10);
    slider_->setPageStep(10);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setTickInterval(10);
    slider_->setMinimumWidth(240);
    rightAngle_ = new QPushButton(QCoreApplication::translate("PlicatoPRO", "直角"), this);
    angleEdit_ = new QLineEdit(this);
    angleEdit_->setReadOnly(true);
    angleEdit_->setMaximumWidth(60);
    start_ = new QPushButton(QCoreApplication::translate("PlicatoPRO", "開始"), this);
    stop_ = new QPushButton(QCoreApplication::translate("PlicatoPRO", "停止"), this);
    close_ = new QPushButton(QCoreApplication::translate("PlicatoPRO", "閉じる"), this);
    for (QPushButton* b : {rightAngle_, start_, stop_, close_})
        b->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(slider_, 0, 0, 1, 3);
    grid->addWidget(rightAngle_, 0, 3);
    auto* angleRow = new QHBoxLayout;
    angleRow->addWidget(angleEdit_);
    angleRow->addWidget(new QLabel(QCoreApplication::translate("PlicatoPRO", "度"), this));
    angleRow->addStretch();
    grid->addLayout(angleRow, 1, 0, 1, 4);
    grid->addWidget(new QLabel(QCoreApplication::translate("PlicatoPRO", "アニメーション"), this),
                    2, 0);
    grid->addWidget(start_, 2, 1);
    grid->addWidget(stop_, 2, 2);
    grid->addWidget(close_, 2, 3);

    timer_.setInterval(OpeningAnimation::periodMs);
    connect(&timer_, &QTimer::timeout, this, &CardOpeningDialog::onTick);
    connect(slider_, &QSlider::valueChanged, this, &CardOpeningDialog::onSlider);
    connect(slider_, &QSlider::sliderReleased, this, [this] { onSlider(slider_->value()); });
    connect(start_, &QPushButton::clicked, this, &CardOpeningDialog::onStart);
    connect(stop_, &QPushButton::clicked, this, &CardOpeningDialog::onStop);
    connect(rightAngle_, &QPushButton::clicked, this, &CardOpeningDialog::onRightAngle);
    connect(close_, &QPushButton::clicked, this, &CardOpeningDialog::onClose);
    writeControls();
}

void CardOpeningDialog::writeControls() {
    const QSignalBlocker block(slider_);
    slider_->setValue(animation_.sliderAngle());
    angleEdit_->setText(QString::number(animation_.shownAngle()));
}

void CardOpeningDialog::redrawViews() {
    if (view_)
        view_->update();
    emit redrawRequested();
}

void CardOpeningDialog::placeBesideView() {
    if (!view_)
        return;
    adjustSize();
    const QSize size = sizeHint().expandedTo(minimumSizeHint());
    const QRect outer = view_->window()->frameGeometry();
    const QRect viewArea(view_->mapToGlobal(QPoint(0, 0)), view_->size());
    QScreen* screen = view_->window()->screen();
    const QRect area = screen ? screen->availableGeometry() : outer;
    // Beside the main window, level with the view's top, so the card it animates stays in
    // sight; inside the view's top right corner when neither side has room.
    const QRect candidates[] = {
        QRect(QPoint(outer.right() + 8, viewArea.top()), size),
        QRect(QPoint(outer.left() - 8 - size.width(), viewArea.top()), size),
        QRect(QPoint(viewArea.right() - 8 - size.width(), viewArea.top() + 8), size),
    };
    QRect chosen = candidates[2];
    for (const QRect& c : candidates) {
        if (area.contains(c)) {
            chosen = c;
            break;
        }
    }
    move(placeOnScreens(chosen, availableScreenAreas()).topLeft());
}

std::optional<QPoint> CardOpeningDialog::placedAt() const {
    if (!placed_)
        return std::nullopt;
    return pos();
}

void CardOpeningDialog::restorePlace(const QPoint& topLeft) {
    adjustSize();
    move(placeOnScreens(QRect(topLeft, frameGeometry().size()), availableScreenAreas()).topLeft());
    placed_ = true;
}

void CardOpeningDialog::showOpening() {
    animation_.show();
    // Placed once; after that the window opens wherever the user last left it.
    if (!placed_) {
        placeBesideView();
        placed_ = true;
    }
    show();
    raise();
    redrawViews();
}

void CardOpeningDialog::hideForModeChange() {
    timer_.stop();
    animation_.hidden();
    hide();
}

void CardOpeningDialog::onSlider(int value) {
    animation_.sliderMoved(value);
    writeControls();
    redrawViews();
}

void CardOpeningDialog::onStart() {
    animation_.start();
    timer_.start();
    redrawViews();
}

void CardOpeningDialog::onStop() {
    timer_.stop();
    animation_.stop();
}

void CardOpeningDialog::onTick() {
    animation_.tick();
    redrawViews();
    writeControls();
}

void CardOpeningDialog::onRightAngle() {
    animation_.rightAngle();
    writeControls();
    redrawViews();
}

void CardOpeningDialog::onClose() {
    timer_.stop();
    animation_.close();
    redrawViews();
    hide();
}

void CardOpeningDialog::closeEvent(QCloseEvent* event) {
    timer_.stop();
    animation_.close();
    redrawViews();
    event->accept();
}

void CardOpeningDialog::reject() {
    onClose();
}

bool CardOpeningDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowBlocked)
        setEnabled(false);
    else if (event->type() == QEvent::WindowUnblocked)
        setEnabled(true);
    return QDialog::event(event);
}

} // namespace plicato
