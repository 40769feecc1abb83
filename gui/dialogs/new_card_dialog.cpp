// The New dialog's lists, initial selections and OK rule.
#include "gui/dialogs/new_card_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace plicato {

namespace {

QComboBox* makeList(QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (int v = 5; v <= 20; ++v)
        box->addItem(QString::number(v));
    return box;
}

int chosen(const QComboBox* box) {
    return box->currentIndex() < 0 ? 0 : box->currentText().toInt();
}

} // namespace

int NewCardDialog::initialIndex(int value) {
    const QString digits = QString::number(value);
    for (int v = 5; v <= 20; ++v)
        if (QString::number(v).startsWith(digits))
            return v - 5;
    return -1;
}

NewCardDialog::NewCardDialog(int widthMm, int heightMm, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("PlicatoPRO", "新規作成"));
    widthBox = makeList(this);
    heightBox = makeList(this);
    gridBox = makeList(this);
    widthBox->setObjectName(QStringLiteral("width"));
    heightBox->setObjectName(QStringLiteral("height"));
    gridBox->setObjectName(QStringLiteral("grid"));

    auto* grid = new QGridLayout;
    const struct {
        const char* label;
        QComboBox* box;
        const char* unit;
    } rows[] = {{QT_TRANSLATE_NOOP("PlicatoPRO", "台紙幅"), widthBox, "cm"},
                {QT_TRANSLATE_NOOP("PlicatoPRO", "台紙高さ"), heightBox, "cm"},
                {QT_TRANSLATE_NOOP("PlicatoPRO", "初期グリッドサイズ"), gridBox, "mm"}};
    int row = 0;
    for (const auto& r : rows) {
        auto* label = new QLabel(QCoreApplication::translate("PlicatoPRO", r.label), this);
        label->setBuddy(r.box);
        grid->addWidget(label, row, 0);
        grid->addWidget(r.box, row, 1);
        grid->addWidget(new QLabel(QString::fromUtf8(r.unit), this), row, 2);
        ++row;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    widthBox->setCurrentIndex(initialIndex(widthMm / 10));
    heightBox->setCurrentIndex(initialIndex(heightMm / 10));
    gridBox->setCurrentIndex(initialIndex(10));
    for (QComboBox* box : {widthBox, heightBox, gridBox})
        connect(box, &QComboBox::currentIndexChanged, this, &NewCardDialog::updateOk);
    updateOk();
}

void NewCardDialog::updateOk() {
    ok->setEnabled(widthBox->currentIndex() >= 0 && heightBox->currentIndex() >= 0 &&
                   gridBox->currentIndex() >= 0);
}

int NewCardDialog::chosenWidth() const {
    return chosen(widthBox);
}
int NewCardDialog::chosenHeight() const {
    return chosen(heightBox);
}
int NewCardDialog::chosenGrid() const {
    return chosen(gridBox);
}

} // namespace plicato
