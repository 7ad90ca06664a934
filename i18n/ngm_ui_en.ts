<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>CCollectionDialog</name>
    <message>
        <source>パズル集</source>
        <translation>Puzzle collection</translation>
    </message>
    <message>
        <source>タイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>大きさ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>難易度</source>
        <translation>Difficulty</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Clears</translation>
    </message>
    <message>
        <source>自己ベスト</source>
        <translation>Best time</translation>
    </message>
    <message>
        <source>遊ぶ</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>新しいパズル</source>
        <translation>New puzzle</translation>
    </message>
    <message>
        <source>作って遊ぶ</source>
        <translation>Make and play</translation>
    </message>
    <message>
        <source>大きさ(縦横)</source>
        <translation>Size (square)</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>%1秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>パズルを作っています...</source>
        <translation>Making a puzzle...</translation>
    </message>
    <message>
        <source>%1×%1、難易度 %2 のパズルを時間内に作れませんでした。小さな盤面では難易度 5 はまれです。大きさか難易度を変えてください。</source>
        <translation>No %1×%1 puzzle of difficulty %2 could be made in time. Difficulty 5 is rare on small boards. Please change the size or the difficulty.</translation>
    </message>
    <message>
        <source>新しいパズル %1×%1 難易度 %2</source>
        <translation>New puzzle %1×%1, difficulty %2</translation>
    </message>
</context>
<context>
    <name>CCustomBlocksDialog</name>
    <message>
        <source>ブロック数</source>
        <translation>Blocks</translation>
    </message>
    <message>
        <source>横のブロック数</source>
        <translation>Blocks across</translation>
    </message>
    <message>
        <source>縦のブロック数</source>
        <translation>Blocks down</translation>
    </message>
</context>
<context>
    <name>CDrawbox</name>
    <message>
        <source>メモリが不足しているため画像を読み込めません。</source>
        <translation>Not enough memory to read the picture.</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>新規作成	Ctrl+N(&amp;N)</source>
        <translation>&amp;New	Ctrl+N</translation>
    </message>
    <message>
        <source>開く...	Ctrl+O(&amp;O)</source>
        <translation>&amp;Open...	Ctrl+O</translation>
    </message>
    <message>
        <source>パズルを開く...	Ctrl+Shift+O</source>
        <translation>Open Puzzle...	Ctrl+Shift+O</translation>
    </message>
    <message>
        <source>パズルをエクスポート...	Ctrl+E</source>
        <translation>Export Puzzle...	Ctrl+E</translation>
    </message>
    <message>
        <source>印刷(P)...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>アプリケーションの終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>最前面表示(&amp;D)</source>
        <translation>&amp;Always on Top</translation>
    </message>
    <message>
        <source>ツール バー(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>ステータス バー(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>一意なパズルを探す...	Ctrl+U</source>
        <translation>Find Unique Puzzle...	Ctrl+U</translation>
    </message>
    <message>
        <source>画像を貼り付け	Ctrl+V</source>
        <translation>Paste Picture	Ctrl+V</translation>
    </message>
    <message>
        <source>バージョン情報 NGM(&amp;A)...</source>
        <translation>&amp;About NGM...</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>最近使ったファイル</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>機能</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Readme.htmlファイルが見つかりません</source>
        <translation>The file Readme.html cannot be found</translation>
    </message>
    <message>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>ファイルを保存できませんでした。</source>
        <translation>The file could not be saved.</translation>
    </message>
    <message>
        <source>ファイルに書き込めませんでした。</source>
        <translation>Could not write the file.</translation>
    </message>
    <message>
        <source>ファイルの種類がわかりません。
名前の終わりを .non、.xml、.png、.pdf のどれかにしてください。</source>
        <translation>Unknown file type.
Please end the name with .non, .xml, .png or .pdf.</translation>
    </message>
    <message>
        <source>パズルをエクスポート</source>
        <translation>Export Puzzle</translation>
    </message>
    <message>
        <source>DrawBox	Ctrl+M(&amp;M)</source>
        <translation>&amp;DrawBox	Ctrl+M</translation>
    </message>
    <message>
        <source>Readme(R)</source>
        <translation>&amp;Readme</translation>
    </message>
    <message>
        <source>作業台	Ctrl+B</source>
        <translation>Workbench	Ctrl+B</translation>
    </message>
    <message>
        <source>パズル集...</source>
        <translation>Puzzle Collection...</translation>
    </message>
    <message>
        <source>パズル (*.non);;XMLパズル (*.xml);;PNG画像 (*.png);;PDF (*.pdf)</source>
        <translation>Puzzle (*.non);;XML puzzle (*.xml);;PNG image (*.png);;PDF (*.pdf)</translation>
    </message>
</context>
<context>
    <name>CNGMApp</name>
    <message>
        <source>ngm: 知らないオプションを無視します: %1</source>
        <translation>ngm: ignoring unknown option: %1</translation>
    </message>
</context>
<context>
    <name>CNGMView</name>
    <message>
        <source>無理な閾値設定です。</source>
        <translation>These thresholds are not possible.</translation>
    </message>
    <message>
        <source>色ビット数が16ビット以下です。</source>
        <translation>The color depth is 16 bits or less.</translation>
    </message>
    <message>
        <source>入力画像サイズが260X260を超えていて表示しきれない可能性があります。
続けますか？</source>
        <translation>The input picture is larger than 260x260 and may not be shown in full.
Continue?</translation>
    </message>
    <message>
        <source>入力画像サイズが小さすぎて表示できません。</source>
        <translation>The input picture is too small to be shown.</translation>
    </message>
    <message>
        <source>複数ファイルは対処できません。すみません。</source>
        <translation>Several files cannot be handled. Sorry.</translation>
    </message>
    <message>
        <source>フォルダです。イメージファイルをD&amp;Dしてください。</source>
        <translation>This is a folder. Please drop a picture file.</translation>
    </message>
    <message>
        <source>クリップボード</source>
        <translation>Clipboard</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>パズルファイルを読めません: </source>
        <translation>Cannot read the puzzle file: </translation>
    </message>
    <message>
        <source>このパズルは答えが一つに決まりません。
ヒントに合うように塗れば正解です。</source>
        <translation>This puzzle has more than one answer.
Any filling that fits the clues is correct.</translation>
    </message>
    <message>
        <source>このパズルのヒントには、すべてを満たす塗り方がありません。</source>
        <translation>No filling satisfies all the clues of this puzzle.</translation>
    </message>
    <message>
        <source>このパズルの答えを時間内に求められませんでした。
ヒントに合うように塗れば正解です。</source>
        <translation>The answer of this puzzle could not be found in time.
Any filling that fits the clues is correct.</translation>
    </message>
    <message>
        <source>パズルを開く</source>
        <translation>Open Puzzle</translation>
    </message>
    <message>
        <source>ﾊﾟｽﾞﾙﾌｧｲﾙ(*.non;*.xml) (*.non *.NON *.xml *.XML);;全てのファイル (*)</source>
        <translation>Puzzle files (*.non *.NON *.xml *.XML);;All files (*)</translation>
    </message>
    <message>
        <source>%1 行目 </source>
        <translation>line %1: </translation>
    </message>
    <message>
        <source>ｲﾒｰｼﾞﾌｧｲﾙ(*.ppm;*bmp;*.png;*.jpg;*.jpeg;*.gif;*.webp;*.tif;*.tiff;*.pbm;*.pgm;*.pnm) (*.ppm *.PPM *bmp *BMP *.png *.PNG *.jpg *.JPG *.jpeg *.JPEG *.gif *.GIF *.webp *.WEBP *.tif *.TIF *.tiff *.TIFF *.pbm *.PBM *.pgm *.PGM *.pnm *.PNM);;ﾎﾟｰﾀﾌﾞﾙﾋﾟｸｾﾙﾏｯﾌﾟ(*.ppm) (*.ppm *.PPM);;ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp) (*.bmp *.BMP);;</source>
        <translation>Picture files (*.ppm *.PPM *bmp *BMP *.png *.PNG *.jpg *.JPG *.jpeg *.JPEG *.gif *.GIF *.webp *.WEBP *.tif *.TIF *.tiff *.TIFF *.pbm *.PBM *.pgm *.PGM *.pnm *.PNM);;Portable pixmap (*.ppm *.PPM);;Bitmap (*.bmp *.BMP);;</translation>
    </message>
    <message>
        <source>全てのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>カスタム...</source>
        <translation>Custom...</translation>
    </message>
    <message>
        <source>拡大表示</source>
        <translation>Enlarged view</translation>
    </message>
    <message>
        <source>ダブルクリックで拡大表示</source>
        <translation>Double-click for an enlarged view</translation>
    </message>
    <message>
        <source>答えのマスを手で変えています。解析し直すと、その変更は新しい答えに置き換わります(作業台の「元に戻す」で戻せます)。
解析し直しますか?</source>
        <translation>The answer&apos;s cells have been changed by hand. Analysing again replaces those changes with the new answer (Undo in the workbench brings them back).
Analyse again?</translation>
    </message>
    <message>
        <source>白黒</source>
        <translation>B/W</translation>
    </message>
    <message>
        <source>白黒は帯で塗るマスを決めます。2 から 8 は色つきのパズルです</source>
        <translation>Black and white fills the cells by the band; 2 to 8 make a colour puzzle</translation>
    </message>
</context>
<context>
    <name>CPlaygame</name>
    <message>
        <source>***操作方法***

左クリック ：  塗りつぶし
右クリック ：  ×表示
Ctrl+クリック ： クリア

矢印キー ： カーソル移動
スペース ： 塗りつぶし
X ： ×表示
Delete ： クリア
Shift+矢印キー ： 直前の操作を続ける
Ctrl+Z ： 元に戻す
Ctrl+Y, Ctrl+Shift+Z ： やり直し
H ： ヒント</source>
        <translation>***How to play***

Left click :  fill
Right click :  mark ×
Ctrl+click : clear

Arrow keys : move the cursor
Space : fill
X : mark ×
Delete : clear
Shift+arrow keys : repeat the last action
Ctrl+Z : undo
Ctrl+Y, Ctrl+Shift+Z : redo
H : hint</translation>
    </message>
    <message>
        <source>間違いが%1個あります。<byte value="xd"/>
プレイタイムは%2秒でした。</source>
        <translation>Mistakes: %1<byte value="xd"/>
Play time: %2 seconds</translation>
    </message>
    <message>
        <source>Congratulations!!!<byte value="xd"/>
%1秒でクリアです。</source>
        <translation>Congratulations!!!<byte value="xd"/>
Solved in %1 seconds.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
ヒント %1 回</source>
        <translation><byte value="xd"/>
Hints: %1</translation>
    </message>
    <message>
        <source><byte value="xd"/>
（作者の答えとは別の解です）</source>
        <translation><byte value="xd"/>
(a solution other than the author&apos;s)</translation>
    </message>
    <message>
        <source>今の盤面から決められるマスはありません。</source>
        <translation>No cell can be decided from the board as it is.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
自己ベスト！（これまでは%1秒）</source>
        <translation><byte value="xd"/>
Personal best! (It was %1 seconds.)</translation>
    </message>
    <message>
        <source><byte value="xd"/>
%1回目のクリア・自己ベストは%2秒</source>
        <translation><byte value="xd"/>
Clear number %1; your best is %2 seconds.</translation>
    </message>
    <message>
        <source>完成したら
自動でチェック</source>
        <translation>Check when
complete</translation>
    </message>
    <message>
        <source>5マスごとの
太線</source>
        <translation>Thick line
every 5</translation>
    </message>
    <message>
        <source>
Ctrl+ホイール, Ctrl+＋/－ ： 拡大・縮小
Ctrl+0 ： 元の大きさ
数字をクリック ： 数字に線を引く</source>
        <translation>
Ctrl+wheel, Ctrl++/- : zoom in/out
Ctrl+0 : original size
Click a number : strike it through</translation>
    </message>
    <message>
        <source>
色のクリック、数字キー ： 塗る色を選ぶ
左クリック、スペース ： 選んだ色で塗る</source>
        <translation>
Click a colour, number keys : choose the colour to fill with
Left click, Space : fill with the chosen colour</translation>
    </message>
</context>
<context>
    <name>CUniqueDialog</name>
    <message>
        <source>一意なパズルを探す</source>
        <translation>Find Unique Puzzle</translation>
    </message>
    <message>
        <source>閾値とブロック数を変える</source>
        <translation>Change the threshold and the block count</translation>
    </message>
    <message>
        <source>マスを変える (%1 マスまで)</source>
        <translation>Change cells (up to %1 cells)</translation>
    </message>
    <message>
        <source>今のパズル: 閾値 %1〜%2・ブロック数 %3・塗り %4%</source>
        <translation>Current puzzle: threshold %1–%2, %3 blocks, %4% filled</translation>
    </message>
    <message>
        <source>探しています...</source>
        <translation>Searching...</translation>
    </message>
    <message>
        <source>探し終わりました。</source>
        <translation>The search is finished.</translation>
    </message>
    <message>
        <source>中止しました。それまでに見つかったものを示します。</source>
        <translation>Stopped. Showing what had been found by then.</translation>
    </message>
    <message>
        <source>パズルが変わったので、結果を閉じました。「探し直す」で今のパズルについて探します。</source>
        <translation>The puzzle has changed, so the results were closed. &quot;Search Again&quot; searches for the current puzzle.</translation>
    </message>
    <message>
        <source>閾値とブロック数をどう変えても、解が一つのパズルになりません。決まらないマスが最も少ないものを示します。</source>
        <translation>No threshold and block count gives a puzzle with a single solution. Showing those with the fewest undecided cells.</translation>
    </message>
    <message>
        <source>閾値とブロック数をどう変えても、今のほかに絵になるパズルができません。</source>
        <translation>No other threshold and block count gives a puzzle with a picture.</translation>
    </message>
    <message>
        <source>塗りの割合を今の %1% から %2 ポイント以内に保つものはありません。それより離れるものを示します。</source>
        <translation>None keeps the filled share within %2 points of the current %1%. Showing ones further off.</translation>
    </message>
    <message>
        <source>今のパズルはもう解が一つです。変えるマスはありません。</source>
        <translation>The current puzzle already has a single solution. There are no cells to change.</translation>
    </message>
    <message>
        <source>%1 マスまで変えても、解が一つのパズルになりません。決まらないマスが最も少ないものを示します。</source>
        <translation>Changing up to %1 cells gives no puzzle with a single solution. Showing those with the fewest undecided cells.</translation>
    </message>
    <message>
        <source>時間内には、解が一つになる変え方が見つかりませんでした。決まらないマスが最も少ないものを示します。</source>
        <translation>No change giving a single solution was found in time. Showing those with the fewest undecided cells.</translation>
    </message>
    <message>
        <source>これより少ないマスの変更では、解が一つになりません。</source>
        <translation>Changing fewer cells does not give a single solution.</translation>
    </message>
    <message>
        <source>これより少ない変更で済むかどうかは、時間内に確かめきれませんでした。</source>
        <translation>Whether fewer changes would do could not be checked in time.</translation>
    </message>
    <message>
        <source>適用(&amp;A)</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>中止(&amp;C)</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>探し直す(&amp;R)</source>
        <translation>Search &amp;Again</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>今のパズル: %1 色・ブロック数 %2・塗り %3%</source>
        <translation>Current puzzle: %1 colours, %2 blocks, %3% filled</translation>
    </message>
    <message>
        <source>色数とブロック数を変える</source>
        <translation>Change the colour count and blocks</translation>
    </message>
    <message>
        <source>色数とブロック数をどう変えても、解が一つのパズルになりません。</source>
        <translation>No colour count and block count gives a puzzle with a unique answer.</translation>
    </message>
    <message>
        <source>時間内には、すべての色数とブロック数を試しきれませんでした。</source>
        <translation>Not every colour count and block count could be tried in the time.</translation>
    </message>
</context>
<context>
    <name>CWorkbench</name>
    <message>
        <source>作業台</source>
        <translation>Workbench</translation>
    </message>
    <message>
        <source>画像</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>白黒</source>
        <translation>Black and white</translation>
    </message>
    <message>
        <source>答え (左ドラッグで塗る・右ドラッグで消す)</source>
        <translation>Answer (left drag fills, right drag empties)</translation>
    </message>
    <message>
        <source>パズル</source>
        <translation>Puzzle</translation>
    </message>
    <message>
        <source>下限</source>
        <translation>Lower</translation>
    </message>
    <message>
        <source>上限</source>
        <translation>Upper</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>反転</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>余白を削る</source>
        <translation>Trim margins</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直す</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>白黒反転</source>
        <translation>Invert cells</translation>
    </message>
    <message>
        <source>左右反転</source>
        <translation>Mirror</translation>
    </message>
    <message>
        <source>上下反転</source>
        <translation>Flip</translation>
    </message>
    <message>
        <source>←</source>
        <translation>←</translation>
    </message>
    <message>
        <source>→</source>
        <translation>→</translation>
    </message>
    <message>
        <source>↑</source>
        <translation>↑</translation>
    </message>
    <message>
        <source>↓</source>
        <translation>↓</translation>
    </message>
    <message>
        <source>全消去</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>1マス左へ</source>
        <translation>One cell left</translation>
    </message>
    <message>
        <source>1マス右へ</source>
        <translation>One cell right</translation>
    </message>
    <message>
        <source>1マス上へ</source>
        <translation>One cell up</translation>
    </message>
    <message>
        <source>1マス下へ</source>
        <translation>One cell down</translation>
    </message>
    <message>
        <source>作業台 - %1</source>
        <translation>Workbench - %1</translation>
    </message>
    <message>
        <source>下限は上限より小さくしてください。</source>
        <translation>The lower bound must be below the upper bound.</translation>
    </message>
    <message>
        <source>画像の明るさの分布から帯を決めます</source>
        <translation>Chooses the band from the picture&apos;s brightness</translation>
    </message>
    <message>
        <source>自動で明るい側を帯にします</source>
        <translation>Auto takes the light side as the band</translation>
    </message>
    <message>
        <source>帯に入る画素を囲む長方形まで切り抜きます</source>
        <translation>Crops to the rectangle around the pixels in the band</translation>
    </message>
    <message>
        <source>帯に入る画素がないので、切り抜けません。</source>
        <translation>No pixel lies in the band: nothing to crop to.</translation>
    </message>
    <message>
        <source>提案を採用</source>
        <translation>Accept suggestion</translation>
    </message>
    <message>
        <source>「一意なパズルを探す」で選んだマスの変更を答えにします</source>
        <translation>Makes the cell changes selected in Find Unique Puzzle the answer</translation>
    </message>
    <message>
        <source>色数</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>白黒は帯で塗るマスを決めます。2 から 8 は色つきのパズルです</source>
        <translation>Black and white fills the cells by the band; 2 to 8 make a colour puzzle</translation>
    </message>
</context>
<context>
    <name>ColourPalette</name>
    <message>
        <source>塗る色（クリックまたは数字キーで選ぶ）</source>
        <translation>The colour to fill with (click or press its number to choose)</translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>イメージロジック作成・プレイツール</source>
        <translation>Make and play picture logic puzzles</translation>
    </message>
    <message>
        <source>バージョン情報 NGM</source>
        <translation>About NGM</translation>
    </message>
    <message>
        <source>データ格納</source>
        <translation>Store</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>画面クリア</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>色選択</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>選択色</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>フリー</source>
        <translation>Free</translation>
    </message>
    <message>
        <source>ライン</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>ポイント</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>描画種類</source>
        <translation>Drawing</translation>
    </message>
    <message>
        <source>ペンサイズ</source>
        <translation>Pen size</translation>
    </message>
    <message>
        <source>操作パネル</source>
        <translation>Controls</translation>
    </message>
    <message>
        <source>入力方法</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>入力(I)</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>作成(M)</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>画像情報</source>
        <translation>Picture info</translation>
    </message>
    <message>
        <source>解析</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <source>解析(A)</source>
        <translation>Analyze</translation>
    </message>
    <message>
        <source>テストモード</source>
        <translation>Test mode</translation>
    </message>
    <message>
        <source>プレイモード</source>
        <translation>Play mode</translation>
    </message>
    <message>
        <source>プレイ(P)</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>入力画像</source>
        <translation>Input picture</translation>
    </message>
    <message>
        <source>2値化画像</source>
        <translation>Black and white</translation>
    </message>
    <message>
        <source>解析結果</source>
        <translation>Analysis result</translation>
    </message>
    <message>
        <source>プレビュー</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>解析オプション</source>
        <translation>Analysis options</translation>
    </message>
    <message>
        <source>ブロック数</source>
        <translation>Blocks</translation>
    </message>
    <message>
        <source>閾値</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>下限</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>上限</source>
        <translation>High</translation>
    </message>
    <message>
        <source>アンサーチェック</source>
        <translation>Check answer</translation>
    </message>
    <message>
        <source>リトライ</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>ピクロス</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>画像の縦横比に合わせる</source>
        <translation>Fit to picture</translation>
    </message>
    <message>
        <source>色数</source>
        <translation>Colours</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
</context>
<context>
    <name>PuzzleCollection</name>
    <message>
        <source>雲</source>
        <translation>Clouds</translation>
    </message>
    <message>
        <source>島</source>
        <translation>Islands</translation>
    </message>
    <message>
        <source>森</source>
        <translation>Forest</translation>
    </message>
    <message>
        <source>波</source>
        <translation>Waves</translation>
    </message>
    <message>
        <source>岩</source>
        <translation>Rocks</translation>
    </message>
    <message>
        <source>湖</source>
        <translation>Lakes</translation>
    </message>
    <message>
        <source>花</source>
        <translation>Flowers</translation>
    </message>
    <message>
        <source>星</source>
        <translation>Stars</translation>
    </message>
    <message>
        <source>山</source>
        <translation>Mountains</translation>
    </message>
    <message>
        <source>砂</source>
        <translation>Sand</translation>
    </message>
    <message>
        <source>霧</source>
        <translation>Mist</translation>
    </message>
    <message>
        <source>氷</source>
        <translation>Ice</translation>
    </message>
</context>
<context>
    <name>Strings</name>
    <message>
        <source>入力画像を作ります</source>
        <translation>Draws an input picture</translation>
    </message>
    <message>
        <source>最前面表示します</source>
        <translation>Keeps the window above all others</translation>
    </message>
    <message>
        <source>Readmeファイルを開きます</source>
        <translation>Opens the Readme file</translation>
    </message>
    <message>
        <source>パズルを .non、.xml、.png、.pdf のファイルに書き出します
パズルをエクスポート</source>
        <translation>Writes the puzzle to a .non, .xml, .png or .pdf file
Export Puzzle</translation>
    </message>
    <message>
        <source>パズルのファイル (.non、.xml) を開いてプレイできるようにします
パズルを開く</source>
        <translation>Opens a puzzle file (.non, .xml) to play it
Open Puzzle</translation>
    </message>
    <message>
        <source>閾値とブロック数、またはマスを変えて、解が一つのパズルを探します
一意なパズルを探す</source>
        <translation>Changes threshold, blocks or cells to find a unique puzzle
Find Unique Puzzle</translation>
    </message>
    <message>
        <source>レディ</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>プログラム情報、バージョン、著作権を表示します。
バージョン情報</source>
        <translation>Shows program information, version and copyright.
About</translation>
    </message>
    <message>
        <source>新規にファイルを作成
新規ファイル</source>
        <translation>Creates a new document
New</translation>
    </message>
    <message>
        <source>既存のファイルを開く
開く</source>
        <translation>Opens an existing file
Open</translation>
    </message>
    <message>
        <source>アクティブなドキュメントを上書きして保存
上書き保存</source>
        <translation>Saves the active document
Save</translation>
    </message>
    <message>
        <source>パズルと答えを印刷します
印刷</source>
        <translation>Prints the puzzle and its answer
Print</translation>
    </message>
    <message>
        <source>クリップボードの画像を入力画像にします
画像を貼り付け</source>
        <translation>Takes the picture on the clipboard as the input picture
Paste Picture</translation>
    </message>
    <message>
        <source>アプリケーションを終了し、ファイルの保存を指示\終了</source>
        <translation>Quits the application and asks to save documents\Exit</translation>
    </message>
    <message>
        <source>ツール バーの 表示/非表示
ツール バーの表示切り替え</source>
        <translation>Shows or hides the toolbar
Toggle Toolbar</translation>
    </message>
    <message>
        <source>ステータス バーの 表示/非表示
ステータス バーの表示切り替え</source>
        <translation>Shows or hides the status bar
Toggle Status Bar</translation>
    </message>
    <message>
        <source>指定のファイルを開く</source>
        <translation>Opens this file</translation>
    </message>
</context>
<context>
    <name>Suggestion</name>
    <message>
        <source>閾値 %1〜%2・ブロック数 %3</source>
        <translation>Threshold %1–%2, %3 blocks</translation>
    </message>
    <message>
        <source>・変わるマス %1</source>
        <translation>, %1 cells change</translation>
    </message>
    <message>
        <source>・絵の %1% が変わります</source>
        <translation>, %1% of the picture changes</translation>
    </message>
    <message>
        <source>
塗りの割合 %1% (今は %2%)</source>
        <translation>
Filled %1% (now %2%)</translation>
    </message>
    <message numerus="yes">
        <source>%n マスを変える</source>
        <translation>
            <numerusform>Change %n cell</numerusform>
            <numerusform>Change %n cells</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 色・ブロック数 %2</source>
        <translation>%1 colours, %2 blocks</translation>
    </message>
</context>
<context>
    <name>WorkbenchPalette</name>
    <message>
        <source>色を変更...</source>
        <translation>Change colour...</translation>
    </message>
    <message>
        <source>スポイト</source>
        <translation>Pick from picture</translation>
    </message>
    <message>
        <source>パレット</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>選んだ色を左ボタンで塗り、右ボタンで背景にします。「固定」した色は解析し直しても残ります</source>
        <translation>The left button paints the chosen colour, the right button the background. A locked colour stays when the picture is analysed again</translation>
    </message>
    <message>
        <source>画像をクリックして、選んだ色をその画素の色にします(Ctrl+クリックでも)</source>
        <translation>Click the picture to give the chosen colour that pixel&apos;s colour (Ctrl+click works too)</translation>
    </message>
    <message>
        <source>背景</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>色 %1</source>
        <translation>Colour %1</translation>
    </message>
    <message>
        <source>固定</source>
        <translation>Lock</translation>
    </message>
    <message>
        <source>背景の色</source>
        <translation>Background colour</translation>
    </message>
</context>
<context>
    <name>WorkbenchPuzzlePane</name>
    <message>
        <source>マスが小さすぎて手がかりを描けません。ダブルクリックか最大化で拡大してください。</source>
        <translation>The cells are too small to draw the clues. Double-click or maximise to enlarge.</translation>
    </message>
</context>
</TS>
