// The command table of the main window: Japanese menu texts, accelerators, prompts, icons.
#include "gui/main_window/command_table.h"

#include <QtGlobal>

#include "gui/main_window/command_ids.h"

#include <array>

namespace plicato {

namespace {

using namespace cmd;

constexpr CommandInfo commands[] = {
    {FileNew, QT_TRANSLATE_NOOP("PlicatoPRO", "新規作成(&N)"), "Ctrl+N", "new",
     QT_TRANSLATE_NOOP("PlicatoPRO", "新しい台紙を作成します"), false},
    {FileOpen, QT_TRANSLATE_NOOP("PlicatoPRO", "開く(&O)..."), "Ctrl+O", "open",
     QT_TRANSLATE_NOOP("PlicatoPRO", "保存したデザインを開きます"), false},
    {FileSave, QT_TRANSLATE_NOOP("PlicatoPRO", "上書き保存(&S)"), "Ctrl+S", "save",
     QT_TRANSLATE_NOOP("PlicatoPRO", "デザインを上書き保存します"), false},
    {FileSaveAs, QT_TRANSLATE_NOOP("PlicatoPRO", "名前を付けて保存(&A)..."), "Ctrl+Shift+S",
     nullptr, QT_TRANSLATE_NOOP("PlicatoPRO", "デザインに名前を付けて保存します"), false},
    {SavePattern, QT_TRANSLATE_NOOP("PlicatoPRO", "展開図をファイルへ保存(&E)"), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "展開図を BMP または EPS ファイルに保存します"), false},
    {CopyPattern, QT_TRANSLATE_NOOP("PlicatoPRO", "展開図をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ(&L)"), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "展開図を画像としてクリップボードにコピーします"), false},
    {Print, QT_TRANSLATE_NOOP("PlicatoPRO", "印刷(&P)..."), "Ctrl+P", "print",
     QT_TRANSLATE_NOOP("PlicatoPRO", "展開図を印刷します"), false},
    {PrintPreview, QT_TRANSLATE_NOOP("PlicatoPRO", "印刷プレビュー(&V)"), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "印刷される展開図を確認します"), false},
    {PrintSetup, QT_TRANSLATE_NOOP("PlicatoPRO", "プリンタの設定(&R)..."), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "プリンタと用紙を設定します"), false},
    {CutPattern, QT_TRANSLATE_NOOP("PlicatoPRO", "展開図のカット(&C)"), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "展開図をCraftROBOでカットする"), false},
    {AppExit, QT_TRANSLATE_NOOP("PlicatoPRO", "アプリケーションの終了(&X)"), "Ctrl+Q", nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "PlicatoPRO を終了します"), false},

    {Undo, QT_TRANSLATE_NOOP("PlicatoPRO", "元に戻す(&U)"), "Ctrl+Z", "undo",
     QT_TRANSLATE_NOOP("PlicatoPRO", "直前の面の変更を取り消します"), false},
    {Redo, QT_TRANSLATE_NOOP("PlicatoPRO", "やり直し(&R)"), "Ctrl+Y", nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "元に戻した変更をやり直します"), false},
    {CopyFaces, QT_TRANSLATE_NOOP("PlicatoPRO", "選択面のコピー(&C)"), "Ctrl+C", nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "選択した面をコピーします"), false},
    {CutFaces, QT_TRANSLATE_NOOP("PlicatoPRO", "選択面の切り取り(&X)"), "Ctrl+X", nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "選択した面を切り取ります"), false},
    {PasteFaces, QT_TRANSLATE_NOOP("PlicatoPRO", "面の貼り付け(&V)"), "Ctrl+V", nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "コピーした面を貼り付けます"), false},
    {DeleteFaces, QT_TRANSLATE_NOOP("PlicatoPRO", "選択面の削除(&D)"), "Ctrl+D", nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "選択した面を削除します"), false},
    {ScaleFaces, QT_TRANSLATE_NOOP("PlicatoPRO", "選択面の拡大縮小(&S)"), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "選択した面の大きさを変えます"), false},
    {ToTop, QT_TRANSLATE_NOOP("PlicatoPRO", "一番上へ"), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "選択した面を一番上に重ねます"), false},
    {UpOne, QT_TRANSLATE_NOOP("PlicatoPRO", "1つ上へ"), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "選択した面を1つ上に重ねます"), false},
    {DownOne, QT_TRANSLATE_NOOP("PlicatoPRO", "1つ下へ"), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "選択した面を1つ下に重ねます"), false},
    {ToBottom, QT_TRANSLATE_NOOP("PlicatoPRO", "一番下へ"), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "選択した面を一番下に重ねます"), false},
    {TextShape, QT_TRANSLATE_NOOP("PlicatoPRO", "文字形状の入力(&T)"), nullptr, "text_shape",
     QT_TRANSLATE_NOOP("PlicatoPRO", "TrueType フォントの文字から面を作ります"), false},

    {ViewToolbar, QT_TRANSLATE_NOOP("PlicatoPRO", "ツール バー(&T)"), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "ツール バーの表示を切り替えます"), true},
    {ViewStatusBar, QT_TRANSLATE_NOOP("PlicatoPRO", "ステータス バー(&S)"), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "ステータス バーの表示を切り替えます"), true},
    {ResetView, QT_TRANSLATE_NOOP("PlicatoPRO", "表示を初期位置に戻す(&I)"), nullptr, "reset_view",
     QT_TRANSLATE_NOOP("PlicatoPRO", "視点を初期位置に戻します"), false},
    {FitView, QT_TRANSLATE_NOOP("PlicatoPRO", "台紙全体を表示(&F)"), "Home", nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "台紙全体が見えるように拡大縮小します"), false},
    {Orthographic, QT_TRANSLATE_NOOP("PlicatoPRO", "正投影(&O)"), "Ctrl+R", nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "正投影と透視投影を切り替えます"), true},
    {Viewpoint, QT_TRANSLATE_NOOP("PlicatoPRO", "視点情報(&V)"), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "視点の角度とスケールを数値で設定します"), false},
    {CardOpening, QT_TRANSLATE_NOOP("PlicatoPRO", "カードの開閉(&A)"), nullptr, "card_opening",
     QT_TRANSLATE_NOOP("PlicatoPRO", "カードを開いたり閉じたりして確認します"), false},
    {InputDisplay, QT_TRANSLATE_NOOP("PlicatoPRO", "入力形状表示"), nullptr, "input_display",
     QT_TRANSLATE_NOOP("PlicatoPRO", "入力した面をそのまま表示します"), true},
    {PopupDisplay, QT_TRANSLATE_NOOP("PlicatoPRO", "ポップアップカード形状表示"), nullptr,
     "popup_display", QT_TRANSLATE_NOOP("PlicatoPRO", "切り抜いて折ったカードの形を表示します"),
     true},
    {AntiAlias, QT_TRANSLATE_NOOP("PlicatoPRO", "アンチエイリアス表示(&A)"), nullptr, "antialias",
     QT_TRANSLATE_NOOP("PlicatoPRO", "線を滑らかに表示します"), true},
    {ShowUnderlay, QT_TRANSLATE_NOOP("PlicatoPRO", "下絵の表示(&I)"), nullptr, "underlay",
     QT_TRANSLATE_NOOP("PlicatoPRO", "下絵画像の表示を切り替えます"), true},
    {DesignCheck, QT_TRANSLATE_NOOP("PlicatoPRO", "組み立てチェック"), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO",
                       "抜け落ちる部品、フラップ、はみ出し、細すぎる部分を色分けして一覧にします"),
     true},

    {VerticalPlane, QT_TRANSLATE_NOOP("PlicatoPRO", "垂直面"), nullptr, "plane_vertical",
     QT_TRANSLATE_NOOP("PlicatoPRO", "垂直な編集面で描きます"), true},
    {HorizontalPlane, QT_TRANSLATE_NOOP("PlicatoPRO", "水平面"), nullptr, "plane_horizontal",
     QT_TRANSLATE_NOOP("PlicatoPRO", "水平な編集面で描きます"), true},
    {GridSmaller, QT_TRANSLATE_NOOP("PlicatoPRO", "グリッドを小さくする(&S)"), "Ctrl+K",
     "grid_smaller", QT_TRANSLATE_NOOP("PlicatoPRO", "グリッドの間隔を半分にします"), false},
    {GridLarger, QT_TRANSLATE_NOOP("PlicatoPRO", "グリッドを大きくする(&L)"), "Ctrl+L",
     "grid_larger", QT_TRANSLATE_NOOP("PlicatoPRO", "グリッドの間隔を2倍にします"), false},
    {HideEditPlane, QT_TRANSLATE_NOOP("PlicatoPRO", "編集面を隠す(&H)"), "Ctrl+H", nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "編集面とグリッドを隠します"), true},
    {MirrorEdit, QT_TRANSLATE_NOOP("PlicatoPRO", "ミラー編集(&M)"), nullptr, "mirror",
     QT_TRANSLATE_NOOP("PlicatoPRO", "左右対称に面を作ります"), true},

    {PolygonFace, QT_TRANSLATE_NOOP("PlicatoPRO", "多角形面の作成"), nullptr, "polygon_face",
     QT_TRANSLATE_NOOP("PlicatoPRO", "クリックした点を結んで面を作ります"), true},
    {Rectangle3, QT_TRANSLATE_NOOP("PlicatoPRO", "長方形面の作成（3点指定）"), nullptr,
     "rectangle3", QT_TRANSLATE_NOOP("PlicatoPRO", "3点をクリックして長方形の面を作ります"), true},
    {CutOut, QT_TRANSLATE_NOOP("PlicatoPRO", "切り抜き部分の作成"), nullptr, "cut_out",
     QT_TRANSLATE_NOOP("PlicatoPRO", "面に穴を開ける切り抜きを作ります"), true},
    {FaceOperation, QT_TRANSLATE_NOOP("PlicatoPRO", "面の操作"), nullptr, "face_operation",
     QT_TRANSLATE_NOOP("PlicatoPRO", "面を選択して移動します"), true},
    {OutlineEdit, QT_TRANSLATE_NOOP("PlicatoPRO", "面の輪郭の編集"), nullptr, "outline_edit",
     QT_TRANSLATE_NOOP("PlicatoPRO", "面の頂点を動かし、追加します"), true},
    {Subdivide, QT_TRANSLATE_NOOP("PlicatoPRO", "2点間の折れ線を細分割する"), nullptr, "subdivide",
     QT_TRANSLATE_NOOP("PlicatoPRO", "2つの頂点の間の輪郭を滑らかにします"), true},
    {UnderlayFront, QT_TRANSLATE_NOOP("PlicatoPRO", "下絵（正面図）の編集"), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "正面図の下絵の位置を調整します"), true},
    {UnderlayTop, QT_TRANSLATE_NOOP("PlicatoPRO", "下絵（上面図）の編集"), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "上面図の下絵の位置を調整します"), true},

    {GridSizeSettings, QT_TRANSLATE_NOOP("PlicatoPRO", "グリッドサイズの設定(&G)..."), nullptr,
     nullptr, QT_TRANSLATE_NOOP("PlicatoPRO", "グリッドの初期サイズを設定します"), false},
    {ColorSettings, QT_TRANSLATE_NOOP("PlicatoPRO", "表示色の設定(&C)..."), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "背景と編集面の色を設定します"), false},
    {UnderlaySettings, QT_TRANSLATE_NOOP("PlicatoPRO", "下絵画像の設定(&I)..."), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "下絵にする画像を選んで配置します"), false},
    {CardSize, QT_TRANSLATE_NOOP("PlicatoPRO", "台紙の大きさの変更(&B)..."), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "台紙の幅と高さを変更します"), false},

    {Help, QT_TRANSLATE_NOOP("PlicatoPRO", "使用方法など(&H)..."), "F1", nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "使い方の説明を開きます"), false},
    {HomePage, QT_TRANSLATE_NOOP("PlicatoPRO", "ホームページ(&W)..."), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "PlicatoPRO のホームページを開きます"), false},
    {AppAbout, QT_TRANSLATE_NOOP("PlicatoPRO", "バージョン情報(&A)..."), nullptr, nullptr,
     QT_TRANSLATE_NOOP("PlicatoPRO", "バージョン情報を表示します"), false},
};

constexpr MenuEntry sep{0, nullptr, {}};

constexpr MenuEntry orderMenu[] = {
    {ToTop, nullptr, {}}, {UpOne, nullptr, {}}, {DownOne, nullptr, {}}, {ToBottom, nullptr, {}}};

constexpr MenuEntry fileMenu[] = {
    {FileNew, nullptr, {}},
    {FileOpen, nullptr, {}},
    {FileSave, nullptr, {}},
    {FileSaveAs, nullptr, {}},
    sep,
    {SavePattern, nullptr, {}},
    {CopyPattern, nullptr, {}},
    sep,
    {Print, nullptr, {}},
    {PrintPreview, nullptr, {}},
    {PrintSetup, nullptr, {}},
    {CutPattern, nullptr, {}},
    sep,
    {cmd::RecentFile1, nullptr, {}},
    sep,
    {AppExit, nullptr, {}},
};

constexpr MenuEntry editMenu[] = {
    {Undo, nullptr, {}},
    {Redo, nullptr, {}},
    sep,
    {CopyFaces, nullptr, {}},
    {CutFaces, nullptr, {}},
    {PasteFaces, nullptr, {}},
    {DeleteFaces, nullptr, {}},
    sep,
    {ScaleFaces, nullptr, {}},
    {0, QT_TRANSLATE_NOOP("PlicatoPRO", "面の重なり順(&O)"), orderMenu},
    sep,
    {TextShape, nullptr, {}},
};

constexpr MenuEntry displayModeMenu[] = {{InputDisplay, nullptr, {}}, {PopupDisplay, nullptr, {}}};

constexpr MenuEntry viewMenu[] = {
    {ViewToolbar, nullptr, {}},
    {ViewStatusBar, nullptr, {}},
    sep,
    {ResetView, nullptr, {}},
    {FitView, nullptr, {}},
    {Orthographic, nullptr, {}},
    {Viewpoint, nullptr, {}},
    sep,
    {CardOpening, nullptr, {}},
    {0, QT_TRANSLATE_NOOP("PlicatoPRO", "表示モード"), displayModeMenu},
    sep,
    {AntiAlias, nullptr, {}},
    {ShowUnderlay, nullptr, {}},
    sep,
    {DesignCheck, nullptr, {}},
};

constexpr MenuEntry planeMenu[] = {{VerticalPlane, nullptr, {}}, {HorizontalPlane, nullptr, {}}};

constexpr MenuEntry editModeMenu[] = {
    {PolygonFace, nullptr, {}},   {Rectangle3, nullptr, {}},  {CutOut, nullptr, {}},    sep,
    {FaceOperation, nullptr, {}}, {OutlineEdit, nullptr, {}}, {Subdivide, nullptr, {}}, sep,
    {UnderlayFront, nullptr, {}}, {UnderlayTop, nullptr, {}},
};

constexpr MenuEntry drawMenu[] = {
    {0, QT_TRANSLATE_NOOP("PlicatoPRO", "編集モード\tCtrl+Space"), editModeMenu},
    {0, QT_TRANSLATE_NOOP("PlicatoPRO", "編集面\tSpace"), planeMenu},
    sep,
    {GridSmaller, nullptr, {}},
    {GridLarger, nullptr, {}},
    {HideEditPlane, nullptr, {}},
    sep,
    {MirrorEdit, nullptr, {}},
};

constexpr MenuEntry settingsMenu[] = {{GridSizeSettings, nullptr, {}},
                                      {ColorSettings, nullptr, {}},
                                      {UnderlaySettings, nullptr, {}},
                                      {CardSize, nullptr, {}}};

constexpr MenuEntry helpMenu[] = {
    {Help, nullptr, {}}, {HomePage, nullptr, {}}, sep, {AppAbout, nullptr, {}}};

constexpr MenuInfo menuBar[] = {
    {QT_TRANSLATE_NOOP("PlicatoPRO", "ファイル(&F)"), fileMenu},
    {QT_TRANSLATE_NOOP("PlicatoPRO", "編集(&E)"), editMenu},
    {QT_TRANSLATE_NOOP("PlicatoPRO", "表示(&V)"), viewMenu},
    {QT_TRANSLATE_NOOP("PlicatoPRO", "作図(&D)"), drawMenu},
    {QT_TRANSLATE_NOOP("PlicatoPRO", "設定(&C)"), settingsMenu},
    {QT_TRANSLATE_NOOP("PlicatoPRO", "ヘルプ(&H)"), helpMenu},
};

constexpr int toolBar[] = {
    FileNew,
    FileOpen,
    FileSave,
    Print,
    0,
    ResetView,
    CardOpening,
    Undo,
    0,
    GridSmaller,
    GridLarger,
    0,
    VerticalPlane,
    HorizontalPlane,
    0,
    PolygonFace,
    Rectangle3,
    CutOut,
    OutlineEdit,
    Subdivide,
    FaceOperation,
    TextShape,
    0,
    AntiAlias,
    MirrorEdit,
    ShowUnderlay,
    0,
    PopupDisplay,
    InputDisplay,
};

} // namespace

std::span<const CommandInfo> commandTable() {
    return commands;
}

const CommandInfo* findCommand(int id) {
    for (const CommandInfo& c : commands)
        if (c.id == id)
            return &c;
    return nullptr;
}

std::span<const MenuInfo> menuBarLayout() {
    return menuBar;
}
std::span<const int> toolBarLayout() {
    return toolBar;
}

} // namespace plicato
