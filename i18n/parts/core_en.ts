<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>kavalo::AltitudeGrid</name>
    <message>
        <source>標高データ「altitude.dat」を読み込めません（%1）。
%2</source>
        <translation>Cannot read the elevation data “altitude.dat” (%1).
%2</translation>
    </message>
    <message>
        <source>列数・行数が正しくありません</source>
        <translation>the number of columns or rows is not valid</translation>
    </message>
    <message>
        <source>列数・行数が大きすぎます（%1セルまで）</source>
        <translation>too many columns or rows (at most %1 cells)</translation>
    </message>
    <message>
        <source>データの長さが正しくありません</source>
        <translation>the length of the data is not valid</translation>
    </message>
    <message>
        <source>列数・行数が大きすぎます</source>
        <translation>too many columns or rows</translation>
    </message>
    <message>
        <source>列数・行数がデータの長さと合いません</source>
        <translation>the numbers of columns and rows do not match the length of the data</translation>
    </message>
    <message>
        <source>ファイルが途中で切れています</source>
        <translation>the file is truncated</translation>
    </message>
    <message>
        <source>ファイルがありません</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>ファイルを開けません</source>
        <translation>the file cannot be opened</translation>
    </message>
    <message>
        <source>ヘッダーが不完全です</source>
        <translation>the header is incomplete</translation>
    </message>
    <message>
        <source>メモリが足りません</source>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>展開したデータが足りません</source>
        <translation>the decompressed data is too short</translation>
    </message>
    <message>
        <source>展開したデータが多すぎます</source>
        <translation>the decompressed data is too long</translation>
    </message>
    <message>
        <source>データを展開できません</source>
        <translation>the data cannot be decompressed</translation>
    </message>
</context>
<context>
    <name>kavalo::CliCommon</name>
    <message>
        <source>設定ファイル「mapinfo.txt」が見つかりません。
%1</source>
        <translation>The settings file “mapinfo.txt” was not found.
%1</translation>
    </message>
</context>
<context>
    <name>kavalo::ColorSet</name>
    <message>
        <source>標高色の設定ファイル「colorset.txt」を読み込めません。
%1</source>
        <translation>Cannot read the elevation colour file “colorset.txt”.
%1</translation>
    </message>
    <message>
        <source>標高色の設定ファイル「colorset.txt」の形式が正しくありません（%1行目付近）。
%2</source>
        <translation>The elevation colour file “colorset.txt” is not in the expected format (near line %1).
%2</translation>
    </message>
</context>
<context>
    <name>kavalo::ColorSetEditing</name>
    <message>
        <source>%1番目の区切りの標高「%2」は数値ではありません。</source>
        <translation>The elevation “%2” of break %1 is not a number.</translation>
    </message>
    <message>
        <source>数値が最高地点と最低地点の範囲を外れています。</source>
        <translation>The value lies outside the range between the lowest and the highest point.</translation>
    </message>
    <message>
        <source>すべての色を白にすることは国土地理院により禁止されています。</source>
        <translation>The Geospatial Information Authority of Japan does not allow every colour to be white.</translation>
    </message>
</context>
<context>
    <name>kavalo::ControlPointFiles</name>
    <message>
        <source>ファイルが大きすぎます（%1 MiB まで読めます）。</source>
        <translation>The file is too large (files of up to %1 MiB can be read).</translation>
    </message>
    <message>
        <source>点が多すぎます（%1点まで読めます）。</source>
        <translation>Too many points (up to %1 points can be read).</translation>
    </message>
    <message>
        <source>%1行目の引用符（&quot;）が閉じていません。</source>
        <translation>Line %1: a quotation mark (") is not closed.</translation>
    </message>
    <message>
        <source>%1行目の値の数が見出しと合いません（%2個、見出しは%3個）。</source>
        <translation>Line %1: the number of values does not match the header (%2 values, the header has %3).</translation>
    </message>
    <message>
        <source>%1行目の数値が読めません（%2：「%3」）。</source>
        <translation>Line %1: a number cannot be read (%2: “%3”).</translation>
    </message>
    <message>
        <source>%1行目の enable の値が読めません（「%2」）。</source>
        <translation>Line %1: the enable value cannot be read (“%2”).</translation>
    </message>
    <message>
        <source>%1行目の地図上の位置が範囲外です（%2, %3）。</source>
        <translation>Line %1: the map position is out of range (%2, %3).</translation>
    </message>
    <message>
        <source>%1行目の画像上の位置が範囲外です（%2, %3）。</source>
        <translation>Line %1: the image position is out of range (%2, %3).</translation>
    </message>
    <message>
        <source>基準点のファイルとして読めません。.points、x,y,lon,lat の CSV、ジオリファレンスの注釈のどれでもありません。</source>
        <translation>Cannot read this as a control-point file: it is neither a .points file, nor a CSV file of x,y,lon,lat, nor a georeference annotation.</translation>
    </message>
    <message>
        <source>JSON の入れ子が深すぎます。</source>
        <translation>The JSON is nested too deeply.</translation>
    </message>
    <message>
        <source>JSON として読めません（%1バイト目付近）。</source>
        <translation>Cannot read this as JSON (near byte %1).</translation>
    </message>
    <message>
        <source>JSON の中身がオブジェクトではありません。</source>
        <translation>The JSON does not hold an object.</translation>
    </message>
    <message>
        <source>SVG に多角形（polygon）がありません。</source>
        <translation>The SVG has no polygon.</translation>
    </message>
    <message>
        <source>SVG に多角形（polygon）が複数あります。</source>
        <translation>The SVG has more than one polygon.</translation>
    </message>
    <message>
        <source>SVG の多角形に点（points）がありません。</source>
        <translation>The SVG polygon has no points.</translation>
    </message>
    <message>
        <source>SVG の多角形の座標の数が奇数です。</source>
        <translation>The SVG polygon has an odd number of coordinates.</translation>
    </message>
    <message>
        <source>SVG の多角形の座標が読めません（「%1,%2」）。</source>
        <translation>Cannot read a coordinate of the SVG polygon (“%1,%2”).</translation>
    </message>
    <message>
        <source>注釈のマスク（SvgSelector）が読めません：%1</source>
        <translation>Cannot read the annotation’s mask (SvgSelector): %1</translation>
    </message>
    <message>
        <source>注釈の画像の大きさ（%1）が正しくありません。</source>
        <translation>The image size in the annotation (%1) is not valid.</translation>
    </message>
    <message>
        <source>注釈のマスクの点が3点より少なくなっています。</source>
        <translation>The annotation’s mask has fewer than 3 points.</translation>
    </message>
    <message>
        <source>ジオリファレンスの注釈ではありません（motivation が georeferencing ではありません）。</source>
        <translation>This is not a georeference annotation (its motivation is not georeferencing).</translation>
    </message>
    <message>
        <source>ジオリファレンスの注釈として読めません（基準点の features がありません）。</source>
        <translation>Cannot read this as a georeference annotation (it has no features with control points).</translation>
    </message>
    <message>
        <source>%1番目の基準点の画像上の位置（resourceCoords）が読めません。</source>
        <translation>Cannot read the image position (resourceCoords) of control point %1.</translation>
    </message>
    <message>
        <source>%1番目の基準点の経度・緯度（coordinates）が読めません。</source>
        <translation>Cannot read the longitude and latitude (coordinates) of control point %1.</translation>
    </message>
    <message>
        <source>マスクの多角形（Polygon）がありません。</source>
        <translation>The mask has no polygon (Polygon).</translation>
    </message>
    <message>
        <source>マスクの多角形（Polygon）が複数あります。</source>
        <translation>The mask has more than one polygon (Polygon).</translation>
    </message>
    <message>
        <source>マスクの%1番目の点が読めません。</source>
        <translation>Cannot read point %1 of the mask.</translation>
    </message>
    <message>
        <source>ファイルが空です。</source>
        <translation>The file is empty.</translation>
    </message>
    <message>
        <source>基準点がひとつもありません。</source>
        <translation>There are no control points.</translation>
    </message>
    <message>
        <source>注釈にマスクの多角形（SvgSelector）がありません。</source>
        <translation>The annotation has no mask polygon (SvgSelector).</translation>
    </message>
    <message>
        <source>マスクのファイルとして読めません（SVG の polygon か GeoJSON の Polygon が必要です）。</source>
        <translation>Cannot read this as a mask file (an SVG polygon or a GeoJSON Polygon is needed).</translation>
    </message>
    <message>
        <source>マスクの多角形の点が3点より少なくなっています。</source>
        <translation>The mask polygon has fewer than 3 points.</translation>
    </message>
</context>
<context>
    <name>kavalo::CursorReadout</name>
    <message>
        <source>海面</source>
        <translation>sea level</translation>
    </message>
    <message>
        <source>標高：%1</source>
        <translation>Elevation: %1</translation>
    </message>
    <message>
        <source>(%1,%2発行)</source>
        <translation>(%1, issued %2)</translation>
    </message>
    <message>
        <source>地形図：範囲外</source>
        <translation>Map sheet: outside the area</translation>
    </message>
    <message>
        <source>地形図：%1</source>
        <translation>Map sheet: %1</translation>
    </message>
    <message>
        <source>地形図なし</source>
        <translation>No map sheet</translation>
    </message>
    <message>
        <source>地形図：!!%1</source>
        <translation>Map sheet: !!%1</translation>
    </message>
    <message>
        <source>取り込んだ写真：%1</source>
        <translation>Imported photo: %1</translation>
    </message>
    <message>
        <source>取り込んだ地図：%1</source>
        <translation>Imported map: %1</translation>
    </message>
    <message>
        <source>（%1）</source>
        <comment>a scan&apos;s credit</comment>
        <translation> (%1)</translation>
    </message>
    <message>
        <source>XYZタイル（%1）：%2保存</source>
        <translation>XYZ tiles (%1): saved %2</translation>
    </message>
    <message>
        <source>なし</source>
        <comment>no sheet</comment>
        <translation>none</translation>
    </message>
    <message>
        <source>北緯%1度%2分%3秒</source>
        <translation>%1°%2′%3″ N</translation>
    </message>
    <message>
        <source>東経%1度%2分%3秒</source>
        <translation>%1°%2′%3″ E</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;(世界測地系)</source>
        <translation>      (world geodetic system)</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;(日本測地系)</source>
        <translation>      (Tokyo datum)</translation>
    </message>
    <message>
        <source>電子国土基本図（地図情報）／ウォッちず（国土地理院）：%1保存</source>
        <translation>Digital Japan Basic Map (map information) / Watchizu (GSI): saved %1</translation>
    </message>
    <message>
        <source>国土画像情報%1期（%2）</source>
        <translation>National Land Image Information, period %1 (%2)</translation>
    </message>
    <message>
        <source>歴史的農業環境閲覧システム（農業環境技術研究所）：迅速測図（%1）</source>
        <translation>Historical Agro-Environment Browsing System (NIAES): Rapid Survey map (%1)</translation>
    </message>
    <message>
        <source>1/20,000地形図：%1</source>
        <translation>1:20,000 map sheet: %1</translation>
    </message>
    <message>
        <source>電子国土基本図（オルソ画像）：%1保存</source>
        <translation>Digital Japan Basic Map (orthophotos): saved %1</translation>
    </message>
    <message>
        <source>%1m</source>
        <translation>%1 m</translation>
    </message>
</context>
<context>
    <name>kavalo::DataFolderList</name>
    <message>
        <source>データセットの一覧「dataset.txt」が見つかりません。
%1</source>
        <translation>The list of datasets “dataset.txt” was not found.
%1</translation>
    </message>
    <message>
        <source>データセットの一覧「dataset.txt」を読み込めません。
%1</source>
        <translation>Cannot read the list of datasets “dataset.txt”.
%1</translation>
    </message>
    <message>
        <source>データセットの一覧「dataset.txt」の件数が正しくありません。
%1</source>
        <translation>The count in the list of datasets “dataset.txt” is not valid.
%1</translation>
    </message>
    <message>
        <source>データセットの一覧「dataset.txt」の項目が件数（%1）より少なくなっています。
%2</source>
        <translation>The list of datasets “dataset.txt” has fewer entries than its count (%1).
%2</translation>
    </message>
</context>
<context>
    <name>kavalo::ElevationPicture</name>
    <message>
        <source>%1
標高の色分けをせずに表示します。</source>
        <translation>%1
The map is shown without elevation colours.</translation>
    </message>
</context>
<context>
    <name>kavalo::EraInfoFiles</name>
    <message>
        <source>「%1」の内容が件数より少なくなっています。
%2</source>
        <translation>“%1” has fewer entries than its count.
%2</translation>
    </message>
    <message>
        <source>「%1」はShift-JISのテキストではありません。
%2</source>
        <translation>“%1” is not Shift-JIS text.
%2</translation>
    </message>
    <message>
        <source>「%1」の%2行目が正しくありません。
%3</source>
        <translation>Line %2 of “%1” is not valid.
%3</translation>
    </message>
    <message>
        <source>「%1」を読み込めません。
%2</source>
        <translation>Cannot read “%1”.
%2</translation>
    </message>
    <message>
        <source>「%1」の時期名「%2」はフォルダ名として使えません（「..」、区切り文字、ドライブ名は使えません）。
%3</source>
        <translation>The era name “%2” in “%1” cannot be used as a folder name (“..”, path separators and drive names are not allowed).
%3</translation>
    </message>
    <message>
        <source>「%1」の時期「%2」の拡張子「%3」が正しくありません。
%4</source>
        <translation>The file extension “%3” of era “%2” in “%1” is not valid.
%4</translation>
    </message>
    <message>
        <source>「%1」の時期「%2」の年（%3、%4）が正しくありません。
%5</source>
        <translation>The years (%3, %4) of era “%2” in “%1” are not valid.
%5</translation>
    </message>
    <message>
        <source>「%1」の件数が正しくありません。
%2</source>
        <translation>The count in “%1” is not valid.
%2</translation>
    </message>
    <message>
        <source>「%1」の時期「%2」の図郭の種類（%3）が正しくありません。
%4</source>
        <translation>The sheet frame type (%3) of era “%2” in “%1” is not valid.
%4</translation>
    </message>
    <message>
        <source>「%1」の時期「%2」の図歴の列（%3）が正しくありません（0から%4まで）。
%5</source>
        <translation>The sheet history column (%3) of era “%2” in “%1” is not valid (0 to %4).
%5</translation>
    </message>
    <message>
        <source>「%1」の時期「%2」の撮影時期の番号（%3）が正しくありません。
%4</source>
        <translation>The photo period number (%3) of era “%2” in “%1” is not valid.
%4</translation>
    </message>
    <message>
        <source>「%1」の形式が正しくありません（%2行目付近）。
%3</source>
        <translation>“%1” is not in the expected format (near line %2).
%3</translation>
    </message>
    <message>
        <source>「%1」の画像名「%2」が正しくありません（%3行目付近）。
%4</source>
        <translation>The image name “%2” in “%1” is not valid (near line %3).
%4</translation>
    </message>
</context>
<context>
    <name>kavalo::EraLabels</name>
    <message>
        <source>明治%1</source>
        <translation>Meiji %1</translation>
    </message>
    <message>
        <source>大正%1</source>
        <translation>Taishō %1</translation>
    </message>
    <message>
        <source>昭和%1</source>
        <translation>Shōwa %1</translation>
    </message>
    <message>
        <source>平成%1</source>
        <translation>Heisei %1</translation>
    </message>
    <message>
        <source>令和%1</source>
        <translation>Reiwa %1</translation>
    </message>
    <message>
        <source>XYZタイル</source>
        <translation>XYZ tiles</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <comment>period and tile service</comment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1年</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>%1-%2年</source>
        <translation>%1–%2</translation>
    </message>
    <message>
        <source>（ウォッちず）</source>
        <translation> (Watchizu)</translation>
    </message>
    <message>
        <source>（電子国土基本図）</source>
        <translation> (Digital Japan Basic Map)</translation>
    </message>
    <message>
        <source>（3～4月上旬東日本大震災後）</source>
        <translation> (March to early April, after the Great East Japan Earthquake)</translation>
    </message>
    <message>
        <source>（5～6月東日本大震災後）</source>
        <translation> (May to June, after the Great East Japan Earthquake)</translation>
    </message>
    <message>
        <source>（空中写真）</source>
        <translation> (aerial photos)</translation>
    </message>
    <message>
        <source>2011年東日本大震災被災後</source>
        <translation>2011, after the Great East Japan Earthquake</translation>
    </message>
    <message>
        <source>東日本大震災被災地2011年5～6月撮影</source>
        <translation>Areas struck by the Great East Japan Earthquake, photographed May–June 2011</translation>
    </message>
    <message>
        <source>%1-%2年（空中写真）</source>
        <translation>%1–%2 (aerial photos)</translation>
    </message>
    <message>
        <source>（迅速測図）</source>
        <translation> (Rapid Survey)</translation>
    </message>
    <message>
        <source>（1/2万）</source>
        <translation> (1:20,000)</translation>
    </message>
</context>
<context>
    <name>kavalo::GeorefCommand</name>
    <message>
        <source>「%1」の点は画像に合いません。%2</source>
        <translation>The points of “%1” do not fit the image. %2</translation>
    </message>
    <message>
        <source>GeoTIFF「%1」を書き出せません。%2</source>
        <translation>Cannot write the GeoTIFF “%1”. %2</translation>
    </message>
</context>
<context>
    <name>kavalo::GeorefModel</name>
    <message>
        <source>ヘルマート（相似）</source>
        <translation>Helmert (similarity)</translation>
    </message>
    <message>
        <source>1次多項式（アフィン）</source>
        <translation>Polynomial 1 (affine)</translation>
    </message>
    <message>
        <source>2次多項式</source>
        <translation>Polynomial 2</translation>
    </message>
    <message>
        <source>3次多項式</source>
        <translation>Polynomial 3</translation>
    </message>
    <message>
        <source>射影変換</source>
        <translation>Projective</translation>
    </message>
    <message>
        <source>薄板スプライン</source>
        <translation>Thin plate spline</translation>
    </message>
    <message>
        <source>この変換には有効な点が%1点必要です（いま%2点）。</source>
        <translation>This transformation needs %1 enabled points (there are %2).</translation>
    </message>
    <message>
        <source>点の座標が数ではありません。</source>
        <translation>A coordinate of a point is not a number.</translation>
    </message>
    <message>
        <source>点の並びからは変換が決まりません（点が一直線に並んでいるか、重なっています）。</source>
        <translation>The points do not determine a transformation (they lie on one line or on top of each other).</translation>
    </message>
    <message>
        <source>点の地図上の位置を平面に移せません。</source>
        <translation>The map positions of the points cannot be projected onto the plane.</translation>
    </message>
    <message>
        <source>点%1と点%2が画像の同じ場所にあります。</source>
        <translation>Points %1 and %2 are at the same place on the image.</translation>
    </message>
    <message>
        <source>点%1と点%2が地図の同じ場所にあります。</source>
        <translation>Points %1 and %2 are at the same place on the map.</translation>
    </message>
    <message>
        <source>この変換は画像を折り返します。誤った点がないか確かめてください。</source>
        <translation>This transformation folds the image over. Check for misplaced points.</translation>
    </message>
    <message>
        <source>この変換は画像を強くゆがめます（直角から%1°、縦横比%2）。</source>
        <translation>This transformation distorts the image strongly (%1° off a right angle, aspect ratio %2).</translation>
    </message>
</context>
<context>
    <name>kavalo::GeorefSession</name>
    <message>
        <source>「%1」を開けません。</source>
        <translation>Cannot open “%1”.</translation>
    </message>
    <message>
        <source>「%1」は大きすぎます（16MBまで）。</source>
        <translation>“%1” is too large (at most 16 MB).</translation>
    </message>
    <message>
        <source>「%1」を読み込めません。</source>
        <translation>Cannot read “%1”.</translation>
    </message>
    <message>
        <source>座標系「%1」がわかりません。</source>
        <translation>Unknown coordinate reference system “%1”.</translation>
    </message>
    <message>
        <source>座標が数ではありません。</source>
        <translation>A coordinate is not a number.</translation>
    </message>
    <message>
        <source>経度は-180～180、緯度は-90～90で入力してください。</source>
        <translation>Enter a longitude from -180 to 180 and a latitude from -90 to 90.</translation>
    </message>
    <message>
        <source>座標を経緯度に変換できません。</source>
        <translation>The coordinates cannot be converted to longitude and latitude.</translation>
    </message>
    <message>
        <source>この変換には有効な点が%1点必要です（いま0点）。</source>
        <translation>This transformation needs %1 enabled points (there are none).</translation>
    </message>
    <message>
        <source>点の地図上の位置を平面（%1）に移せません。</source>
        <translation>The map positions of the points cannot be projected onto the plane (%1).</translation>
    </message>
    <message>
        <source>大きさ不明</source>
        <translation>size unknown</translation>
    </message>
    <message>
        <source>この点の組は別の画像（%1、%2）のものです。</source>
        <translation>These points belong to another image (%1, %2).</translation>
    </message>
    <message>
        <source>名前不明</source>
        <translation>name unknown</translation>
    </message>
    <message>
        <source>点の座標系を経緯度に変換できません。</source>
        <translation>The coordinate reference system of the points cannot be converted to longitude and latitude.</translation>
    </message>
    <message>
        <source>「%1」を読み込めません。%2</source>
        <translation>Cannot read “%1”. %2</translation>
    </message>
    <message>
        <source>「%1」に保存できません。</source>
        <translation>Cannot save to “%1”.</translation>
    </message>
    <message>
        <source>点%1は画像の外にあります（%2×%3ピクセル）。</source>
        <translation>Point %1 lies outside the image (%2 × %3 pixels).</translation>
    </message>
    <message>
        <source>平面の座標系（%1）がわかりません。</source>
        <translation>Unknown coordinate reference system of the plane (%1).</translation>
    </message>
</context>
<context>
    <name>kavalo::ImportedEras</name>
    <message>
        <source>「&quot;」は使えません。</source>
        <translation>“"” is not allowed.</translation>
    </message>
    <message>
        <source>改行は使えません。</source>
        <translation>Line breaks are not allowed.</translation>
    </message>
    <message>
        <source>Shift-JISで保存できない文字があります。</source>
        <translation>Some characters cannot be saved in Shift-JIS.</translation>
    </message>
    <message>
        <source>「%1」を削除できません。</source>
        <translation>Cannot delete “%1”.</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>kavalo::MapInfo</name>
    <message>
        <source>設定ファイル「mapinfo.txt」に設定がありません。
%1</source>
        <translation>The settings file “mapinfo.txt” holds no settings.
%1</translation>
    </message>
    <message>
        <source>設定ファイル「mapinfo.txt」の「%1」に2つ目の値がありません。
%2</source>
        <translation>“%1” in the settings file “mapinfo.txt” has no second value.
%2</translation>
    </message>
    <message>
        <source>設定ファイル「mapinfo.txt」の%1が正しくありません。</source>
        <translation>The value %1 in the settings file “mapinfo.txt” is not valid.</translation>
    </message>
    <message>
        <source>設定ファイル「mapinfo.txt」の%1が大きすぎます（%2まで）。</source>
        <translation>The value %1 in the settings file “mapinfo.txt” is too large (at most %2).</translation>
    </message>
    <message>
        <source>地形図の数（横方向地形図数×縦方向地形図数）</source>
        <translation>number of map sheets (横方向地形図数 × 縦方向地形図数)</translation>
    </message>
    <message>
        <source>地形図１枚あたりの画像数</source>
        <translation>number of images per map sheet</translation>
    </message>
    <message>
        <source>横方向の画像数</source>
        <translation>number of images across</translation>
    </message>
    <message>
        <source>縦方向の画像数</source>
        <translation>number of images down</translation>
    </message>
</context>
<context>
    <name>kavalo::Marks</name>
    <message>
        <source>目印ファイルを読み込めません。
%1</source>
        <translation>Cannot read the marker file.
%1</translation>
    </message>
    <message>
        <source>目印ファイルの形式が正しくありません（%1行目付近）。
%2</source>
        <translation>The marker file is not in the expected format (near line %1).
%2</translation>
    </message>
</context>
<context>
    <name>kavalo::OverlayData</name>
    <message>
        <source>シェープ</source>
        <translation>shapefile</translation>
    </message>
    <message>
        <source>ファイルが空です。</source>
        <translation>The file is empty.</translation>
    </message>
    <message>
        <source>GPX・KML・KMZ・GeoJSON・シェープのどのファイルでもありません。</source>
        <translation>It is neither GPX, KML, KMZ, GeoJSON nor a shapefile.</translation>
    </message>
    <message>
        <source>%1ファイルではありません。</source>
        <translation>It is not in %1 format.</translation>
    </message>
    <message>
        <source>%1行目で途切れているか、壊れています。</source>
        <translation>It is truncated or damaged at line %1.</translation>
    </message>
    <message>
        <source>途中で途切れているか、壊れています。</source>
        <translation>It is truncated or damaged.</translation>
    </message>
    <message>
        <source>%1行目に長すぎる値（名前や説明）があり、壊れたファイルと見られます。</source>
        <translation>Line %1 has an overly long value (a name or description); the file appears to be damaged.</translation>
    </message>
    <message>
        <source>長すぎる値（名前や説明）があり、壊れたファイルと見られます。</source>
        <translation>It has an overly long value (a name or description); the file appears to be damaged.</translation>
    </message>
    <message>
        <source>中のファイルが多すぎます（上限%1個）。</source>
        <translation>It contains too many files (at most %1).</translation>
    </message>
    <message>
        <source>展開すると大きすぎます（上限%1MB）。</source>
        <translation>It is too large when extracted (at most %1 MB).</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます（上限%1MB）。</source>
        <translation>The file is too large (at most %1 MB).</translation>
    </message>
    <message>
        <source>「%1」を読み込めません。</source>
        <translation>Cannot read “%1”.</translation>
    </message>
    <message>
        <source>「%1」の座標系を世界測地系に変換できません。</source>
        <translation>The coordinate reference system of “%1” cannot be converted to the world geodetic system.</translation>
    </message>
    <message>
        <source>「%1」には、この地域にかかる地物がありません。</source>
        <translation>“%1” has no features within this region.</translation>
    </message>
    <message>
        <source>「%1」を読み込めません。%2</source>
        <translation>Cannot read “%1”. %2</translation>
    </message>
</context>
<context>
    <name>kavalo::OverlayList</name>
    <message>
        <source>「%1」を読み込めません。</source>
        <translation>Cannot read “%1”.</translation>
    </message>
    <message>
        <source>「%1」を削除できません。</source>
        <translation>Cannot delete “%1”.</translation>
    </message>
</context>
<context>
    <name>kavalo::PlaceNames</name>
    <message>
        <source>地名ファイル「placename.dat」を読み込めません。
%1</source>
        <translation>Cannot read the place-name file “placename.dat”.
%1</translation>
    </message>
    <message>
        <source>地名ファイル「placename.dat」の形式が正しくありません（%1件目）。
%2</source>
        <translation>The place-name file “placename.dat” is not in the expected format (entry %1).
%2</translation>
    </message>
</context>
<context>
    <name>kavalo::PlaceSearch</name>
    <message>
        <source>行政</source>
        <translation>administrative</translation>
    </message>
    <message>
        <source>居住</source>
        <translation>settlement</translation>
    </message>
    <message>
        <source>自然</source>
        <translation>natural feature</translation>
    </message>
    <message>
        <source>交通</source>
        <translation>transport</translation>
    </message>
    <message>
        <source>施設</source>
        <translation>facility</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1（%2）%3</source>
        <translation>%1 (%2), %3</translation>
    </message>
</context>
<context>
    <name>kavalo::PositionText</name>
    <message>
        <source>世界測地系</source>
        <translation>World geodetic system</translation>
    </message>
    <message>
        <source>日本測地系</source>
        <translation>Tokyo datum</translation>
    </message>
    <message>
        <source>北緯%1度%2分%3秒</source>
        <translation>%1°%2′%3″ N</translation>
    </message>
    <message>
        <source>南緯%1度%2分%3秒</source>
        <translation>%1°%2′%3″ S</translation>
    </message>
    <message>
        <source>東経%1度%2分%3秒</source>
        <translation>%1°%2′%3″ E</translation>
    </message>
    <message>
        <source>西経%1度%2分%3秒</source>
        <translation>%1°%2′%3″ W</translation>
    </message>
    <message>
        <source>世界測地系&#x3000;%1</source>
        <translation>World geodetic system: %1</translation>
    </message>
    <message>
        <source>日本測地系&#x3000;%1</source>
        <translation>Tokyo datum: %1</translation>
    </message>
    <message>
        <source>緯度は-90～90度、経度は-180～180度で入力してください。</source>
        <translation>Enter a latitude from -90 to 90 degrees and a longitude from -180 to 180 degrees.</translation>
    </message>
    <message>
        <source>分と秒は60未満で入力してください。</source>
        <translation>Minutes and seconds must be less than 60.</translation>
    </message>
    <message>
        <source>緯度と経度を一つずつ入力してください。</source>
        <translation>Enter one latitude and one longitude.</translation>
    </message>
    <message>
        <source>位置を入力してください。</source>
        <translation>Enter a position.</translation>
    </message>
    <message>
        <source>「35.6812, 139.7671」、「北緯35度40分52.3秒 東経139度46分1.56秒」またはメッシュコードで入力してください。</source>
        <translation>Enter a position as “35.6812, 139.7671”, as “35°40′52.3″ N 139°46′1.56″ E” or as a mesh code.</translation>
    </message>
</context>
<context>
    <name>kavalo::PrintCommand</name>
    <message>
        <source>表示中のデータはA4サイズ以上の大きさでは印刷できません。</source>
        <translation>The data shown cannot be printed at A4 size or larger.</translation>
    </message>
</context>
<context>
    <name>kavalo::Ruler</name>
    <message>
        <source>%1&#x3000;%2</source>
        <comment>length and area</comment>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>kavalo::SheetHistory</name>
    <message>
        <source>図歴.csvの値が足りません（%1行目）。</source>
        <translation>図歴.csv (the sheet history) has too few values (line %1).</translation>
    </message>
</context>
<context>
    <name>kavalo::UiColorDialogs</name>
    <message>
        <source>色の設定</source>
        <translation>Colour</translation>
    </message>
</context>
<context>
    <name>kavalo::UserEras</name>
    <message>
        <source>「%1」に時期「%2」が見つかりません。</source>
        <translation>Era “%2” was not found in “%1”.</translation>
    </message>
    <message>
        <source>名前を入力してください。</source>
        <translation>Enter a name.</translation>
    </message>
    <message>
        <source>この時期の名前は変更できません。</source>
        <translation>This era cannot be renamed.</translation>
    </message>
    <message>
        <source>この時期は削除できません。</source>
        <translation>This era cannot be deleted.</translation>
    </message>
</context>
<context>
    <name>kavalo::ViewLink</name>
    <message>
        <source>kavalo://view?… の形のリンクではありません。</source>
        <translation>This is not a link of the form kavalo://view?…</translation>
    </message>
    <message>
        <source>リンクの緯度・経度が正しくありません。</source>
        <translation>The latitude or longitude of the link is not valid.</translation>
    </message>
    <message>
        <source>リンクのズームは%1～%2%で指定してください。</source>
        <translation>The zoom of the link must be from %1 to %2%.</translation>
    </message>
</context>
<context>
    <name>kavalo::XyzEras</name>
    <message>
        <source>「%1」を削除できません。</source>
        <translation>Cannot delete “%1”.</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Shift-JISで保存できない文字があります。</source>
        <translation>Some characters cannot be saved in Shift-JIS.</translation>
    </message>
</context>
<context>
    <name>kavalo::frmAltitudeColor</name>
    <message>
        <source>標高データの色設定</source>
        <translation>Elevation Colours</translation>
    </message>
    <message>
        <source>最高点:%1</source>
        <translation>Highest point: %1</translation>
    </message>
    <message>
        <source>最低点:%1</source>
        <translation>Lowest point: %1</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>最高</source>
        <translation>Highest</translation>
    </message>
    <message>
        <source>最低</source>
        <translation>Lowest</translation>
    </message>
    <message>
        <source>海面</source>
        <translation>Sea</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>標高順に並べ替え</source>
        <translation>Sort by elevation</translation>
    </message>
    <message>
        <source>陰影</source>
        <translation>Relief shading</translation>
    </message>
    <message>
        <source>陰影をつける</source>
        <translation>Shade relief</translation>
    </message>
    <message>
        <source>北西</source>
        <translation>Northwest</translation>
    </message>
    <message>
        <source>北東</source>
        <translation>Northeast</translation>
    </message>
    <message>
        <source>南西</source>
        <translation>Southwest</translation>
    </message>
    <message>
        <source>南東</source>
        <translation>Southeast</translation>
    </message>
    <message>
        <source>光源</source>
        <translation>Light from</translation>
    </message>
    <message>
        <source>強度</source>
        <translation>Strength</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>kavalo::frmAltitudeColor_Dataset</name>
    <message>
        <source>標高色設定選択・変更</source>
        <translation>Choose and Edit Elevation Colours</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>色のデータセットを追加します</source>
        <translation>Adds a colour set</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>色を修正します</source>
        <translation>Edits the colours</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>ｺﾋﾟｰ</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>同じ設定をコピーします</source>
        <translation>Makes a copy of this set</translation>
    </message>
    <message>
        <source>削除されるデータセットが選択されています</source>
        <translation>The chosen colour set is marked for deletion</translation>
    </message>
</context>
<context>
    <name>kavalo::frmColor</name>
    <message>
        <source>色の指定</source>
        <translation>Choose a Colour</translation>
    </message>
    <message>
        <source>詳細</source>
        <translation>More…</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>kavalo::frmLegend</name>
    <message>
        <source>凡例</source>
        <translation>Legend</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
</context>
<context>
    <name>kavalo::frmMarkSet</name>
    <message>
        <source>目印設定</source>
        <translation>Marker</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>名称を入力してください。</source>
        <translation>Enter a name.</translation>
    </message>
</context>
<context>
    <name>kavalo::frmPosition</name>
    <message>
        <source>表示位置</source>
        <translation>Go To</translation>
    </message>
    <message>
        <source>※画像の中で暗くなっている部分は、表示中の時期の地形図が含まれていない場所です</source>
        <translation>* Darkened parts of the picture are places that the maps of the shown era do not cover</translation>
    </message>
    <message>
        <source>地名・施設検索</source>
        <translation>Find a place or facility</translation>
    </message>
    <message>
        <source>地名・緯度経度・メッシュコード</source>
        <translation>Place name, latitude and longitude, or mesh code</translation>
    </message>
    <message>
        <source>地名のほか、「35.6812, 139.7671」、「北緯35度40分52.3秒 東経139度46分1.56秒」、geo: URI、地域メッシュコード（5339-46-30）で移動できます</source>
        <translation>Besides a place name, you can go to “35.6812, 139.7671”, “35°40′52.3″ N 139°46′1.56″ E”, a geo: URI or a regional mesh code (5339-46-30)</translation>
    </message>
    <message>
        <source>検索</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>目印に追加</source>
        <translation>Add as marker</translation>
    </message>
    <message>
        <source>目印位置ジャンプ</source>
        <translation>Go to a marker</translation>
    </message>
    <message>
        <source>移動</source>
        <translation>Go</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>目印ファイル読込</source>
        <translation>Load marker file</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>その位置はこの地域の外です。</source>
        <translation>That position lies outside this region.</translation>
    </message>
    <message>
        <source>検索条件に当てはまる地名は見つかりませんでした。</source>
        <translation>No place name matches the search.</translation>
    </message>
    <message>
        <source>地図領域からはずれています。</source>
        <translation>That is outside the map area.</translation>
    </message>
    <message>
        <source>削除する目印を選択してください。</source>
        <translation>Choose the marker to delete.</translation>
    </message>
    <message>
        <source>目印を削除します。よろしいですか？</source>
        <translation>Delete the marker?</translation>
    </message>
    <message>
        <source>記号ファイル読み込み</source>
        <translation>Load Marker File</translation>
    </message>
    <message>
        <source>地図ファイル	*.kmk</source>
        <translation>Marker files	*.kmk</translation>
    </message>
    <message>
        <source>現在の目印を保存できないため、目印ファイルを読み込みませんでした。
%1</source>
        <translation>The marker file was not loaded because the current markers cannot be saved.
%1</translation>
    </message>
    <message>
        <source>目印ファイルが見つかりません。
%1</source>
        <translation>The marker file was not found.
%1</translation>
    </message>
</context>
</TS>
