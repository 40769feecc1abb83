// The About box's layout.
#include "gui/dialogs/about_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace plicato {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("PlicatoPRO", "ﾊﾞｰｼﾞｮﾝ情報"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/plicatopro.svg")).pixmap(48, 48));
    auto* text =
        new QLabel(QCoreApplication::translate(
                       "PlicatoPRO",
                       "<b>PlicatoPRO</b> %1<br><br>ポップアップカードの設計ツール<br>"
                       "面を描くと、立ち上がる形と展開図（切り線・山折り線・谷折り線）を作ります。")
                       .arg(QString::fromUtf8(versionText)),
                   this);
    text->setObjectName(QStringLiteral("aboutText"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

} // namespace plicato
