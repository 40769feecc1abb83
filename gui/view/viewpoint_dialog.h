// ViewpointDialog: the modal "視点情報" dialog with the two camera angles and the scale.
#pragma once

#include <QDialog>

class QLineEdit;

namespace plicato {

class ViewpointDialog : public QDialog {
    Q_OBJECT
public:
    explicit ViewpointDialog(QWidget* parent = nullptr);

    void setValues(double rotX, double rotY, double scale);
    // The accepted values: the angles as typed, the scale only above zero.
    double rotX() const { return values_[0]; }
    double rotY() const { return values_[1]; }
    double scale() const { return values_[2]; }

    QLineEdit* field(int index) const { return fields_[index]; }

    void accept() override;

signals:
    // A field was refused; the number or range message is shown next.
    void numberRefused(int index);

private:
    QLineEdit* fields_[3];
    double values_[3] = {0, 0, 0};
    QString shown_[3];
};

} // namespace plicato
