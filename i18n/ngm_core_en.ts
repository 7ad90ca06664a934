<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>BlockChoice</name>
    <message>
        <source>ブロック数 %1×%2 では、ブロックが画像の画素より小さくなります(画像は %3×%4 画素)。
ブロック数を減らしてください。</source>
        <translation>With %1×%2 blocks, a block would be smaller than a pixel of the picture (the picture is %3×%4 pixels).
Please choose fewer blocks.</translation>
    </message>
</context>
<context>
    <name>FileWriting</name>
    <message>
        <source>通常のファイルではありません</source>
        <translation>not a regular file</translation>
    </message>
</context>
<context>
    <name>FillWarning</name>
    <message>
        <source>塗るマスがありません</source>
        <translation>no cell is filled</translation>
    </message>
    <message>
        <source>すべてのマスが塗られています</source>
        <translation>every cell is filled</translation>
    </message>
    <message>
        <source>塗るマスが 5 % 未満です</source>
        <translation>under 5 % of the cells are filled</translation>
    </message>
    <message>
        <source>塗るマスが 90 % を超えています</source>
        <translation>over 90 % of the cells are filled</translation>
    </message>
    <message>
        <source>注意: %1。「自動」を試すか、範囲を動かしてください</source>
        <translation>Warning: %1. Try Auto or move the band</translation>
    </message>
    <message>
        <source>これでは絵になりません。判定は「%1」ですが、明るさの範囲かブロック数を変えてください。</source>
        <translation>This makes no picture. The verdict is &quot;%1&quot;, but change the brightness band or the block count.</translation>
    </message>
</context>
<context>
    <name>NgmCli</name>
    <message>
        <source>パズルを解き、答えが一つか、線の論理だけで解けるかを調べる</source>
        <translation>solve puzzles: is the answer unique, can line logic alone solve them</translation>
    </message>
    <message>
        <source>画像をウィンドウと同じ規則でパズルのファイルにする(まとめて、全コアで)</source>
        <translation>turn pictures into puzzles by the window&apos;s rules (in batches, all cores)</translation>
    </message>
    <message>
        <source>パズルのファイルを .non、.xml、.png、.pdf のあいだで変換する</source>
        <translation>convert puzzle files between .non, .xml, .png and .pdf</translation>
    </message>
    <message>
        <source>使い方: ngm-cli コマンド [引数...]

コマンド:
</source>
        <translation>Usage: ngm-cli COMMAND [ARGUMENTS...]

Commands:
</translation>
    </message>
    <message>
        <source>
各コマンドの説明は ngm-cli コマンド --help で表示します。
</source>
        <translation>
ngm-cli COMMAND --help describes each command.
</translation>
    </message>
    <message>
        <source>ngm-cli: 知らないコマンドです: </source>
        <translation>ngm-cli: unknown command: </translation>
    </message>
    <message>
        <source>使い方: ngm-cli convert 入力 出力

パズルのファイルを別の形式にします。形式は名前の拡張子で決まります:
  入力  .non、.xml(ほかの名前は中身で見分けます)
  出力  .non、.xml、.png(答えの 名前-solution.png も)、.pdf(問題と答えの 2 ページ)
答えのないファイルは、答えが一つに決まるときだけ .png と .pdf に答えを描きます。

終了コード: 0 書けた、2 読めない・書けない、1 引数の誤り。
</source>
        <translation>Usage: ngm-cli convert INPUT OUTPUT

Writes a puzzle file in another format; the extension of each name gives the
format:
  input   .non, .xml (other names are told apart by their content)
  output  .non, .xml, .png (with the answer in NAME-solution.png),
          .pdf (2 pages: the puzzle and its answer)
For a file without an answer, .png and .pdf show the answer only when it is
unique.

Exit status: 0 written, 2 cannot read or write, 1 wrong arguments.
</translation>
    </message>
    <message>
        <source>ngm-cli convert: 入力と出力のファイル名を一つずつ与えてください
</source>
        <translation>ngm-cli convert: give one input and one output file name
</translation>
    </message>
    <message>
        <source>ngm-cli convert --help で使い方を表示します。
</source>
        <translation>ngm-cli convert --help shows the usage.
</translation>
    </message>
    <message>
        <source>ngm-cli convert: 出力の拡張子は .non、.xml、.png、.pdf のどれかです: </source>
        <translation>ngm-cli convert: the output extension must be .non, .xml, .png or .pdf: </translation>
    </message>
    <message>
        <source>: ファイルに書き込めませんでした。</source>
        <translation>: could not write the file. </translation>
    </message>
    <message>
        <source>ngm-cli make: 知らないオプションです: </source>
        <translation>ngm-cli make: unknown option: </translation>
    </message>
    <message>
        <source>ngm-cli make --help で使い方を表示します。
</source>
        <translation>ngm-cli make --help shows the usage.
</translation>
    </message>
    <message>
        <source> に値がありません
</source>
        <translation> needs a value
</translation>
    </message>
    <message>
        <source> の値が正しくありません: </source>
        <translation> has a wrong value: </translation>
    </message>
    <message>
        <source>ngm-cli make: 画像がありません
</source>
        <translation>ngm-cli make: no pictures given
</translation>
    </message>
    <message>
        <source>: 同じ名前のファイルを前の画像が書きます: </source>
        <translation>: an earlier picture writes a file of the same name: </translation>
    </message>
    <message>
        <source>ngm-cli solve: --timeout に秒数がありません
</source>
        <translation>ngm-cli solve: --timeout needs a number of seconds
</translation>
    </message>
    <message>
        <source>ngm-cli solve: --timeout の秒数が正しくありません: </source>
        <translation>ngm-cli solve: wrong number of seconds for --timeout: </translation>
    </message>
    <message>
        <source>ngm-cli solve: 知らないオプションです: </source>
        <translation>ngm-cli solve: unknown option: </translation>
    </message>
    <message>
        <source>ngm-cli solve --help で使い方を表示します。
</source>
        <translation>ngm-cli solve --help shows the usage.
</translation>
    </message>
    <message>
        <source>ngm-cli solve: ファイルがありません
</source>
        <translation>ngm-cli solve: no files given
</translation>
    </message>
    <message>
        <source>ngm-cli make: --out のフォルダを作れません: </source>
        <translation>ngm-cli make: cannot make the --out folder: </translation>
    </message>
    <message>
        <source>: 書くファイルが入力のファイルと同じなので書きません: </source>
        <translation>: not written, since the file to write is an input file: </translation>
    </message>
    <message>
        <source>使い方: ngm-cli solve [--timeout 秒] ファイル...

パズルのファイル(.non、.xml)を一つずつ解き、一つのファイルにつき一行をタブ区切りで
書きます:
  ファイル名(与えたとおり)  判定  難易度  決まらないマス数  解いた時間(マイクロ秒)
判定は次のどれかです:
  line      答えは一つで、行と列の論理だけで解ける
  unique    答えは一つだが、行と列の論理だけでは解けない
  multiple  答えが二つ以上ある
  none      ヒントが矛盾していて答えがない
  timeout   制限時間内に判定できなかった
難易度は line と unique で 1 から 5、それ以外は 0 です。決まらないマス数は、行と列の
論理とマスを両方に試す推論でも決まらないマス(プレイヤーが推測するしかないマス)の数
です。時間にファイルの読み込みは含みません。

  --timeout 秒  一つのパズルにかける時間の上限、0 より大きく 86400 までの十進数
                (2.5 のような小数も。既定は 2 秒)
  --help        この説明を表示する

読めないファイルや、ヒントが大きさに収まらないファイルは、標準エラーに
「ファイル:行: 理由」を書いて飛ばし、残りのファイルを続けます。
終了コード: 0 すべてのファイルを読めた、2 読めないファイルがあった、1 引数の誤り。
</source>
        <translation>Usage: ngm-cli solve [--timeout SECONDS] FILE...

Solves each puzzle file (.non, .xml) and writes one tab-separated line for
each file:
  FILE (as given)  VERDICT  DIFFICULTY  UNDECIDED CELLS  TIME (microseconds)
The verdict is one of:
  line      the answer is unique and row and column logic alone solves it
  unique    the answer is unique, but row and column logic alone cannot solve it
  multiple  there are two or more answers
  none      the clues contradict each other and there is no answer
  timeout   no verdict within the time limit
The difficulty is 1 to 5 for line and unique, 0 otherwise.  The undecided cells
are those that row and column logic together with trying each cell both ways
cannot decide (the cells a player can only guess).  The time does not include
reading the file.

  --timeout SECONDS  time limit for each puzzle, a decimal number above 0 and at
                     most 86400 (fractions such as 2.5 too; default 2 seconds)
  --help             show this help

A file that cannot be read, or whose clues do not fit its size, is skipped
with &quot;FILE:LINE: reason&quot; on standard error, and the other files go on.
Exit status: 0 all files read, 2 some files could not be read, 1 wrong
arguments.
</translation>
    </message>
    <message>
        <source>答えが一つに決まる新しいパズルを、大きさと難易度を決めて作る</source>
        <translation>make new puzzles with a unique answer at a size and difficulty</translation>
    </message>
    <message>
        <source>使い方: ngm-cli generate --size 幅x高さ --difficulty 難易度 --count 数 --out フォルダ
                         [--format non|xml|pdf] [--seed 数]

答えが一つに決まる新しいパズルを作り、一つずつファイルに書きます。すべて違うパズルです。
  --size 幅x高さ     1 から 99 まで(既定 20x20)
  --difficulty 難易度 1 から 5 まで(既定 3)
  --count 数         1 から 10000 まで(既定 1)
  --out フォルダ     書く場所(なければ作ります。既定は今のフォルダ)
  --format 形式      non、xml、pdf(既定 non)
  --seed 数          同じ数なら同じパズルを作ります
ファイル名は generated-幅x高さ-d難易度-番号.拡張子 で、あるファイルは上書きせず
次の番号にします。
終了コード: 0 すべて書けた、2 作れない・書けないものがあった、1 引数の誤り。
</source>
        <translation>Usage: ngm-cli generate --size WxH --difficulty D --count N --out FOLDER
                         [--format non|xml|pdf] [--seed S]

Makes new puzzles whose answer is unique and writes each to a file of its own.
All of them are different.
  --size WxH        1 to 99 (default 20x20)
  --difficulty D    1 to 5 (default 3)
  --count N         1 to 10000 (default 1)
  --out FOLDER      where to write (created if missing; default: the current
                    folder)
  --format FORMAT   non, xml or pdf (default non)
  --seed S          the same number makes the same puzzles
Files are named generated-WxH-dD-NUMBER.EXT; an existing file is never
written over: the next number is taken.
Exit status: 0 all written, 2 some could not be made or written, 1 wrong
arguments.
</translation>
    </message>
    <message>
        <source>値がありません: </source>
        <translation>missing value: </translation>
    </message>
    <message>
        <source>知らないオプションです: </source>
        <translation>unknown option: </translation>
    </message>
    <message>
        <source>値が正しくありません: </source>
        <translation>wrong value: </translation>
    </message>
    <message>
        <source>ngm-cli generate --help で使い方を表示します。
</source>
        <translation>ngm-cli generate --help shows the usage.
</translation>
    </message>
    <message>
        <source>: フォルダを作れません。</source>
        <translation>: cannot make the folder.</translation>
    </message>
    <message>
        <source>ngm-cli generate: 時間内にパズルを作れませんでした</source>
        <translation>ngm-cli generate: no puzzle could be made in time</translation>
    </message>
    <message>
        <source>新しいパズル %1</source>
        <translation>New puzzle %1</translation>
    </message>
    <message>
        <source>切り抜く部分が画像の外にあります(画像は %1×%2 画素)。</source>
        <translation>The crop lies outside the picture (the picture is %1×%2 pixels).</translation>
    </message>
    <message>
        <source>一意なパズルはブロック数 %1 で作りました(%2 ではありません)。</source>
        <translation>the unique puzzle was made with %1 blocks (not %2).</translation>
    </message>
    <message>
        <source>--palette の色は 8 色までです: </source>
        <translation>--palette takes at most 8 colours: </translation>
    </message>
    <message>
        <source>--palette の色は RRGGBB(16 進 6 桁)で書きます: </source>
        <translation>--palette colours are written RRGGBB (6 hex digits): </translation>
    </message>
    <message>
        <source>一意なパズルは %1 色・ブロック数 %2 で作りました(%3 色・ブロック数 %4 ではありません)。</source>
        <translation>Made the unique puzzle with %1 colours and %2 blocks (not %3 colours and %4 blocks).</translation>
    </message>
    <message>
        <source>使い方: ngm-cli make [--blocks N|横x縦] [--fit] [--band 下限,上限|auto|auto-invert]
                     [--crop X,Y,幅,高さ] [--trim] [--recursive]
                     [--format non|xml|png|pdf] [--out フォルダ] [--unique]
                     [--colours K] [--palette RRGGBB,...]
                     画像またはフォルダ...

画像(P6 の PPM、24 ビットのビットマップなど、ウィンドウで開けるもの)を一つずつ、
ウィンドウの解析と同じ規則で白黒にしてブロックに分け、パズルのファイルにします。
フォルダを与えると、その中の画像を名前順に使います(画像でないファイルは黙って
飛ばします)。
ファイル名は画像の名前の拡張子を形式のものに替えたものです(png では答えの
名前-solution.png も書きます)。一つの画像につき一行をタブ区切りで書きます:
  画像(与えたとおり)  書いたファイル  判定  難易度  決まらないマス数
(--unique では  結果  ブロック数  下限,上限  が続きます)
判定と難易度の意味は ngm-cli solve --help にあります。塗るマスがない(empty)、
全部塗られている(full)、5 % 未満(sparse)、90 % を超える(dense)パズルは絵に
なりません。行の終わりにその語が付きます。

  --blocks N        一辺のブロック数 1 から 99(既定は 20)、または 横x縦(30x17 など)
  --fit             白い余白を付けた正方形でなく画像そのものの幅と高さを分けます。
                    N では長い辺が N ブロック、短い辺はブロックが正方形に近くなる数
                    (16:9 の画像に 30 で 30x17)。ブロックが画素より小さくなる画像は
                    飛ばします
  --band 下限,上限  黒にする明るさの範囲 0 から 255、下限 &lt;= 明るさ &lt; 上限
                    (既定は 0,250)
  --band auto       画像ごとに、画素を暗い組と明るい組に最もよく分ける明るさ t
                    (大津の方法)を求め、暗い組 0,t を黒にします。auto-invert では
                    明るい組 t,256 を黒にします。明るさが一つだけの画像では t は 128
  --crop X,Y,幅,高さ 画像のこの部分だけを解析します(画像の画素で数え、左上が 0,0。
                    はみ出す部分は切り捨てます)
  --trim            範囲に入る画素を囲む最小の長方形に切り抜き、絵がパズル全体に
                    広がるようにします(--crop があればその中で)
  --recursive       フォルダの中のフォルダの画像も使います
  --format 形式     non、xml、png、pdf のどれか(既定は non)
  --out フォルダ    書く場所(既定は画像と同じフォルダ、なければ作ります)
  --unique          解が一つのパズルを探して書きます。与えた(なければ既定の)下限・
                    上限とブロック数から始めて、ウィンドウの「一意なパズルを探す」と
                    同じく閾値とブロック数を探し、いちばん良いものにします。行の終わりに
                    結果(kept 与えたままで一意、found 見つけた、none 見つからない)、
                    書いたパズルのブロック数、下限,上限 が続きます。none のときは
                    与えた設定のパズルを書き、判定はそのパズルのものです。絵にならない
                    パズルは kept にも found にもしません。ブロック数が与えたものと
                    違うときは標準エラーにそう書きます
  --colours K       背景と K 色(2 から 8)のカラーパズルを作ります。
                    色は画像から選び、--band は使いません。--trim は背景の色で
                    ない画素を囲む長方形に切り抜きます。--unique では閾値でなく
                    色数 2 から 8 とブロック数を探します(下限,上限 は与えたまま)。
                    色数かブロック数が違うときは標準エラーにそう書きます
                    (--colors とも書けます)
  --palette 色,...  パレットに残す色を RRGGBB(16 進 6 桁)で 8 色まで。この順で
                    先頭に入ります。--colours がなければ色数はこの色の数(2 以上)
  --help            この説明を表示する

画像は全部のコアで並べて処理します。端末では進み具合を標準エラーに表示します。
読めない画像や書けないファイルは、標準エラーに「画像: 理由」を書いて飛ばします。
終了コード: 0 すべて作れた、2 作れなかった画像があった、1 引数の誤り。
</source>
        <translation>Usage: ngm-cli make [--blocks N|WxH] [--fit] [--band LOW,HIGH|auto|auto-invert]
                     [--crop X,Y,WIDTH,HEIGHT] [--trim] [--recursive]
                     [--format non|xml|png|pdf] [--out FOLDER] [--unique]
                     [--colours K] [--palette RRGGBB,...]
                     PICTURE-OR-FOLDER...

Turns each picture (a P6 PPM, a 24-bit bitmap, anything the window opens) into
black and white and blocks by the rules of the window&apos;s analysis, and writes
it as a puzzle file named after the picture with the format&apos;s extension (png
also writes the answer to NAME-solution.png).  A folder means the pictures in
it, by name (files in it that are not pictures are skipped without a word).
Writes one tab-separated line for each picture:
  PICTURE (as given)  FILE WRITTEN  VERDICT  DIFFICULTY  UNDECIDED CELLS
(with --unique followed by  OUTCOME  BLOCKS  LOW,HIGH)
ngm-cli solve --help explains the verdict and the difficulty.  A puzzle with no
filled cell (empty), every cell filled (full), under 5 % filled (sparse) or over
90 % filled (dense) makes no picture: its line ends with that word.

  --blocks N        blocks along a side, 1 to 99 (default 20), or WxH (30x17)
  --fit             cut the picture&apos;s own width and height instead of the
                    white-padded square: with N the longer side gets N blocks,
                    the shorter the count that keeps blocks nearest to square
                    (30x17 for a 16:9 picture at 30).  Pictures whose blocks
                    would be smaller than a pixel are skipped
  --band LOW,HIGH   the brightness made black, 0 to 255,
                    LOW &lt;= brightness &lt; HIGH (default 0,250)
  --band auto       for each picture, the brightness t that best parts its
                    pixels into a dark and a light group (Otsu&apos;s method); the
                    dark group 0,t is made black.  auto-invert makes the light
                    group t,256 black.  A picture of one brightness gets t = 128
  --crop X,Y,WIDTH,HEIGHT  analyse only this part of the picture (in the
                    picture&apos;s pixels, 0,0 at the top left; what lies outside
                    the picture is cut off)
  --trim            crop to the smallest rectangle round the pixels in the
                    band, so that the subject fills the puzzle (within --crop
                    when given)
  --recursive       take the pictures in the folders inside folders too
  --format FORMAT   non, xml, png or pdf (default non)
  --out FOLDER      where to write (default: the picture&apos;s folder; created if
                    missing)
  --unique          search for a puzzle with a unique answer and write that:
                    starting from the given (or default) LOW,HIGH and blocks,
                    searches thresholds and blocks as the window&apos;s &quot;Find a
                    unique puzzle&quot; does and takes the best.  The line ends with
                    the outcome (kept: unique as given, found: found one,
                    none: none found), the written puzzle&apos;s blocks and LOW,HIGH.
                    With none, the puzzle of the given settings is written and
                    the verdict is that puzzle&apos;s.  A puzzle that makes no
                    picture is never kept or found.  When the block count
                    differs from the one given, standard error says so
  --colours K       make a colour puzzle of a background and K colours (2 to 8)
                    instead of black and white; the colours are chosen from the
                    picture block by block and --band is not used.  --trim
                    crops to the pixels that are not the background colour.
                    --unique searches colour counts 2 to 8 and blocks instead
                    of thresholds (LOW,HIGH stay as given); when the colour
                    count or blocks differ, standard error says so (also spelt
                    --colors)
  --palette RGB,... colours to keep in the palette, as RRGGBB (6 hex digits),
                    up to 8; they come first, in this order.  Without --colours
                    the colour count is their number (at least 2)
  --help            show this help

Pictures are processed in parallel on all cores; on a terminal the progress
shows on standard error.  A picture that cannot be read or a file that cannot
be written is skipped with &quot;PICTURE: reason&quot; on standard error.
Exit status: 0 all made, 2 some pictures not made, 1 wrong arguments.
</translation>
    </message>
</context>
<context>
    <name>PictureRefusal</name>
    <message>
        <source>この形式はサポートされていません。</source>
        <translation>This format is not supported.</translation>
    </message>
    <message>
        <source>入力画像サイズが大きすぎます。</source>
        <translation>The input picture is too large.</translation>
    </message>
    <message>
        <source>入力サイズが小さすぎます。</source>
        <translation>The input is too small.</translation>
    </message>
    <message>
        <source>メモリが不足しているため画像を読み込めません。</source>
        <translation>Not enough memory to read the picture.</translation>
    </message>
    <message>
        <source>画像のデータが壊れているか途中で切れています。</source>
        <translation>The picture data is damaged or incomplete.</translation>
    </message>
    <message>
        <source>画像ファイルではありません。</source>
        <translation>This is not a picture file.</translation>
    </message>
    <message>
        <source>ファイルがオープンできません。</source>
        <translation>The file cannot be opened.</translation>
    </message>
</context>
<context>
    <name>PuzzleFile</name>
    <message>
        <source>行が長すぎます</source>
        <translation>line too long</translation>
    </message>
    <message>
        <source>幅が二度あります</source>
        <translation>width given twice</translation>
    </message>
    <message>
        <source>高さが二度あります</source>
        <translation>height given twice</translation>
    </message>
    <message>
        <source>数字が正しくありません</source>
        <translation>wrong number</translation>
    </message>
    <message>
        <source>幅は1から99までです</source>
        <translation>the width must be 1 to 99</translation>
    </message>
    <message>
        <source>高さは1から99までです</source>
        <translation>the height must be 1 to 99</translation>
    </message>
    <message>
        <source>行のヒントが二度あります</source>
        <translation>row clues given twice</translation>
    </message>
    <message>
        <source>列のヒントが二度あります</source>
        <translation>column clues given twice</translation>
    </message>
    <message>
        <source>行の前に高さがありません</source>
        <translation>no height before the rows</translation>
    </message>
    <message>
        <source>列の前に幅がありません</source>
        <translation>no width before the columns</translation>
    </message>
    <message>
        <source>答えが二度あります</source>
        <translation>answer given twice</translation>
    </message>
    <message>
        <source>引用符が閉じていません</source>
        <translation>unclosed quotation mark</translation>
    </message>
    <message>
        <source>行のヒントが足りません</source>
        <translation>too few row clues</translation>
    </message>
    <message>
        <source>列のヒントが足りません</source>
        <translation>too few column clues</translation>
    </message>
    <message>
        <source>ヒントが行に収まりません</source>
        <translation>clue does not fit its row</translation>
    </message>
    <message>
        <source>ヒントが列に収まりません</source>
        <translation>clue does not fit its column</translation>
    </message>
    <message>
        <source>ヒントの数字がありません</source>
        <translation>clue without numbers</translation>
    </message>
    <message>
        <source>ヒントの数字が多すぎます</source>
        <translation>too many numbers in a clue</translation>
    </message>
    <message>
        <source>幅がありません</source>
        <translation>no width</translation>
    </message>
    <message>
        <source>高さがありません</source>
        <translation>no height</translation>
    </message>
    <message>
        <source>行のヒントがありません</source>
        <translation>no row clues</translation>
    </message>
    <message>
        <source>列のヒントがありません</source>
        <translation>no column clues</translation>
    </message>
    <message>
        <source>行と列のヒントの合計が合いません</source>
        <translation>the row and column clues do not add up to the same total</translation>
    </message>
    <message>
        <source>答えの長さが合いません</source>
        <translation>the answer has the wrong length</translation>
    </message>
    <message>
        <source>答えがヒントと合いません</source>
        <translation>the answer does not match the clues</translation>
    </message>
    <message>
        <source>ファイルではありません</source>
        <translation>not a file</translation>
    </message>
    <message>
        <source>ファイルを開けません</source>
        <translation>cannot open the file</translation>
    </message>
    <message>
        <source>ファイルを読めません</source>
        <translation>cannot read the file</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>file too large</translation>
    </message>
    <message>
        <source>ファイルが途中で切れています</source>
        <translation>the file ends too early</translation>
    </message>
    <message>
        <source>XML の書式が正しくありません</source>
        <translation>malformed XML</translation>
    </message>
    <message>
        <source>要素の入れ子が深すぎます</source>
        <translation>elements nested too deeply</translation>
    </message>
    <message>
        <source>パズルがありません</source>
        <translation>no puzzle</translation>
    </message>
    <message>
        <source>パズルのファイルではありません</source>
        <translation>not a puzzle file</translation>
    </message>
    <message>
        <source>格子のパズルではありません</source>
        <translation>not a grid puzzle</translation>
    </message>
    <message>
        <source>ヒントの種類が rows でも columns でもありません</source>
        <translation>clue type is neither rows nor columns</translation>
    </message>
    <message>
        <source>白黒のパズルではありません</source>
        <translation>not a black-and-white puzzle</translation>
    </message>
    <message>
        <source>答えの大きさが合いません</source>
        <translation>the answer has the wrong size</translation>
    </message>
    <message>
        <source>答えに白でも黒でもないマスがあります</source>
        <translation>the answer has a cell that is neither white nor black</translation>
    </message>
    <message>
        <source>答えが空です</source>
        <translation>empty answer</translation>
    </message>
    <message>
        <source>ヒントの前に rows か columns がありません</source>
        <translation>clue numbers before any rows or columns</translation>
    </message>
    <message>
        <source>行のヒントが高さより多くあります</source>
        <translation>more row clues than the height</translation>
    </message>
    <message>
        <source>列のヒントが幅より多くあります</source>
        <translation>more column clues than the width</translation>
    </message>
    <message>
        <source>UTF-8 でない文字があります</source>
        <translation>bytes that are not UTF-8</translation>
    </message>
    <message>
        <source>要素の属性が多すぎます</source>
        <translation>too many attributes on an element</translation>
    </message>
    <message>
        <source>色の定義が正しくありません</source>
        <translation>the colour definition is not valid</translation>
    </message>
    <message>
        <source>定義されていない色です</source>
        <translation>a colour that is not defined</translation>
    </message>
    <message>
        <source>色が多すぎます</source>
        <translation>too many colours</translation>
    </message>
</context>
<context>
    <name>PuzzleSession</name>
    <message>
        <source>変更マス : %1<byte value="xd"/>
</source>
        <translation>Changed : %1<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>PuzzleSheet</name>
    <message>
        <source>&#x3000;</source>
        <translation> </translation>
    </message>
    <message>
        <source>（解答）</source>
        <translation> (Answer)</translation>
    </message>
</context>
<context>
    <name>Verdict</name>
    <message>
        <source>一意解・論理で解けます (難易度 %1)</source>
        <translation>Unique, solvable by logic (difficulty %1)</translation>
    </message>
    <message>
        <source>答えは一つだけで、行と列のヒントから理詰めで一マスずつ決めていけば解けます。</source>
        <translation>There is only one answer, and reasoning from the row and column clues decides it cell by cell.</translation>
    </message>
    <message>
        <source>一意解・推理が必要です (難易度 %1)</source>
        <translation>Unique, needs lookahead (difficulty %1)</translation>
    </message>
    <message>
        <source>答えは一つだけですが、一本の行や列を見るだけでは行き詰まり、仮に塗って矛盾を確かめる推理が必要です。</source>
        <translation>There is only one answer, but single rows and columns get stuck: cells must be filled on trial and checked for contradictions.</translation>
    </message>
    <message>
        <source>複数解: %1 マスが決まりません</source>
        <translation>Several solutions: %1 cells undecided</translation>
    </message>
    <message>
        <source>答えが複数あります。黄色の印のマスはヒントからは決まらず、プレイヤーは当て推量をするしかありません。</source>
        <translation>There are several answers. The cells marked yellow are not decided by the clues; the player can only guess.</translation>
    </message>
    <message>
        <source>解がありません</source>
        <translation>No solution</translation>
    </message>
    <message>
        <source>ヒントどうしが矛盾していて、すべてを満たす塗り方がありません。</source>
        <translation>The clues contradict each other; no filling satisfies them all.</translation>
    </message>
    <message>
        <source>判定できません (時間切れ)</source>
        <translation>Cannot tell (out of time)</translation>
    </message>
    <message>
        <source>制限時間内に答えが一つかどうかを確かめられませんでした。</source>
        <translation>Whether the answer is unique could not be checked within the time limit.</translation>
    </message>
</context>
</TS>
