<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>kavalo::AtomicFile</name>
    <message>
        <source>ファイルを書き込めません: %1 (%2)</source>
        <translation>Cannot write the file: %1 (%2)</translation>
    </message>
    <message>
        <source>ファイルを削除できません: %1</source>
        <translation>Cannot delete the file: %1</translation>
    </message>
</context>
<context>
    <name>kavalo::DatasetConfig</name>
    <message>
        <source>「%1」の時期の数（%2）が地形図の数に対して多すぎます。
%3</source>
        <translation>&quot;%1&quot; lists more eras (%2) than there are topographic maps.
%3</translation>
    </message>
    <message>
        <source>「%1」が見つかりません。
%2</source>
        <translation>&quot;%1&quot; was not found.
%2</translation>
    </message>
</context>
<context>
    <name>kavalo::DatasetLoader</name>
    <message>
        <source>「%1」に時期が1つもありません。
%2</source>
        <translation>&quot;%1&quot; lists no eras.
%2</translation>
    </message>
    <message>
        <source>
元のファイルは %1 に残してあります。</source>
        <translation>
The original file has been kept as %1.</translation>
    </message>
    <message>
        <source>データセットの一覧「dataset.txt」のフォルダ名「%1」が正しくありません（「..」、区切り文字、ドライブ名は使えません）。
%2</source>
        <translation>The folder name &quot;%1&quot; in the dataset list &quot;dataset.txt&quot; is not valid (&quot;..&quot;, path separators and drive names are not allowed).
%2</translation>
    </message>
    <message>
        <source>メモリが足りないため、データセットを読み込めません。
%1</source>
        <translation>Not enough memory to load the dataset.
%1</translation>
    </message>
</context>
<context>
    <name>kavalo::EraEditing</name>
    <message>
        <source>「%1」は追加した時期ではないため、名前の変更や削除はできません。</source>
        <translation>&quot;%1&quot; is not an era you added, so it cannot be renamed or deleted.</translation>
    </message>
    <message>
        <source>「%1」の名前を「%2」に変更しました。</source>
        <translation>Renamed &quot;%1&quot; to &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>「%1」を削除します。画像はごみ箱に移動します。よろしいですか？</source>
        <translation>Delete &quot;%1&quot;? Its images will be moved to the trash.</translation>
    </message>
    <message>
        <source>「%1」を削除しました。</source>
        <translation>Deleted &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>kavalo::GeoDataLoader</name>
    <message>
        <source>地理データ部品（%1）を読み込めません。</source>
        <translation>Cannot load the geodata module (%1).</translation>
    </message>
</context>
<context>
    <name>kavalo::ImageCheck</name>
    <message>
        <source>PNG画像ではありません</source>
        <translation>Not a PNG image</translation>
    </message>
    <message>
        <source>PNGがヘッダーの途中で切れています</source>
        <translation>The PNG is cut off inside its header</translation>
    </message>
    <message>
        <source>PNGのヘッダーが壊れています</source>
        <translation>The PNG header is damaged</translation>
    </message>
    <message>
        <source>PNGを確かめるメモリがありません</source>
        <translation>Not enough memory to check the PNG</translation>
    </message>
    <message>
        <source>PNGが終わりのチャンクの前で切れています</source>
        <translation>The PNG is cut off before its end chunk</translation>
    </message>
    <message>
        <source>PNGのチャンクが壊れています（%1）</source>
        <translation>A PNG chunk is damaged (%1)</translation>
    </message>
    <message>
        <source>PNGの画像データが分かれています</source>
        <translation>The PNG image data is not in one piece</translation>
    </message>
    <message>
        <source>PNGの画像データが壊れています</source>
        <translation>The PNG image data is damaged</translation>
    </message>
    <message>
        <source>PNGに知らないチャンクがあります</source>
        <translation>The PNG has an unknown critical chunk</translation>
    </message>
    <message>
        <source>PNGの画像データが足りません</source>
        <translation>The PNG image data is incomplete</translation>
    </message>
    <message>
        <source>PNGにパレットがありません</source>
        <translation>The PNG has no palette</translation>
    </message>
    <message>
        <source>JPEG画像ではありません</source>
        <translation>Not a JPEG image</translation>
    </message>
    <message>
        <source>JPEGが%1×%2画素あります</source>
        <translation>The JPEG is too large (%1×%2 pixels)</translation>
    </message>
    <message>
        <source>JPEGを読めません（%1）</source>
        <translation>Cannot read the JPEG (%1)</translation>
    </message>
    <message>
        <source>JPEGが壊れています（%1）</source>
        <translation>The JPEG is damaged (%1)</translation>
    </message>
    <message>
        <source>画像がヘッダーの途中で切れています</source>
        <translation>The image is cut off inside its header</translation>
    </message>
    <message>
        <source>PNGでもJPEGでもありません</source>
        <translation>Neither a PNG nor a JPEG image</translation>
    </message>
    <message>
        <source>%2を求めたところ%1画像でした</source>
        <translation>Expected %2 but got a %1 image</translation>
    </message>
    <message>
        <source>画像が%1×%2画素あり、%3×%4を超えています</source>
        <translation>The image is %1×%2 pixels, larger than %3×%4</translation>
    </message>
</context>
<context>
    <name>kavalo::ImageLibrary</name>
    <message>
        <source>画像を変換できません: %1</source>
        <translation>Cannot convert the image: %1</translation>
    </message>
</context>
<context>
    <name>kavalo::Paths</name>
    <message>
        <source>ファイルが見つかりません: %1</source>
        <translation>File not found: %1</translation>
    </message>
    <message>
        <source>ファイルを開けません: %1 (%2)</source>
        <translation>Cannot open the file: %1 (%2)</translation>
    </message>
    <message>
        <source>ファイルが大きすぎて読み込めません: %1</source>
        <translation>The file is too large to read: %1</translation>
    </message>
    <message>
        <source>ファイルを読み込めません: %1</source>
        <translation>Cannot read the file: %1</translation>
    </message>
</context>
<context>
    <name>kavalo::RootFolder</name>
    <message>
        <source>サンプルのデータセットを %1 にコピーしました。</source>
        <translation>The sample dataset has been copied to %1.</translation>
    </message>
</context>
<context>
    <name>kavalo::ShellOpen</name>
    <message>
        <source>パスが見つかりません。</source>
        <translation>Path not found.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>File not found.</translation>
    </message>
    <message>
        <source>ファイルを開けません。</source>
        <translation>Cannot open the file.</translation>
    </message>
</context>
<context>
    <name>kavalo::Startup</name>
    <message>
        <source>%1
データフォルダ: %2
Kavaloを終了します。</source>
        <translation>%1
Data folder: %2
Kavalo will now quit.</translation>
    </message>
    <message>
        <source>
初期設定の標高色を使います。</source>
        <translation>
The default elevation colours will be used.</translation>
    </message>
    <message>
        <source>
元のファイルは %1 に残してあります。</source>
        <translation>
The original file has been kept as %1.</translation>
    </message>
</context>
<context>
    <name>kavalo::Trash</name>
    <message>
        <source>「%1」をごみ箱に移動できません。</source>
        <translation>Cannot move &quot;%1&quot; to the trash.</translation>
    </message>
</context>
<context>
    <name>kavalo::UiElidedCombo</name>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>kavalo::UiOverview</name>
    <message>
        <source>全体図</source>
        <translation>Overview map</translation>
    </message>
    <message>
        <source>クリック・ドラッグで表示位置を移動します</source>
        <translation>Click or drag to move the view</translation>
    </message>
</context>
<context>
    <name>kavalo::ValueReader</name>
    <message>
        <source>%1行目が長すぎます（%2バイトまで）: %3</source>
        <translation>Line %1 is too long (at most %2 bytes): %3</translation>
    </message>
    <message>
        <source>文字コードがShift-JISではありません: %1</source>
        <translation>The text is not in Shift-JIS encoding: %1</translation>
    </message>
</context>
<context>
    <name>kavalo::ValueWriter</name>
    <message>
        <source>Shift-JISで表せない文字があります: %1</source>
        <translation>Some characters cannot be written in Shift-JIS: %1</translation>
    </message>
</context>
<context>
    <name>kavalo::frmEraName</name>
    <message>
        <source>時期の名前</source>
        <translation>Era name</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>kavalo::frmGeoref</name>
    <message>
        <source>緯度・経度</source>
        <translation>Latitude/longitude</translation>
    </message>
    <message>
        <source>平面直角座標系 第%1系</source>
        <translation>Japan Plane Rectangular CS, zone %1</translation>
    </message>
    <message>
        <source>UTM 第%1帯</source>
        <translation>UTM zone %1N</translation>
    </message>
    <message>
        <source>EPSG コード</source>
        <translation>EPSG code</translation>
    </message>
    <message>
        <source>位置合わせ</source>
        <translation>Georeferencing</translation>
    </message>
    <message>
        <source>左回転</source>
        <translation>Rotate left</translation>
    </message>
    <message>
        <source>右回転</source>
        <translation>Rotate right</translation>
    </message>
    <message>
        <source>全体</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>枠を描く</source>
        <translation>Draw frame</translation>
    </message>
    <message>
        <source>地図の枠を多角形で囲みます（最初の角をクリックして閉じる、Esc で取り消し）</source>
        <translation>Outlines the map&apos;s frame with a polygon (click the first corner to close it, Esc to cancel)</translation>
    </message>
    <message>
        <source>枠を読み込む...</source>
        <translation>Load frame...</translation>
    </message>
    <message>
        <source>枠を消す</source>
        <translation>Clear frame</translation>
    </message>
    <message>
        <source>重ねた画像の不透明度</source>
        <translation>Opacity of the overlaid image</translation>
    </message>
    <message>
        <source>重ねた画像を左からこの位置まで表示します</source>
        <translation>Shows the overlaid image from the left edge up to here</translation>
    </message>
    <message>
        <source>時代</source>
        <translation>Era</translation>
    </message>
    <message>
        <source>不透明度</source>
        <translation>Opacity</translation>
    </message>
    <message>
        <source>スワイプ</source>
        <translation>Swipe</translation>
    </message>
    <message>
        <source>座標で追加</source>
        <translation>Add by coordinates</translation>
    </message>
    <message>
        <source>変換</source>
        <translation>Transformation</translation>
    </message>
    <message>
        <source>座標</source>
        <translation>Coordinates</translation>
    </message>
    <message>
        <source>番号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>有効</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>画像 X</source>
        <translation>Image X</translation>
    </message>
    <message>
        <source>画像 Y</source>
        <translation>Image Y</translation>
    </message>
    <message>
        <source>経度</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>緯度</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>X（東）</source>
        <translation>X (east)</translation>
    </message>
    <message>
        <source>Y（北）</source>
        <translation>Y (north)</translation>
    </message>
    <message>
        <source>残差 (px)</source>
        <translation>Residual (px)</translation>
    </message>
    <message>
        <source>残差 (m)</source>
        <translation>Residual (m)</translation>
    </message>
    <message>
        <source>一点除外 (px)</source>
        <translation>Leave-one-out (px)</translation>
    </message>
    <message>
        <source>一点除外 (m)</source>
        <translation>Leave-one-out (m)</translation>
    </message>
    <message>
        <source>その点を除いて求めた変換がその点を置く位置の誤差</source>
        <translation>Error at this point of the transformation fitted without it</translation>
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
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>番号を振り直す</source>
        <translation>Renumber</translation>
    </message>
    <message>
        <source>基準点を読み込む...</source>
        <translation>Load control points...</translation>
    </message>
    <message>
        <source>基準点を保存...</source>
        <translation>Save control points...</translation>
    </message>
    <message>
        <source>GeoTIFF で保存...</source>
        <translation>Save as GeoTIFF...</translation>
    </message>
    <message>
        <source>取り込み</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>位置合わせ - %1</source>
        <translation>Georeferencing - %1</translation>
    </message>
    <message>
        <source>誤差が最も大きい点</source>
        <translation>The point with the largest error</translation>
    </message>
    <message>
        <source>残差の RMSE: -&#x3000;一点除外の RMSE: -</source>
        <translation>Residual RMSE: -   Leave-one-out RMSE: -</translation>
    </message>
    <message>
        <source>%1 には有効な基準点が %2 点必要です（あと %3 点）。</source>
        <translation>%1 needs %2 enabled control points (%3 more).</translation>
    </message>
    <message>
        <source>残差の RMSE: %1 px（%2 m）</source>
        <translation>Residual RMSE: %1 px (%2 m)</translation>
    </message>
    <message>
        <source>&#x3000;一点除外の RMSE: %1 px（%2 m）</source>
        <translation>   Leave-one-out RMSE: %1 px (%2 m)</translation>
    </message>
    <message>
        <source>&#x3000;一点除外の RMSE: -（点が足りません）</source>
        <translation>   Leave-one-out RMSE: - (too few points)</translation>
    </message>
    <message>
        <source>&#x3000;最大の誤差: %1 番</source>
        <translation>   Largest error: point %1</translation>
    </message>
    <message>
        <source>画像が開かれていません。</source>
        <translation>No image is open.</translation>
    </message>
    <message>
        <source>画像上で地図の枠の角を順にクリックし、最初の角をクリックして閉じてください。</source>
        <translation>Click the corners of the map frame on the image in turn, then click the first corner again to close it.</translation>
    </message>
    <message>
        <source>地図上で同じ場所をクリックするか、座標を入力して「座標で追加」を押してください。</source>
        <translation>Click the same place on the map, or type its coordinates and press &quot;Add by coordinates&quot;.</translation>
    </message>
    <message>
        <source>画像上で同じ場所をクリックしてください。</source>
        <translation>Click the same place on the image.</translation>
    </message>
    <message>
        <source>画像上と地図上で同じ場所をクリックすると基準点になります（順序は問いません）。</source>
        <translation>Click the same place on the image and on the map to add a control point (in either order).</translation>
    </message>
    <message>
        <source>画像の外です。画像の中をクリックしてください。</source>
        <translation>That is outside the image. Click inside the image.</translation>
    </message>
    <message>
        <source>先に画像上の点をクリックしてください。</source>
        <translation>Click the point on the image first.</translation>
    </message>
    <message>
        <source>座標として読めません。</source>
        <translation>This cannot be read as coordinates.</translation>
    </message>
    <message>
        <source>X 座標（東）と Y 座標（北）を「,」で区切って入力してください。</source>
        <translation>Enter the X (east) and Y (north) coordinates separated by &quot;,&quot;.</translation>
    </message>
    <message>
        <source>正しい値を入力してください。</source>
        <translation>Enter a valid value.</translation>
    </message>
    <message>
        <source>X（東）, Y（北） m</source>
        <translation>X (east), Y (north) m</translation>
    </message>
    <message>
        <source>基準点を読み込む</source>
        <translation>Load control points</translation>
    </message>
    <message>
        <source>基準点ファイル</source>
        <translation>Control point files</translation>
    </message>
    <message>
        <source>すべてのファイル</source>
        <translation>All files</translation>
    </message>
    <message>
        <source>基準点を保存</source>
        <translation>Save control points</translation>
    </message>
    <message>
        <source>基準点ファイル (.points)</source>
        <translation>Control point file (.points)</translation>
    </message>
    <message>
        <source>位置合わせ注釈 (.json)</source>
        <translation>Georeferencing annotation (.json)</translation>
    </message>
    <message>
        <source>枠を読み込む</source>
        <translation>Load frame</translation>
    </message>
    <message>
        <source>枠のファイル</source>
        <translation>Frame files</translation>
    </message>
    <message>
        <source>GeoTIFF で保存</source>
        <translation>Save as GeoTIFF</translation>
    </message>
    <message>
        <source>取り込む画像そのものには保存できません。別の名前を指定してください。</source>
        <translation>The image being imported cannot be overwritten. Choose another name.</translation>
    </message>
    <message>
        <source>変換で地図に合わせてゆがめた画像として保存しますか？
「いいえ」では元の画像に基準点と変換の名前を付けて保存します。</source>
        <translation>Save the image warped to fit the map by the transformation?
&quot;No&quot; saves the original image with the control points and the name of the transformation.</translation>
    </message>
    <message>
        <source>GeoTIFF「%1」を書き出せません。%2</source>
        <translation>Cannot write the GeoTIFF &quot;%1&quot;. %2</translation>
    </message>
</context>
<context>
    <name>kavalo::frmSCR</name>
    <message>
        <source>表示位置の各時期の地図：濃い＝その時期の図、淡い＝他の版の図、空＝なし</source>
        <translation>Maps of each era at the view: dark = the era&apos;s own sheet, light = a sheet of another edition, empty = none</translation>
    </message>
    <message>
        <source>データセット</source>
        <translation>Dataset</translation>
    </message>
    <message>
        <source>時期</source>
        <translation>Era</translation>
    </message>
    <message>
        <source>表示位置の各時期の地図</source>
        <translation>Maps of each era at the view</translation>
    </message>
    <message>
        <source>比較する時期</source>
        <translation>Era to compare</translation>
    </message>
    <message>
        <source>比べ方</source>
        <translation>Comparison mode</translation>
    </message>
    <message>
        <source>重ねる時期の不透明度</source>
        <translation>Opacity of the era on top</translation>
    </message>
    <message>
        <source>ズーム</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>移動量</source>
        <translation>Pan step</translation>
    </message>
    <message>
        <source>現在地</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>図幅情報</source>
        <translation>Sheet information</translation>
    </message>
    <message>
        <source>オフライン／オンライン</source>
        <translation>Offline/online</translation>
    </message>
    <message>
        <source>設定画面を隠す</source>
        <translation>Hide the panel</translation>
    </message>
    <message>
        <source>設定画面を表示</source>
        <translation>Show the panel</translation>
    </message>
    <message>
        <source>Kavaloホームページ</source>
        <translation>Kavalo home page</translation>
    </message>
    <message>
        <source>地図</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>重ね図</source>
        <translation>Overlays</translation>
    </message>
    <message>
        <source>オフライン</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>Kavaloを終了します。</source>
        <translation>Quit Kavalo?</translation>
    </message>
    <message>
        <source>コメント</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>時間(Shift＋←→)</source>
        <translation>Era (Shift+←→)</translation>
    </message>
    <message>
        <source>時期設定(&amp;E)</source>
        <translation>&amp;Eras...</translation>
    </message>
    <message>
        <source>時間に関する設定を行います</source>
        <translation>Chooses the eras shown and how years are written</translation>
    </message>
    <message>
        <source>ズーム(Shift＋↑↓)</source>
        <translation>Zoom (Shift+↑↓)</translation>
    </message>
    <message>
        <source>全体</source>
        <translation>Full extent</translation>
    </message>
    <message>
        <source>地域の全体を表示します(Home)</source>
        <translation>Shows the whole region (Home)</translation>
    </message>
    <message>
        <source>移動量設定</source>
        <translation>How far the arrow keys move the view</translation>
    </message>
    <message>
        <source>大</source>
        <translation>large</translation>
    </message>
    <message>
        <source>小</source>
        <translation>small</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>標高色(Q)</source>
        <translation>Colours (Q)</translation>
    </message>
    <message>
        <source>標高(&amp;A)</source>
        <translation>Elev&amp;ation</translation>
    </message>
    <message>
        <source>国土地理院承認の地形図では標高をはずこことはできません</source>
        <translation>Elevation cannot be turned off on topographic maps approved by the national mapping agency</translation>
    </message>
    <message>
        <source>地形図(&amp;T)</source>
        <translation>&amp;Topo map</translation>
    </message>
    <message>
        <source>図郭線(&amp;F)</source>
        <translation>Sheet &amp;frames</translation>
    </message>
    <message>
        <source>凡例(&amp;L)</source>
        <translation>&amp;Legend</translation>
    </message>
    <message>
        <source>スケール(&amp;S)</source>
        <translation>&amp;Scale bar</translation>
    </message>
    <message>
        <source>目印(&amp;M)</source>
        <translation>&amp;Marks</translation>
    </message>
    <message>
        <source>全体図(&amp;V)</source>
        <translation>O&amp;verview</translation>
    </message>
    <message>
        <source>地図の右上に地域の全体図を表示します</source>
        <translation>Shows an overview of the region at the top right of the map</translation>
    </message>
    <message>
        <source>情報</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>現在地の標高：</source>
        <translation>Elevation here:</translation>
    </message>
    <message>
        <source>太字の場合は、該当時間の地形図ではないことを示します</source>
        <translation>Bold: the sheet shown is not of the chosen era</translation>
    </message>
    <message>
        <source>日/世</source>
        <translation>Tokyo/WGS</translation>
    </message>
    <message>
        <source>表示測地系の切り替え</source>
        <translation>Switches the datum of the coordinates shown (Tokyo Datum / world geodetic system)</translation>
    </message>
    <message>
        <source>サーバーに接続してデータをダウンロードできるようにします</source>
        <translation>Connects to the server so that data can be downloaded</translation>
    </message>
    <message>
        <source>&lt;u&gt;Kavaloホームページ&lt;/u&gt;</source>
        <translation>&lt;u&gt;Kavalo home page&lt;/u&gt;</translation>
    </message>
    <message>
        <source>Kavaloホームページを開きます</source>
        <translation>Opens the Kavalo home page</translation>
    </message>
    <message>
        <source>位置指定・目印(&amp;Z)</source>
        <translation>Go to / marks (&amp;Z)</translation>
    </message>
    <message>
        <source>表示位置を指定して移動します</source>
        <translation>Moves the view to a position you give</translation>
    </message>
    <message>
        <source>データ取得</source>
        <translation>Get data</translation>
    </message>
    <message>
        <source>インターネットを通じて外部の地図・画像テータを取得します</source>
        <translation>Fetches maps and imagery from outside services over the Internet</translation>
    </message>
    <message>
        <source>出力(&amp;O)</source>
        <translation>Exp&amp;ort</translation>
    </message>
    <message>
        <source>Google Earthで読み込めるKML形式で保存します</source>
        <translation>Saves in KML format, readable by Google Earth</translation>
    </message>
    <message>
        <source>印刷(&amp;P)</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>画像を印刷します</source>
        <translation>Prints the picture</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>画像をコピーします</source>
        <translation>Copies the picture</translation>
    </message>
    <message>
        <source>解説(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Kavaloを終了します</source>
        <translation>Quits Kavalo</translation>
    </message>
    <message>
        <source>付属地形図取得</source>
        <translation>Get sheets</translation>
    </message>
    <message>
        <source>不足している地形図をサーバーから取得します</source>
        <translation>Downloads the missing topographic maps from the server</translation>
    </message>
    <message>
        <source>設定画面を隠します</source>
        <translation>Hides the panel</translation>
    </message>
    <message>
        <source>地図データダウンロード中</source>
        <translation>Downloading map data</translation>
    </message>
    <message>
        <source>設定画面を表示します</source>
        <translation>Shows the panel</translation>
    </message>
    <message>
        <source>ポップアップ</source>
        <translation>Pop-up</translation>
    </message>
    <message>
        <source>目印をつける</source>
        <translation>Add a mark</translation>
    </message>
    <message>
        <source>目印を修正</source>
        <translation>Edit the mark</translation>
    </message>
    <message>
        <source>目印削除</source>
        <translation>Delete the mark</translation>
    </message>
    <message>
        <source>この位置の緯度経度をコピー</source>
        <translation>Copy the latitude and longitude of this point</translation>
    </message>
    <message>
        <source>この位置を geo: URI でコピー</source>
        <translation>Copy this point as a geo: URI</translation>
    </message>
    <message>
        <source>この表示へのリンクをコピー</source>
        <translation>Copy a link to this view</translation>
    </message>
    <message>
        <source>この表示のWeb地図へのリンクをコピー</source>
        <translation>Copy a link to this view on the web map</translation>
    </message>
    <message>
        <source>計測した経路を保存...</source>
        <translation>Save the measured path...</translation>
    </message>
    <message>
        <source>計測を消す</source>
        <translation>Clear the measurement</translation>
    </message>
    <message>
        <source>比較</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>二つの時期を並べて比べます(Ctrl＋Shift＋←→で比較する時期)</source>
        <translation>Compares two eras (Ctrl+Shift+←→ changes the era compared)</translation>
    </message>
    <message>
        <source>並列</source>
        <translation>Side by side</translation>
    </message>
    <message>
        <source>スワイプ</source>
        <translation>Swipe</translation>
    </message>
    <message>
        <source>レンズ</source>
        <translation>Lens</translation>
    </message>
    <message>
        <source>透過</source>
        <translation>Blend</translation>
    </message>
    <message>
        <source>Ctrl＋ホイールで大きさを変えます</source>
        <translation>Ctrl+wheel changes its size</translation>
    </message>
    <message>
        <source>設定ファイル「mapinfo.txt」が見つかりません。</source>
        <translation>The settings file &quot;mapinfo.txt&quot; was not found.</translation>
    </message>
    <message>
        <source>リンクを開けません：%1</source>
        <translation>Cannot open the link: %1</translation>
    </message>
    <message>
        <source>リンクのデータセット「%1」がありません。</source>
        <translation>The dataset &quot;%1&quot; of the link was not found.</translation>
    </message>
    <message>
        <source>リンクの時期「%1」がこのデータセットにありません。</source>
        <translation>The era &quot;%1&quot; of the link is not in this dataset.</translation>
    </message>
    <message>
        <source>目印を削除します。よろしいですか？</source>
        <translation>Delete this mark?</translation>
    </message>
    <message>
        <source>オンライン</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>重ね図(&amp;G)</source>
        <translation>&amp;GPS/GIS...</translation>
    </message>
    <message>
        <source>GPS の軌跡・KML・GeoJSON・シェープファイルを地図に重ねます</source>
        <translation>Overlays GPS tracks, KML, GeoJSON and shapefiles on the map</translation>
    </message>
    <message>
        <source>外す</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>選んだ重ね図を外します</source>
        <translation>Removes the selected overlay</translation>
    </message>
    <message>
        <source>計測(&amp;R)</source>
        <translation>Measu&amp;re</translation>
    </message>
    <message>
        <source>クリックした点を結ぶ距離を測ります。始点をクリックすると面積も測ります。Esc・右クリックで終わります</source>
        <translation>Measures the distance along the points you click; clicking the first point again also measures the area. Esc or a right-click ends it</translation>
    </message>
    <message>
        <source>重ね図を外す</source>
        <translation>Remove overlay</translation>
    </message>
    <message>
        <source>チェックを外すと表示しません。上の行ほど手前に描きます</source>
        <translation>Unchecked files are hidden. Higher rows are drawn on top</translation>
    </message>
    <message>
        <source>選んだ重ね図を手前に描きます</source>
        <translation>Moves the selected overlay up, towards the top</translation>
    </message>
    <message>
        <source>選んだ重ね図を奥に描きます</source>
        <translation>Moves the selected overlay down, towards the bottom</translation>
    </message>
    <message>
        <source>重ね図を手前へ</source>
        <translation>Move overlay up</translation>
    </message>
    <message>
        <source>重ね図を奥へ</source>
        <translation>Move overlay down</translation>
    </message>
    <message>
        <source>%1（読み込めません）</source>
        <translation>%1 (unreadable)</translation>
    </message>
    <message>
        <source>重ね図を開く</source>
        <translation>Open overlay</translation>
    </message>
    <message>
        <source>GPS・地図データ	*.gpx *.kml *.kmz *.geojson *.json *.shp	GPX	*.gpx	KML・KMZ	*.kml *.kmz	GeoJSON	*.geojson *.json	シェープファイル	*.shp	すべてのファイル	*</source>
        <translation>GPS and map data	*.gpx *.kml *.kmz *.geojson *.json *.shp	GPX	*.gpx	KML/KMZ	*.kml *.kmz	GeoJSON	*.geojson *.json	Shapefiles	*.shp	All files	*</translation>
    </message>
    <message>
        <source>「%1」は名前に改行があるため開けません。</source>
        <translation>Cannot open &quot;%1&quot;: its name contains a line break.</translation>
    </message>
    <message>
        <source>計測：始点をクリックしてください</source>
        <translation>Measure: click the starting point</translation>
    </message>
    <message>
        <source>計測：次の点をクリックしてください</source>
        <translation>Measure: click the next point</translation>
    </message>
    <message>
        <source>計測した経路の保存</source>
        <translation>Save the measured path</translation>
    </message>
    <message>
        <source>%1&#x3000;【%2】</source>
        <comment>window title: program version, dataset title</comment>
        <translation>%1 - %2</translation>
    </message>
    <message>
        <source>%1&#x3000;&#x3000;%2</source>
        <comment>status line: the readout, then the measure</comment>
        <translation>%1    %2</translation>
    </message>
</context>
<context>
    <name>kavalo::frmViewTime</name>
    <message>
        <source>表示時期設定</source>
        <translation>Era settings</translation>
    </message>
    <message>
        <source>表示形式</source>
        <translation>Show years as</translation>
    </message>
    <message>
        <source>西暦</source>
        <translation>Western years</translation>
    </message>
    <message>
        <source>元号</source>
        <translation>Japanese era names</translation>
    </message>
    <message>
        <source>全て選択</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>選択クリア</source>
        <translation>Clear selection</translation>
    </message>
    <message>
        <source>名前の変更(&amp;R)</source>
        <translation>&amp;Rename...</translation>
    </message>
    <message>
        <source>追加した時期の名前を変更します</source>
        <translation>Renames an era you added</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>追加した時期を削除します（画像はごみ箱に移動します）</source>
        <translation>Deletes an era you added (its images are moved to the trash)</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>表示時期は２つ以上選択してください。</source>
        <translation>Select at least two eras to show.</translation>
    </message>
</context>
<context>
    <name>kavalo::main</name>
    <message>
        <source>メモリが足りないため、処理を続けられません。</source>
        <translation>Not enough memory to continue.</translation>
    </message>
    <message>
        <source>Shift-JISの文字コード変換が使えません。Qtの国際化機能（ICU）を確認してください。</source>
        <translation>Shift-JIS conversion is not available. Check Qt&apos;s internationalisation support (ICU).</translation>
    </message>
</context>
</TS>
