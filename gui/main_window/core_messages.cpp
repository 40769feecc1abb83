// The messages of the Qt-free core, listed for translation: the core shows them through a
// message sink, and the application translates them with translateCoreMessage().
#include <QtGlobal>

namespace {

[[maybe_unused]] const char* const coreMessages[] = {
    QT_TRANSLATE_NOOP("plicato::core", "画像ファイルが見つかりません"),
    QT_TRANSLATE_NOOP("plicato::core", "ファイルに書き込めません"),
    QT_TRANSLATE_NOOP("plicato::core", "フォントが見つかりません。"),
    QT_TRANSLATE_NOOP("plicato::core", "曲線部の分割線分長には、%1から5の値を指定してください"),
    QT_TRANSLATE_NOOP("plicato::core",
                      "古いバージョンのファイルなため、本バージョンでは読み込めません。"),
    QT_TRANSLATE_NOOP("plicato::core",
                      "新しいバージョンのファイルなため、本バージョンでは読み込めません。\n"
                      "最新版のPlicatoPROを入手してください。"),
    QT_TRANSLATE_NOOP("plicato::core",
                      "新しいバージョンのファイルなため、一部の情報を読み込めない可能性があります。"
                      "\n最新版のPlicatoPROを入手してください。"),
};

} // namespace
