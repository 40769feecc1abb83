// Core messages arrive as finished Japanese text; they are matched against the source texts of
// the translation, with their detail or their number taken out.
#include "gui/dialogs/core_text.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace plicato {

namespace {

QString lookUp(const QString& text) {
    return QCoreApplication::translate("plicato::core", text.toUtf8().constData());
}

} // namespace

QString translateCoreMessage(const std::string& text) {
    const QString source = QString::fromStdString(text);
    const QString whole = lookUp(source);
    if (whole != source)
        return whole;
    const qsizetype lineEnd = source.indexOf(QLatin1Char('\n'));
    if (lineEnd >= 0) {
        const QString head = source.left(lineEnd);
        const QString translated = lookUp(head);
        if (translated != head)
            return translated + source.mid(lineEnd);
    }
    static const QRegularExpression number(QStringLiteral("\\d+(\\.\\d+)?"));
    const QRegularExpressionMatch m = number.match(source);
    if (m.hasMatch()) {
        QString pattern = source;
        pattern.replace(m.capturedStart(), m.capturedLength(), QStringLiteral("%1"));
        const QString translated = lookUp(pattern);
        if (translated != pattern)
            return translated.arg(m.captured());
    }
    return source;
}

} // namespace plicato
