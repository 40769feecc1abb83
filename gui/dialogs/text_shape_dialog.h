// The text-shape dialog: the string, a TrueType family, the character size (10..200 mm) and the
// segment length for curves (0.2..5 mm), checked on OK.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace plicato {

class TextShapeDialog : public QDialog {
    Q_OBJECT
public:
    // `families` fill the sorted font list; the face, which need not be listed, and the size are
    // the remembered ones; the string starts empty and the segment length at 1.0.
    TextShapeDialog(const std::vector<std::string>& families, const QString& faceName, int size,
                    QWidget* parent = nullptr);

    QLineEdit* textField() const { return text_; }
    QComboBox* fontList() const { return font_; }
    QSpinBox* sizeField() const { return size_; }
    QLineEdit* segmentField() const { return segment_; }

    // Valid after OK.
    QString text() const;
    QString faceName() const;
    int size() const { return sizeValue_; }
    double segmentLength() const { return segmentValue_; }

    void accept() override;

private:
    QLineEdit* text_;
    QComboBox* font_;
    QSpinBox* size_;
    QLineEdit* segment_;
    int sizeValue_ = 0;
    double segmentValue_ = 1.0;
};

} // namespace plicato
