// CCheckDock: the findings of the design check as a list beside the view; choosing a finding
// picks its piece, which the view then draws selected.
#pragma once

#include "check/design_check.h"

#include <QDockWidget>

class QListWidget;
class QLabel;

namespace plicato {

class CCheckDock : public QDockWidget {
    Q_OBJECT
public:
    explicit CCheckDock(QWidget* parent = nullptr);

    // Shows the findings and doubts of `result`, one line each, coloured like their pieces.
    void showResult(const CheckResult& result);
    QListWidget* list() const { return list_; }
    QLabel* summary() const { return summary_; }

signals:
    // The piece of the chosen line (-1 for a line without one piece).
    void pieceChosen(long piece);

private:
    QListWidget* list_;
    QLabel* summary_;
};

} // namespace plicato
