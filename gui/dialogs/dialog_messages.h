// How the pattern dialogs refuse an entry: the range message shown through a replaceable
// handler (a message box by default; the main window and tests install their own).
#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace plicato {

using DialogMessageHandler = std::function<void(QWidget* parent, const QString& text)>;

// Installs the process-wide handler; an empty one restores the message box.
void setDialogMessageHandler(DialogMessageHandler handler);
void showDialogMessage(QWidget* parent, const QString& text);

// "%1 から %2 までの整数を入力してください。"
QString integerRangeMessage(int lo, int hi);
// The whole text as a decimal integer (blanks around it allowed) in lo..hi; nothing otherwise.
std::optional<int> integerInRange(const QString& text, int lo, int hi);

} // namespace plicato
