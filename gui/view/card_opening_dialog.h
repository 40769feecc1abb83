// CardOpeningDialog: the modeless "カードの開閉" window with the angle slider and the animation
// buttons, driving the opening angle through OpeningAnimation.
#pragma once

#include "view/opening_animation.h"

#include <QDialog>
#include <QTimer>

#include <optional>

class QLineEdit;
class QPushButton;
class QSlider;

namespace plicato {

class CDave3vView;

class CardOpeningDialog : public QDialog {
    Q_OBJECT
public:
    CardOpeningDialog(CDave3vView* view, QWidget* parent = nullptr);

    // Command 32803: hides the edit plane (remembered), chooses the pop-up display, leaves the
    // face-operation mode, shows the window and redraws.
    void showOpening();
    // For the mode commands that hide the window: stop the timer and hide, nothing else.
    void hideForModeChange();

    // Where the window stands once it has been placed (beside the view or by the user); none
    // before it is first shown.
    std::optional<QPoint> placedAt() const;
    // Where an earlier run left the window: it opens there rather than beside the view.
    void restorePlace(const QPoint& topLeft);

    OpeningAnimation& animation() { return animation_; }
    bool timerRunning() const { return timer_.isActive(); }
    // One beat of the running timer, as its timeout would give it; nothing when it is stopped.
    // Lets tests step the animation instead of waiting on real time.
    void beat() {
        if (timer_.isActive())
            onTick();
    }
    QSlider* slider() const { return slider_; }
    QLineEdit* angleEdit() const { return angleEdit_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* stopButton() const { return stop_; }
    QPushButton* rightAngleButton() const { return rightAngle_; }
    QPushButton* closeButton() const { return close_; }

signals:
    // Every view must redraw (the angle or the display switches changed).
    void redrawRequested();

protected:
    // Another window of the program going modal disables this one until it closes.
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void placeBesideView();
    void writeControls();
    void redrawViews();
    void onSlider(int value);
    void onStart();
    void onStop();
    void onTick();
    void onRightAngle();
    void onClose();

    CDave3vView* view_;
    OpeningAnimation animation_;
    QTimer timer_;
    QSlider* slider_;
    QLineEdit* angleEdit_;
    QPushButton* start_;
    QPushButton* stop_;
    QPushButton* rightAngle_;
    QPushButton* close_;
    bool placed_ = false;
};

} // namespace plicato
