// The line-kind dialog's boxes and its at-least-one rule.
#include "gui/dialogs/line_select_dialog.h"

#include "gui/dialogs/dialog_messages.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace plicato {

LineSelectDialog::LineSelectDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("PlicatoPRO", "出力する線の指定"));
    auto* layout = new QVBoxLayout(this);
    const char* const texts[3] = {QT_TRANSLATE_NOOP("PlicatoPRO", "切断線"),
                                  QT_TRANSLATE_NOOP("PlicatoPRO", "山折り線"),
                                  QT_TRANSLATE_NOOP("PlicatoPRO", "谷折り線")};
    const char* const names[3] = {"cut", "mountain", "valley"};
    for (int i = 0; i < 3; ++i) {
        boxes[i] = new QCheckBox(QCoreApplication::translate("PlicatoPRO", texts[i]), this);
        boxes[i]->setObjectName(QString::fromLatin1(names[i]));
        boxes[i]->setChecked(true);
        layout->addWidget(boxes[i]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(QCoreApplication::translate("PlicatoPRO", "キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &LineSelectDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LineSelectDialog::reject);
    layout->addWidget(buttons);
}

void LineSelectDialog::accept() {
    int filter = 0;
    for (int i = 0; i < 3; ++i)
        if (boxes[i]->isChecked())
            filter |= 1 << i;
    if (filter == 0) {
        showDialogMessage(
            this, QCoreApplication::translate("PlicatoPRO", "少なくとも1つの線種を選んでください"));
        return;
    }
    chosen = filter;
    QDialog::accept();
}

} // namespace plicato
