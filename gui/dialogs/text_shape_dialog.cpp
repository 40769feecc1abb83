// Text-shape dialog controls and their checks: the size through the framework's range text,
// then the segment length through its own message.
#include "gui/dialogs/text_shape_dialog.h"

#include "gui/dialogs/core_text.h"
#include "gui/dialogs/dialog_messages.h"
#include "gui/dialogs/field_reading.h"
#include "text/text_shapes.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace plicato {

TextShapeDialog::TextShapeDialog(const std::vector<std::string>& families, const QString& faceName,
                                 int size, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("PlicatoPRO", "文字形状の入力"));
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("text"));
    font_ = new QComboBox(this);
    font_->setObjectName(QStringLiteral("font"));
    font_->setEditable(true);
    font_->setInsertPolicy(QComboBox::NoInsert);
    QStringList names;
    for (const std::string& f : families)
        names << QString::fromStdString(f);
    names.sort();
    font_->addItems(names);
    font_->setCurrentText(faceName);
    // The field takes any integer; the range is checked on OK with the standard message.
    size_ = new QSpinBox(this);
    size_->setObjectName(QStringLiteral("size"));
    size_->setRange(-99999, 99999);
    size_->setValue(size);
    segment_ = new QLineEdit(QStringLiteral("1.0"), this);
    segment_->setObjectName(QStringLiteral("segment"));

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QCoreApplication::translate("PlicatoPRO", "入力文字列"), this), 0,
                    0);
    grid->addWidget(text_, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QCoreApplication::translate("PlicatoPRO", "フォント"), this), 1, 0);
    grid->addWidget(font_, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QCoreApplication::translate("PlicatoPRO", "文字サイズ"), this), 2,
                    0);
    grid->addWidget(size_, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("mm"), this), 2, 2);
    grid->addWidget(
        new QLabel(QCoreApplication::translate("PlicatoPRO", "曲線部の分割線分長"), this), 3, 0);
    grid->addWidget(segment_, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("mm"), this), 3, 2);
    grid->setColumnMinimumWidth(1, 220);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(QCoreApplication::translate("PlicatoPRO", "キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TextShapeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TextShapeDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    text_->setFocus();
}

QString TextShapeDialog::text() const {
    return text_->text();
}

QString TextShapeDialog::faceName() const {
    return font_->currentText();
}

void TextShapeDialog::accept() {
    const int size = size_->value();
    if (size < minTextSize || size > maxTextSize) {
        showDialogMessage(this, integerRangeMessage(minTextSize, maxTextSize));
        size_->setFocus();
        size_->selectAll();
        return;
    }
    const auto segment = readDecimalField(segment_, this);
    if (!segment)
        return;
    if (*segment < minSegmentLength || *segment > maxSegmentLength) {
        showDialogMessage(this, translateCoreMessage(segmentLengthMessage()));
        segment_->setFocus();
        segment_->selectAll();
        return;
    }
    sizeValue_ = size;
    segmentValue_ = *segment;
    QDialog::accept();
}

} // namespace plicato
