// The About box: program icon, name and version.
#pragma once

#include <QDialog>

namespace plicato {

inline constexpr char versionText[] = "Ver3.1.1";

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

} // namespace plicato
