<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>PlicatoPRO</name>
    <message>
        <source>言語(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>自動（ロケールに従う）</source>
        <translation>Automatic (follow the locale)</translation>
    </message>
    <message>
        <source>言語は次回の起動から切り替わります。</source>
        <translation>The language changes the next time PlicatoPRO starts.</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About PlicatoPRO</translation>
    </message>
    <message>
        <source>&lt;b&gt;PlicatoPRO&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;ポップアップカードの設計ツール&lt;br&gt;面を描くと、立ち上がる形と展開図（切り線・山折り線・谷折り線）を作ります。</source>
        <translation>&lt;b&gt;PlicatoPRO&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;A design tool for pop-up cards&lt;br&gt;Draw faces, and it makes the shape that stands up and the development pattern (cut, mountain-fold and valley-fold lines).</translation>
    </message>
    <message>
        <source>BMP画像の大きさ</source>
        <translation>BMP Image Size</translation>
    </message>
    <message>
        <source>左右反転する</source>
        <translation>Mirror left to right</translation>
    </message>
    <message>
        <source>サイズ(横幅)</source>
        <translation>Size (width)</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>※ 縦幅は横幅を基準に自動的に決められます</source>
        <translation>* The height follows from the width</translation>
    </message>
    <message>
        <source>台紙の大きさの変更</source>
        <translation>Card Size</translation>
    </message>
    <message>
        <source>台紙幅</source>
        <translation>Card width</translation>
    </message>
    <message>
        <source>台紙高さ</source>
        <translation>Card height</translation>
    </message>
    <message>
        <source>サイズを小さくする場合、作成した形の一部が消えてしまう場合があります。
サイズを変更してよいですか?</source>
        <translation>Making the card smaller may remove parts of the shapes you made.
Change the size?</translation>
    </message>
    <message>
        <source>表示色の設定</source>
        <translation>Display Colours</translation>
    </message>
    <message>
        <source>背景色(上方)</source>
        <translation>Background (top)</translation>
    </message>
    <message>
        <source>背景色(下方)</source>
        <translation>Background (bottom)</translation>
    </message>
    <message>
        <source>水平面</source>
        <translation>Horizontal Plane</translation>
    </message>
    <message>
        <source>垂直面</source>
        <translation>Vertical Plane</translation>
    </message>
    <message>
        <source>初期設定に戻す</source>
        <translation>Reset to Defaults</translation>
    </message>
    <message>
        <source>%1 から %2 までの整数を入力してください。</source>
        <translation>Please enter a whole number from %1 to %2.</translation>
    </message>
    <message>
        <source>数字を入力してください。</source>
        <translation>Please enter a number.</translation>
    </message>
    <message>
        <source>0 より大きい数字を入力してください。</source>
        <translation>Please enter a number greater than 0.</translation>
    </message>
    <message>
        <source>グリッドサイズの設定</source>
        <translation>Grid Size</translation>
    </message>
    <message>
        <source>グリッドサイズ</source>
        <translation>Grid size</translation>
    </message>
    <message>
        <source>mm  (2～20)</source>
        <translation>mm  (2 to 20)</translation>
    </message>
    <message>
        <source>出力する線の指定</source>
        <translation>Lines to Output</translation>
    </message>
    <message>
        <source>切断線</source>
        <translation>Cut lines</translation>
    </message>
    <message>
        <source>山折り線</source>
        <translation>Mountain folds</translation>
    </message>
    <message>
        <source>谷折り線</source>
        <translation>Valley folds</translation>
    </message>
    <message>
        <source>少なくとも1つの線種を選んでください</source>
        <translation>Please choose at least one kind of line</translation>
    </message>
    <message>
        <source>新規作成</source>
        <translation>New</translation>
    </message>
    <message>
        <source>初期グリッドサイズ</source>
        <translation>Initial grid size</translation>
    </message>
    <message>
        <source>印刷の設定</source>
        <translation>Print Settings</translation>
    </message>
    <message>
        <source>展開図を左右反転させる</source>
        <translation>Mirror the pattern left to right</translation>
    </message>
    <message>
        <source>用紙にあわせて印刷サイズを自動調整する</source>
        <translation>Fit the print to the paper</translation>
    </message>
    <message>
        <source>用紙の余白</source>
        <translation>Paper margins</translation>
    </message>
    <message>
        <source>※ 用紙のサイズは[プリンタの設定]で指定できます</source>
        <translation>* The paper size is set in [Printer Setup]</translation>
    </message>
    <message>
        <source>文字形状の入力</source>
        <translation>Text Shape</translation>
    </message>
    <message>
        <source>入力文字列</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>フォント</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>文字サイズ</source>
        <translation>Text size</translation>
    </message>
    <message>
        <source>曲線部の分割線分長</source>
        <translation>Segment length on curves</translation>
    </message>
    <message>
        <source>ファイルを読み込めませんでした</source>
        <translation>The file could not be read</translation>
    </message>
    <message>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>新しい台紙を作成します</source>
        <translation>Creates a new card</translation>
    </message>
    <message>
        <source>開く(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>保存したデザインを開きます</source>
        <translation>Opens a saved design</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>デザインを上書き保存します</source>
        <translation>Saves the design</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>デザインに名前を付けて保存します</source>
        <translation>Saves the design under a new name</translation>
    </message>
    <message>
        <source>展開図をファイルへ保存(&amp;E)</source>
        <translation>&amp;Export Pattern to File</translation>
    </message>
    <message>
        <source>展開図を BMP または EPS ファイルに保存します</source>
        <translation>Saves the pattern as a BMP or EPS file</translation>
    </message>
    <message>
        <source>展開図をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ(&amp;L)</source>
        <translation>Copy Pattern to C&amp;lipboard</translation>
    </message>
    <message>
        <source>展開図を画像としてクリップボードにコピーします</source>
        <translation>Copies the pattern to the clipboard as a picture</translation>
    </message>
    <message>
        <source>印刷(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>展開図を印刷します</source>
        <translation>Prints the pattern</translation>
    </message>
    <message>
        <source>印刷プレビュー(&amp;V)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>印刷される展開図を確認します</source>
        <translation>Shows the pattern as it will be printed</translation>
    </message>
    <message>
        <source>プリンタの設定(&amp;R)...</source>
        <translation>P&amp;rinter Setup...</translation>
    </message>
    <message>
        <source>プリンタと用紙を設定します</source>
        <translation>Chooses the printer and the paper</translation>
    </message>
    <message>
        <source>展開図のカット(&amp;C)</source>
        <translation>&amp;Cut Pattern</translation>
    </message>
    <message>
        <source>展開図をCraftROBOでカットする</source>
        <translation>Cuts the pattern with the CraftROBO</translation>
    </message>
    <message>
        <source>アプリケーションの終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>PlicatoPRO を終了します</source>
        <translation>Quits PlicatoPRO</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>直前の面の変更を取り消します</source>
        <translation>Undoes the last change of the faces</translation>
    </message>
    <message>
        <source>選択面のコピー(&amp;C)</source>
        <translation>&amp;Copy Selected Faces</translation>
    </message>
    <message>
        <source>選択した面をコピーします</source>
        <translation>Copies the selected faces</translation>
    </message>
    <message>
        <source>選択面の切り取り(&amp;X)</source>
        <translation>Cu&amp;t Selected Faces</translation>
    </message>
    <message>
        <source>選択した面を切り取ります</source>
        <translation>Cuts the selected faces</translation>
    </message>
    <message>
        <source>面の貼り付け(&amp;V)</source>
        <translation>&amp;Paste Faces</translation>
    </message>
    <message>
        <source>コピーした面を貼り付けます</source>
        <translation>Pastes the copied faces</translation>
    </message>
    <message>
        <source>選択面の削除(&amp;D)</source>
        <translation>&amp;Delete Selected Faces</translation>
    </message>
    <message>
        <source>選択した面を削除します</source>
        <translation>Deletes the selected faces</translation>
    </message>
    <message>
        <source>選択面の拡大縮小(&amp;S)</source>
        <translation>&amp;Scale Selected Faces</translation>
    </message>
    <message>
        <source>選択した面の大きさを変えます</source>
        <translation>Changes the size of the selected faces</translation>
    </message>
    <message>
        <source>一番上へ</source>
        <translation>To Top</translation>
    </message>
    <message>
        <source>選択した面を一番上に重ねます</source>
        <translation>Puts the selected faces on top</translation>
    </message>
    <message>
        <source>1つ上へ</source>
        <translation>Up One</translation>
    </message>
    <message>
        <source>選択した面を1つ上に重ねます</source>
        <translation>Moves the selected faces up one place</translation>
    </message>
    <message>
        <source>1つ下へ</source>
        <translation>Down One</translation>
    </message>
    <message>
        <source>選択した面を1つ下に重ねます</source>
        <translation>Moves the selected faces down one place</translation>
    </message>
    <message>
        <source>一番下へ</source>
        <translation>To Bottom</translation>
    </message>
    <message>
        <source>選択した面を一番下に重ねます</source>
        <translation>Puts the selected faces at the bottom</translation>
    </message>
    <message>
        <source>文字形状の入力(&amp;T)</source>
        <translation>&amp;Text Shape...</translation>
    </message>
    <message>
        <source>TrueType フォントの文字から面を作ります</source>
        <translation>Makes faces from the letters of a TrueType font</translation>
    </message>
    <message>
        <source>ツール バー(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>ツール バーの表示を切り替えます</source>
        <translation>Shows or hides the toolbar</translation>
    </message>
    <message>
        <source>ステータス バー(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>ステータス バーの表示を切り替えます</source>
        <translation>Shows or hides the status bar</translation>
    </message>
    <message>
        <source>表示を初期位置に戻す(&amp;I)</source>
        <translation>Reset V&amp;iew</translation>
    </message>
    <message>
        <source>視点を初期位置に戻します</source>
        <translation>Puts the viewpoint back where it started</translation>
    </message>
    <message>
        <source>台紙全体を表示(&amp;F)</source>
        <translation>&amp;Fit Card in View</translation>
    </message>
    <message>
        <source>台紙全体が見えるように拡大縮小します</source>
        <translation>Zooms so that the whole card can be seen</translation>
    </message>
    <message>
        <source>正投影(&amp;O)</source>
        <translation>&amp;Orthographic</translation>
    </message>
    <message>
        <source>正投影と透視投影を切り替えます</source>
        <translation>Switches between orthographic and perspective projection</translation>
    </message>
    <message>
        <source>視点情報(&amp;V)</source>
        <translation>&amp;Viewpoint...</translation>
    </message>
    <message>
        <source>視点の角度とスケールを数値で設定します</source>
        <translation>Sets the viewing angles and the scale as numbers</translation>
    </message>
    <message>
        <source>カードの開閉(&amp;A)</source>
        <translation>Open and Close C&amp;ard</translation>
    </message>
    <message>
        <source>カードを開いたり閉じたりして確認します</source>
        <translation>Opens and closes the card to check it</translation>
    </message>
    <message>
        <source>入力形状表示</source>
        <translation>Input Shapes</translation>
    </message>
    <message>
        <source>入力した面をそのまま表示します</source>
        <translation>Shows the faces as drawn</translation>
    </message>
    <message>
        <source>ポップアップカード形状表示</source>
        <translation>Pop-up Card Shapes</translation>
    </message>
    <message>
        <source>切り抜いて折ったカードの形を表示します</source>
        <translation>Shows the card as cut and folded</translation>
    </message>
    <message>
        <source>アンチエイリアス表示(&amp;A)</source>
        <translation>&amp;Anti-aliasing</translation>
    </message>
    <message>
        <source>線を滑らかに表示します</source>
        <translation>Draws lines smoothly</translation>
    </message>
    <message>
        <source>下絵の表示(&amp;I)</source>
        <translation>Show Underlay &amp;Images</translation>
    </message>
    <message>
        <source>下絵画像の表示を切り替えます</source>
        <translation>Shows or hides the underlay pictures</translation>
    </message>
    <message>
        <source>垂直な編集面で描きます</source>
        <translation>Draws on the vertical edit plane</translation>
    </message>
    <message>
        <source>水平な編集面で描きます</source>
        <translation>Draws on the horizontal edit plane</translation>
    </message>
    <message>
        <source>グリッドを小さくする(&amp;S)</source>
        <translation>&amp;Smaller Grid</translation>
    </message>
    <message>
        <source>グリッドの間隔を半分にします</source>
        <translation>Halves the grid spacing</translation>
    </message>
    <message>
        <source>グリッドを大きくする(&amp;L)</source>
        <translation>&amp;Larger Grid</translation>
    </message>
    <message>
        <source>グリッドの間隔を2倍にします</source>
        <translation>Doubles the grid spacing</translation>
    </message>
    <message>
        <source>編集面を隠す(&amp;H)</source>
        <translation>&amp;Hide Edit Plane</translation>
    </message>
    <message>
        <source>編集面とグリッドを隠します</source>
        <translation>Hides the edit plane and the grid</translation>
    </message>
    <message>
        <source>ミラー編集(&amp;M)</source>
        <translation>&amp;Mirror Editing</translation>
    </message>
    <message>
        <source>左右対称に面を作ります</source>
        <translation>Makes faces mirrored left and right</translation>
    </message>
    <message>
        <source>多角形面の作成</source>
        <translation>Polygon Face</translation>
    </message>
    <message>
        <source>クリックした点を結んで面を作ります</source>
        <translation>Makes a face by joining the points clicked</translation>
    </message>
    <message>
        <source>長方形面の作成（3点指定）</source>
        <translation>Rectangle Face (3 Points)</translation>
    </message>
    <message>
        <source>3点をクリックして長方形の面を作ります</source>
        <translation>Makes a rectangular face from three clicks</translation>
    </message>
    <message>
        <source>切り抜き部分の作成</source>
        <translation>Cut-out</translation>
    </message>
    <message>
        <source>面に穴を開ける切り抜きを作ります</source>
        <translation>Makes a cut-out that opens a hole in a face</translation>
    </message>
    <message>
        <source>面の操作</source>
        <translation>Face Operations</translation>
    </message>
    <message>
        <source>面を選択して移動します</source>
        <translation>Selects and moves faces</translation>
    </message>
    <message>
        <source>面の輪郭の編集</source>
        <translation>Edit Outline</translation>
    </message>
    <message>
        <source>面の頂点を動かし、追加します</source>
        <translation>Moves and adds corners of a face</translation>
    </message>
    <message>
        <source>2点間の折れ線を細分割する</source>
        <translation>Subdivide Between Two Points</translation>
    </message>
    <message>
        <source>2つの頂点の間の輪郭を滑らかにします</source>
        <translation>Smooths the outline between two corners</translation>
    </message>
    <message>
        <source>下絵（正面図）の編集</source>
        <translation>Edit Underlay (Front View)</translation>
    </message>
    <message>
        <source>正面図の下絵の位置を調整します</source>
        <translation>Adjusts the place of the front-view underlay</translation>
    </message>
    <message>
        <source>下絵（上面図）の編集</source>
        <translation>Edit Underlay (Top View)</translation>
    </message>
    <message>
        <source>上面図の下絵の位置を調整します</source>
        <translation>Adjusts the place of the top-view underlay</translation>
    </message>
    <message>
        <source>グリッドサイズの設定(&amp;G)...</source>
        <translation>&amp;Grid Size...</translation>
    </message>
    <message>
        <source>グリッドの初期サイズを設定します</source>
        <translation>Sets the initial grid size</translation>
    </message>
    <message>
        <source>表示色の設定(&amp;C)...</source>
        <translation>Display &amp;Colours...</translation>
    </message>
    <message>
        <source>背景と編集面の色を設定します</source>
        <translation>Sets the colours of the background and the edit planes</translation>
    </message>
    <message>
        <source>下絵画像の設定(&amp;I)...</source>
        <translation>Underlay &amp;Images...</translation>
    </message>
    <message>
        <source>下絵にする画像を選んで配置します</source>
        <translation>Chooses and places the underlay pictures</translation>
    </message>
    <message>
        <source>台紙の大きさの変更(&amp;B)...</source>
        <translation>Card Si&amp;ze...</translation>
    </message>
    <message>
        <source>台紙の幅と高さを変更します</source>
        <translation>Changes the width and height of the card</translation>
    </message>
    <message>
        <source>使用方法など(&amp;H)...</source>
        <translation>&amp;User Guide...</translation>
    </message>
    <message>
        <source>使い方の説明を開きます</source>
        <translation>Opens the user guide</translation>
    </message>
    <message>
        <source>ホームページ(&amp;W)...</source>
        <translation>Home &amp;Page...</translation>
    </message>
    <message>
        <source>PlicatoPRO のホームページを開きます</source>
        <translation>Opens PlicatoPRO's home page</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)...</source>
        <translation>&amp;About PlicatoPRO...</translation>
    </message>
    <message>
        <source>バージョン情報を表示します</source>
        <translation>Shows the version</translation>
    </message>
    <message>
        <source>面の重なり順(&amp;O)</source>
        <translation>Face &amp;Order</translation>
    </message>
    <message>
        <source>表示モード</source>
        <translation>Display Mode</translation>
    </message>
    <message>
        <source>編集モード	Ctrl+Space</source>
        <translation>Editing Mode	Ctrl+Space</translation>
    </message>
    <message>
        <source>編集面	Space</source>
        <translation>Edit Plane	Space</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>作図(&amp;D)</source>
        <translation>&amp;Draw</translation>
    </message>
    <message>
        <source>設定(&amp;C)</source>
        <translation>Se&amp;ttings</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ファイルを開けません</source>
        <translation>The file cannot be opened</translation>
    </message>
    <message>
        <source>このデザインを開きます</source>
        <translation>Opens this design</translation>
    </message>
    <message>
        <source>ツール バー</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>最近使ったファイル</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <source>左ｸﾘｯｸ:面作成</source>
        <translation>Left click: make face</translation>
    </message>
    <message>
        <source>右ﾄﾞﾗｯｸﾞ:回転</source>
        <translation>Right drag: rotate</translation>
    </message>
    <message>
        <source>↑↓:編集面移動</source>
        <translation>↑↓: move edit plane</translation>
    </message>
    <message>
        <source>Space:編集面切替</source>
        <translation>Space: switch edit plane</translation>
    </message>
    <message>
        <source>ﾎｲｰﾙ:ｽﾞｰﾑ</source>
        <translation>Wheel: zoom</translation>
    </message>
    <message>
        <source>←→ﾐﾗｰ編集面移動</source>
        <translation>←→: move mirror plane</translation>
    </message>
    <message>
        <source>ヘルプファイルを開けません
お手持ちのブラウザで help/index.html をご覧ください </source>
        <translation>The help file cannot be opened
Please open help/en.html in your browser </translation>
    </message>
    <message>
        <source>ファイルに書き込めません</source>
        <translation>Cannot write to the file</translation>
    </message>
    <message>
        <source>BMPファイル (*.bmp);;EPSファイル (*.eps);;SVGファイル (*.svg);;PDFファイル (*.pdf);;DXFファイル (*.dxf)</source>
        <translation>BMP files (*.bmp);;EPS files (*.eps);;SVG files (*.svg);;PDF files (*.pdf);;DXF files (*.dxf)</translation>
    </message>
    <message>
        <source>ファイル形式が適切でありません</source>
        <translation>The file format is not suitable</translation>
    </message>
    <message>
        <source>クリップボードを開けませんでした</source>
        <translation>The clipboard could not be opened</translation>
    </message>
    <message>
        <source>既にあるクリップボード上のデータを削除できません</source>
        <translation>The data already on the clipboard cannot be removed</translation>
    </message>
    <message>
        <source>クリップボードにデータをセットできません</source>
        <translation>The data cannot be put on the clipboard</translation>
    </message>
    <message>
        <source>プリンターの初期化に失敗しました</source>
        <translation>The printer could not be set up</translation>
    </message>
    <message>
        <source>プリンタの設定</source>
        <translation>Printer Setup</translation>
    </message>
    <message>
        <source>Craft ROBO を選択してください</source>
        <translation>Please choose the Craft ROBO</translation>
    </message>
    <message>
        <source>Craft ROBO コントローラーのインストール情報がありません</source>
        <translation>The Craft ROBO controller is not installed</translation>
    </message>
    <message>
        <source>すでにCraft ROBO コントローラーが起動しています</source>
        <translation>The Craft ROBO controller is already running</translation>
    </message>
    <message>
        <source>ポップアップカードの設計と展開図の作成</source>
        <translation>Pop-up card design and development patterns</translation>
    </message>
    <message>
        <source>開くデザインのファイル (.plq)</source>
        <translation>The design file to open (.plq)</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>変更内容を保存しますか?</source>
        <translation>Save changes?</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>復元しますか?</source>
        <translation>Recover unsaved changes?</translation>
    </message>
    <message>
        <source>復元する(&amp;R)</source>
        <translation>&amp;Recover</translation>
    </message>
    <message>
        <source>破棄する(&amp;D)</source>
        <translation>&amp;Discard</translation>
    </message>
    <message>
        <source>後で(&amp;L)</source>
        <translation>Keep for &amp;Later</translation>
    </message>
    <message>
        <source>Craft ROBO コントローラーを起動できません</source>
        <translation>The Craft ROBO controller cannot be started</translation>
    </message>
    <message>
        <source>カードの開閉</source>
        <translation>Open and Close Card</translation>
    </message>
    <message>
        <source>直角</source>
        <translation>Right angle</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>度</source>
        <translation>degrees</translation>
    </message>
    <message>
        <source>アニメーション</source>
        <translation>Animation</translation>
    </message>
    <message>
        <source>視点情報</source>
        <translation>Viewpoint</translation>
    </message>
    <message>
        <source>角度（縦）</source>
        <translation>Angle (vertical)</translation>
    </message>
    <message>
        <source>角度（横）</source>
        <translation>Angle (horizontal)</translation>
    </message>
    <message>
        <source>スケール</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>画像ファイル(*.bmp, *.jpg, *.jpeg) (*.bmp *.jpg *.jpeg)</source>
        <translation>Picture files (*.bmp, *.jpg, *.jpeg) (*.bmp *.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>下絵画像の編集</source>
        <translation>Edit Underlay Picture</translation>
    </message>
    <message>
        <source>正面図</source>
        <translation>Front view</translation>
    </message>
    <message>
        <source>上面図</source>
        <translation>Top view</translation>
    </message>
    <message>
        <source>縦横比を保存</source>
        <translation>Keep aspect ratio</translation>
    </message>
    <message>
        <source>グリッドにスナップ</source>
        <translation>Snap to grid</translation>
    </message>
    <message>
        <source>ファイルを開く...</source>
        <translation>Open File...</translation>
    </message>
    <message>
        <source>中央下位置に移動</source>
        <translation>Move to Bottom Centre</translation>
    </message>
    <message>
        <source>初期状態に戻す</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>下絵の削除</source>
        <translation>Delete Underlay</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>元に戻した変更をやり直します</source>
        <translation>Redoes the change that was undone</translation>
    </message>
    <message>
        <source>選択面の拡大縮小</source>
        <translation>Scale Selected Faces</translation>
    </message>
    <message>
        <source>拡大率</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>この拡大率では面が大きくなりすぎて保存できなくなります。拡大率を小さくしてください。</source>
        <translation>With this factor the faces would grow too large to be saved. Please enter a smaller factor.</translation>
    </message>
    <message>
        <source>左ｸﾘｯｸ:面選択 | Shift:追加選択 | 左ﾄﾞﾗｯｸﾞ:範囲選択 | 矢印ﾄﾞﾗｯｸﾞ:移動 | ←→↑↓ PageUp/Down:移動 | Delete:削除</source>
        <translation>Left click: select face | Shift: add to selection | Left drag: select by area | Drag an arrow: move | ←→↑↓ PageUp/Down: move | Delete: delete</translation>
    </message>
    <message>
        <source>頂点を左ﾄﾞﾗｯｸﾞ:移動 | Ctrl+左ﾄﾞﾗｯｸﾞ:頂点の追加 | 右ﾄﾞﾗｯｸﾞ:回転 | ﾎｲｰﾙ:ｽﾞｰﾑ</source>
        <translation>Left drag a corner: move | Ctrl+left drag: add a corner | Right drag: rotate | Wheel: zoom</translation>
    </message>
    <message>
        <source>同じ面の頂点を2つ左ｸﾘｯｸ:間を細分割 | 右ｸﾘｯｸ:選び直し | 右ﾄﾞﾗｯｸﾞ:回転 | ﾎｲｰﾙ:ｽﾞｰﾑ</source>
        <translation>Left click two corners of one face: subdivide between them | Right click: pick again | Right drag: rotate | Wheel: zoom</translation>
    </message>
    <message>
        <source>組み立てチェック</source>
        <translation>Design Check</translation>
    </message>
    <message>
        <source>抜け落ちる部品、フラップ、はみ出し、細すぎる部分を色分けして一覧にします</source>
        <translation>Colours and lists the pieces that fall out, flaps, parts sticking out and parts too thin</translation>
    </message>
    <message>
        <source>垂直面 %1 mm</source>
        <translation>vertical plane %1 mm</translation>
    </message>
    <message>
        <source>水平面 %1 mm</source>
        <translation>horizontal plane %1 mm</translation>
    </message>
    <message>
        <source>%1 mm はみ出し</source>
        <translation>%1 mm beyond</translation>
    </message>
    <message>
        <source>抜け落ちる</source>
        <translation>Falls out</translation>
    </message>
    <message>
        <source>フラップ（蝶番で動く）</source>
        <translation>Flap (swings on a hinge)</translation>
    </message>
    <message>
        <source>閉じたカードからはみ出す</source>
        <translation>Sticks out of the closed card</translation>
    </message>
    <message>
        <source>細すぎる</source>
        <translation>Too thin</translation>
    </message>
    <message>
        <source>幅 %1 mm</source>
        <translation>width %1 mm</translation>
    </message>
    <message>
        <source>確定できません: %1 個の部品が平行な折り線でつながり、動く可能性があります (自由度 %2)</source>
        <translation>Uncertain: %1 pieces joined by parallel folds may move (%2 degrees of freedom)</translation>
    </message>
    <message>
        <source>確定できません: フラップが閉じたカードから %1 mm 出る位置に描かれています</source>
        <translation>Uncertain: a flap is drawn %1 mm beyond the closed card</translation>
    </message>
    <message>
        <source>確定できません: 折り線が %1 mm しかありません</source>
        <translation>Uncertain: the fold is only %1 mm long</translation>
    </message>
    <message>
        <source>指摘はありません（立つことの保証ではありません）</source>
        <translation>No findings (this does not promise that it stands)</translation>
    </message>
    <message>
        <source>指摘 %1 件</source>
        <translation>Findings: %1</translation>
    </message>
</context>
<context>
    <name>plicato::core</name>
    <message>
        <source>画像ファイルが見つかりません</source>
        <translation>Picture file not found</translation>
    </message>
    <message>
        <source>ファイルに書き込めません</source>
        <translation>Cannot write to the file</translation>
    </message>
    <message>
        <source>古いバージョンのファイルなため、本バージョンでは読み込めません。</source>
        <translation>The file comes from an old version and cannot be read by this version.</translation>
    </message>
    <message>
        <source>新しいバージョンのファイルなため、本バージョンでは読み込めません。
最新版のPlicatoPROを入手してください。</source>
        <translation>The file comes from a newer version and cannot be read by this version.
Please get the latest PlicatoPRO.</translation>
    </message>
    <message>
        <source>新しいバージョンのファイルなため、一部の情報を読み込めない可能性があります。
最新版のPlicatoPROを入手してください。</source>
        <translation>The file comes from a newer version, so some of it may not be read.
Please get the latest PlicatoPRO.</translation>
    </message>
    <message>
        <source>フォントが見つかりません。</source>
        <translation>The font cannot be found.</translation>
    </message>
    <message>
        <source>曲線部の分割線分長には、%1から5の値を指定してください</source>
        <translation>Please give a segment length on curves from %1 to 5</translation>
    </message>
</context>
</TS>
