// Card-size dialog: list indexes as 10 mm steps from 50 mm, the preview flag and the resize.
#include "gui/dialogs/card_size_dialog.h"

#include "editing/sheet_resize.h"
#include "model/card_model.h"
#include "view/display_state.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace plicato {

namespace {

int millimetres(int index) {
    return index * 10 + 50;
}

// The list entry of a size in millimetres (integer division), -1 when it is off the list.
int listIndex(int mm) {
    const int index = mm / 10 - 5;
    return index >= 0 && index < 16 ? index : -1;
}

} // namespace

CardSizeDialog::CardSizeDialog(DisplayState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
    setWindowTitle(QCoreApplication::translate("PlicatoPRO", "台紙の大きさの変更"));
    setModal(false);
    askShrink = [](QWidget* p, const QString& text) {
        return QMessageBox::question(p, QStringLiteral("PlicatoPRO"), text,
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    width_ = new QComboBox(this);
    height_ = new QComboBox(this);
    width_->setObjectName(QStringLiteral("cardWidth"));
    height_->setObjectName(QStringLiteral("cardHeight"));
    for (QComboBox* box : {width_, height_}) {
        for (int cm = 5; cm <= 20; ++cm)
            box->addItem(QString::number(cm));
        box->setCurrentIndex(-1);
    }
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QCoreApplication::translate("PlicatoPRO", "台紙幅"), this), 0, 0);
    grid->addWidget(width_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("cm"), this), 0, 2);
    grid->addWidget(new QLabel(QCoreApplication::translate("PlicatoPRO", "台紙高さ"), this), 1, 0);
    grid->addWidget(height_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("cm"), this), 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(QCoreApplication::translate("PlicatoPRO", "キャンセル"));
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &CardSizeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CardSizeDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    for (QComboBox* box : {width_, height_})
        connect(box, &QComboBox::currentIndexChanged, this, &CardSizeDialog::previewSelection);
}

QString CardSizeDialog::shrinkQuestion() {
    return QCoreApplication::translate(
        "PlicatoPRO", "サイズを小さくする場合、作成した形の一部が消えてしまう場合があります。\n"
                      "サイズを変更してよいですか?");
}

void CardSizeDialog::showFor(const CardModel& model) {
    {
        const QSignalBlocker blockWidth(width_), blockHeight(height_);
        // A size off the list leaves its list without a selection (and OK disabled).
        width_->setCurrentIndex(listIndex(model.cardWidth));
        height_->setCurrentIndex(listIndex(model.cardHeight));
    }
    ok_->setEnabled(width_->currentIndex() >= 0 && height_->currentIndex() >= 0);
    state_.previewWidth = model.cardWidth;
    state_.previewHeight = model.cardHeight;
    state_.cardSizePreview = true;
    show();
    raise();
    emit viewsChanged();
}

void CardSizeDialog::previewSelection() {
    if (width_->currentIndex() >= 0)
        state_.previewWidth = millimetres(width_->currentIndex());
    if (height_->currentIndex() >= 0)
        state_.previewHeight = millimetres(height_->currentIndex());
    ok_->setEnabled(width_->currentIndex() >= 0 && height_->currentIndex() >= 0);
    emit viewsChanged();
}

void CardSizeDialog::endPreview() {
    state_.cardSizePreview = false;
    emit viewsChanged();
}

void CardSizeDialog::accept() {
    CardModel* model = currentModel();
    if (!model || width_->currentIndex() < 0 || height_->currentIndex() < 0)
        return;
    const int w = millimetres(width_->currentIndex());
    const int h = millimetres(height_->currentIndex());
    if ((w < model->cardWidth || h < model->cardHeight) && askShrink &&
        !askShrink(this, shrinkQuestion()))
        return; // stays open, the preview stays on
    resizeSheet(*model, w, h);
    state_.cardSizePreview = false;
    QDialog::accept();
    emit viewsChanged();
}

void CardSizeDialog::reject() {
    QDialog::reject();
    endPreview();
}

} // namespace plicato
