// The underlay tool window's controls and the open-file action.
#include "gui/dialogs/underlay_dialog.h"

#include "gui/dialogs/core_text.h"
#include "gui/dialogs/dialog_messages.h"
#include "model/card_model.h"
#include "underlay/underlay_loader.h"
#include "view/color_table.h"
#include "view/display_state.h"
#include "view/underlay_placement.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <fstream>

namespace plicato {

namespace {

// Shows core messages through the dialogs' message handler.
class DialogSink : public MessageSink {
public:
    explicit DialogSink(QWidget* parent) : parent_(parent) {}
    void show(const std::string& text) override {
        showDialogMessage(parent_, translateCoreMessage(text));
    }

private:
    QWidget* parent_;
};

} // namespace

QString UnderlayDialog::fileFilter() {
    // "画像ファイル(*.bmp, *.jpg, *.jpeg)|*.bmp;*.jpg;*.jpeg||" in Qt's form.
    return QCoreApplication::translate("PlicatoPRO",
                                       "画像ファイル(*.bmp, *.jpg, *.jpeg) (*.bmp *.jpg *.jpeg)");
}

UnderlayDialog::UnderlayDialog(DisplayState& state, std::string& imageFolder, QWidget* parent)
    : QDialog(parent), state_(state), imageFolder_(imageFolder) {
    setWindowTitle(QCoreApplication::translate("PlicatoPRO", "下絵画像の編集"));
    setModal(false);
    chooseFile = [](QWidget* p, const QString& folder, const QString& filter) {
        return QFileDialog::getOpenFileName(p, QString(), folder, filter);
    };
    front_ = new QRadioButton(QCoreApplication::translate("PlicatoPRO", "正面図"), this);
    top_ = new QRadioButton(QCoreApplication::translate("PlicatoPRO", "上面図"), this);
    keepAspect_ = new QCheckBox(QCoreApplication::translate("PlicatoPRO", "縦横比を保存"), this);
    snap_ = new QCheckBox(QCoreApplication::translate("PlicatoPRO", "グリッドにスナップ"), this);
    auto* open =
        new QPushButton(QCoreApplication::translate("PlicatoPRO", "ファイルを開く..."), this);
    auto* bottomCentre =
        new QPushButton(QCoreApplication::translate("PlicatoPRO", "中央下位置に移動"), this);
    auto* reset =
        new QPushButton(QCoreApplication::translate("PlicatoPRO", "初期状態に戻す"), this);
    auto* remove = new QPushButton(QCoreApplication::translate("PlicatoPRO", "下絵の削除"), this);
    auto* close = new QPushButton(QCoreApplication::translate("PlicatoPRO", "閉じる"), this);
    auto* grid = new QGridLayout;
    grid->addWidget(front_, 0, 0);
    grid->addWidget(top_, 0, 1);
    grid->addWidget(keepAspect_, 1, 0, 1, 2);
    grid->addWidget(snap_, 2, 0, 1, 2);
    grid->addWidget(open, 3, 0, 1, 2);
    grid->addWidget(bottomCentre, 4, 0, 1, 2);
    grid->addWidget(reset, 5, 0, 1, 2);
    grid->addWidget(remove, 6, 0, 1, 2);
    grid->addWidget(close, 7, 0, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    connect(front_, &QRadioButton::clicked, this, [this] { setMode(false); });
    connect(top_, &QRadioButton::clicked, this, [this] { setMode(true); });
    connect(keepAspect_, &QCheckBox::toggled, this, [this](bool on) {
        underlayFlags().keepAspect = on;
        emit viewsChanged();
    });
    connect(snap_, &QCheckBox::toggled, this, [this](bool on) {
        underlayFlags().snapToGrid = on;
        emit viewsChanged();
    });
    connect(open, &QPushButton::clicked, this, &UnderlayDialog::openFile);
    connect(bottomCentre, &QPushButton::clicked, this, &UnderlayDialog::moveToBottomCentre);
    connect(reset, &QPushButton::clicked, this, &UnderlayDialog::resetFit);
    connect(remove, &QPushButton::clicked, this, &UnderlayDialog::deleteUnderlay);
    connect(close, &QPushButton::clicked, this, &UnderlayDialog::reject);
}

void UnderlayDialog::showTool() {
    state_.editMode = int(EditMode::UnderlayFront);
    emit viewsChanged();
    keepAspect_->setChecked(underlayFlags().keepAspect);
    snap_->setChecked(underlayFlags().snapToGrid);
    top_->setChecked(!state_.inMode(EditMode::UnderlayFront));
    front_->setChecked(state_.inMode(EditMode::UnderlayFront));
    show();
    raise();
}

void UnderlayDialog::setMode(bool top) {
    state_.editMode = int(top ? EditMode::UnderlayTop : EditMode::UnderlayFront);
    emit viewsChanged();
}

void UnderlayDialog::openFile() {
    CardModel* model = currentModel();
    if (!model)
        return;
    const bool top = top_->isChecked();
    setMode(top);
    const QString folder =
        imageFolder_.empty() ? programFolder : QString::fromStdString(imageFolder_);
    const QString path = chooseFile ? chooseFile(this, folder, fileFilter()) : QString();
    if (path.isEmpty())
        return;
    if (!std::ifstream(path.toStdString(), std::ios::binary)) {
        showDialogMessage(this, QCoreApplication::translate("PlicatoPRO", "ファイルを開けません"));
        return;
    }
    imageFolder_ = QFileInfo(path).absolutePath().toStdString() + "/";
    UnderlayImage& record = top ? model->topImage : model->frontImage;
    DialogSink sink(this);
    // The fit and border follow only a picture that was read.
    if (loadUnderlay(record, path.toStdString(), sink)) {
        fitToCard(record, *model);
        paintBorder(record, unsigned(colorTable().get(top ? ColorTable::HorizontalPlane
                                                          : ColorTable::VerticalPlane)));
    }
    emit viewsChanged();
}

void UnderlayDialog::moveToBottomCentre() {
    if (CardModel* model = currentModel())
        if (UnderlayImage* u = underlayOfMode(*model, state_)) {
            u->centerX = 0;
            u->bottom = 0;
        }
    emit viewsChanged();
}

void UnderlayDialog::resetFit() {
    if (CardModel* model = currentModel())
        if (UnderlayImage* u = underlayOfMode(*model, state_))
            fitToCard(*u, *model);
    emit viewsChanged();
}

void UnderlayDialog::deleteUnderlay() {
    if (CardModel* model = currentModel())
        if (UnderlayImage* u = underlayOfMode(*model, state_))
            u->picture.reset();
    emit viewsChanged();
}

void UnderlayDialog::reject() {
    state_.editMode = 0;
    QDialog::reject();
    emit viewsChanged();
}

} // namespace plicato
