// The command table of the main window: Japanese menu texts, accelerators, prompts, icons.
#include "gui/main_window/command_table.h"

#include "gui/main_window/command_ids.h"

#include <array>

namespace plicato {

namespace {

using namespace cmd;

constexpr CommandInfo commands[] = {
    {FileNew, "新規作成(&N)", "Ctrl+N", "new", "新しい台紙を作成します", false},
    {FileOpen, "開く(&O)...", "Ctrl+O", "open", "保存したデザインを開きます", false},
    {FileSave, "上書き保存(&S)", "Ctrl+S", "save", "デザインを上書き保存します", false},
    {FileSaveAs, "名前を付けて保存(&A)...", "Ctrl+Shift+S", nullptr,
     "デザインに名前を付けて保存します", false},
    {SavePattern, "展開図をファイルへ保存(&E)", nullptr, nullptr,
     "展開図を BMP または EPS ファイルに保存します", false},
    {CopyPattern, "展開図をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ(&L)", nullptr, nullptr,
     "展開図を画像としてクリップボードにコピーします", false},
    {Print, "印刷(&P)...", "Ctrl+P", "print", "展開図を印刷します", false},
    {PrintPreview, "印刷プレビュー(&V)", nullptr, nullptr, "印刷される展開図を確認します", false},
    {PrintSetup, "プリンタの設定(&R)...", nullptr, nullptr, "プリンタと用紙を設定します", false},
    {CutPattern, "展開図のカット(&C)", nullptr, nullptr, "展開図をCraftROBOでカットする", false},
    {AppExit, "アプリケーションの終了(&X)", "Ctrl+Q", nullptr, "PlicatoPRO を終了します", false},

    {Undo, "元に戻す(&U)", "Ctrl+Z", "undo", "直前の面の変更を取り消します", false},
    {CopyFaces, "選択面のコピー(&C)", "Ctrl+C", nullptr, "選択した面をコピーします", false},
    {CutFaces, "選択面の切り取り(&X)", "Ctrl+X", nullptr, "選択した面を切り取ります", false},
    {PasteFaces, "面の貼り付け(&V)", "Ctrl+V", nullptr, "コピーした面を貼り付けます", false},
    {DeleteFaces, "選択面の削除(&D)", "Ctrl+D", nullptr, "選択した面を削除します", false},
    {ScaleFaces, "選択面の拡大縮小(&S)", nullptr, nullptr, "選択した面の大きさを変えます", false},
    {ToTop, "一番上へ", nullptr, nullptr, "選択した面を一番上に重ねます", false},
    {UpOne, "1つ上へ", nullptr, nullptr, "選択した面を1つ上に重ねます", false},
    {DownOne, "1つ下へ", nullptr, nullptr, "選択した面を1つ下に重ねます", false},
    {ToBottom, "一番下へ", nullptr, nullptr, "選択した面を一番下に重ねます", false},
    {TextShape, "文字形状の入力(&T)", nullptr, "text_shape",
     "TrueType フォントの文字から面を作ります", false},

    {ViewToolbar, "ツール バー(&T)", nullptr, nullptr, "ツール バーの表示を切り替えます", true},
    {ViewStatusBar, "ステータス バー(&S)", nullptr, nullptr, "ステータス バーの表示を切り替えます",
     true},
    {ResetView, "表示を初期位置に戻す(&I)", nullptr, "reset_view", "視点を初期位置に戻します",
     false},
    {FitView, "台紙全体を表示(&F)", "Home", nullptr, "台紙全体が見えるように拡大縮小します", false},
    {Orthographic, "正投影(&O)", "Ctrl+R", nullptr, "正投影と透視投影を切り替えます", true},
    {Viewpoint, "視点情報(&V)", nullptr, nullptr, "視点の角度とスケールを数値で設定します", false},
    {CardOpening, "カードの開閉(&A)", nullptr, "card_opening",
     "カードを開いたり閉じたりして確認します", false},
    {InputDisplay, "入力形状表示", nullptr, "input_display", "入力した面をそのまま表示します",
     true},
    {PopupDisplay, "ポップアップカード形状表示", nullptr, "popup_display",
     "切り抜いて折ったカードの形を表示します", true},
    {AntiAlias, "アンチエイリアス表示(&A)", nullptr, "antialias", "線を滑らかに表示します", true},
    {ShowUnderlay, "下絵の表示(&I)", nullptr, "underlay", "下絵画像の表示を切り替えます", true},

    {VerticalPlane, "垂直面", nullptr, "plane_vertical", "垂直な編集面で描きます", true},
    {HorizontalPlane, "水平面", nullptr, "plane_horizontal", "水平な編集面で描きます", true},
    {GridSmaller, "グリッドを小さくする(&S)", "Ctrl+K", "grid_smaller",
     "グリッドの間隔を半分にします", false},
    {GridLarger, "グリッドを大きくする(&L)", "Ctrl+L", "grid_larger", "グリッドの間隔を2倍にします",
     false},
    {HideEditPlane, "編集面を隠す(&H)", "Ctrl+H", nullptr, "編集面とグリッドを隠します", true},
    {MirrorEdit, "ミラー編集(&M)", nullptr, "mirror", "左右対称に面を作ります", true},

    {PolygonFace, "多角形面の作成", nullptr, "polygon_face", "クリックした点を結んで面を作ります",
     true},
    {Rectangle3, "長方形面の作成（3点指定）", nullptr, "rectangle3",
     "3点をクリックして長方形の面を作ります", true},
    {CutOut, "切り抜き部分の作成", nullptr, "cut_out", "面に穴を開ける切り抜きを作ります", true},
    {FaceOperation, "面の操作", nullptr, "face_operation", "面を選択して移動します", true},
    {OutlineEdit, "面の輪郭の編集", nullptr, "outline_edit", "面の頂点を動かし、追加します", true},
    {Subdivide, "2点間の折れ線を細分割する", nullptr, "subdivide",
     "2つの頂点の間の輪郭を滑らかにします", true},
    {UnderlayFront, "下絵（正面図）の編集", nullptr, nullptr, "正面図の下絵の位置を調整します",
     true},
    {UnderlayTop, "下絵（上面図）の編集", nullptr, nullptr, "上面図の下絵の位置を調整します", true},

    {GridSizeSettings, "グリッドサイズの設定(&G)...", nullptr, nullptr,
     "グリッドの初期サイズを設定します", false},
    {ColorSettings, "表示色の設定(&C)...", nullptr, nullptr, "背景と編集面の色を設定します", false},
    {UnderlaySettings, "下絵画像の設定(&I)...", nullptr, nullptr,
     "下絵にする画像を選んで配置します", false},
    {CardSize, "台紙の大きさの変更(&B)...", nullptr, nullptr, "台紙の幅と高さを変更します", false},

    {Help, "使用方法など(&H)...", "F1", nullptr, "使い方の説明を開きます", false},
    {HomePage, "ホームページ(&W)...", nullptr, nullptr, "PlicatoPRO のホームページを開きます",
     false},
    {AppAbout, "バージョン情報(&A)...", nullptr, nullptr, "バージョン情報を表示します", false},
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
    sep,
    {CopyFaces, nullptr, {}},
    {CutFaces, nullptr, {}},
    {PasteFaces, nullptr, {}},
    {DeleteFaces, nullptr, {}},
    sep,
    {ScaleFaces, nullptr, {}},
    {0, "面の重なり順(&O)", orderMenu},
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
    {0, "表示モード", displayModeMenu},
    sep,
    {AntiAlias, nullptr, {}},
    {ShowUnderlay, nullptr, {}},
};

constexpr MenuEntry planeMenu[] = {{VerticalPlane, nullptr, {}}, {HorizontalPlane, nullptr, {}}};

constexpr MenuEntry editModeMenu[] = {
    {PolygonFace, nullptr, {}},   {Rectangle3, nullptr, {}},  {CutOut, nullptr, {}},    sep,
    {FaceOperation, nullptr, {}}, {OutlineEdit, nullptr, {}}, {Subdivide, nullptr, {}}, sep,
    {UnderlayFront, nullptr, {}}, {UnderlayTop, nullptr, {}},
};

constexpr MenuEntry drawMenu[] = {
    {0, "編集モード\tCtrl+Space", editModeMenu},
    {0, "編集面\tSpace", planeMenu},
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
    {"ファイル(&F)", fileMenu}, {"編集(&E)", editMenu},     {"表示(&V)", viewMenu},
    {"作図(&D)", drawMenu},     {"設定(&C)", settingsMenu}, {"ヘルプ(&H)", helpMenu},
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
