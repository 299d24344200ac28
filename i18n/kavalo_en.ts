<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
    <context>
        <name>kavalo::AcquireRuns</name>
        <message>
            <source>%1処理には時間がかがります。よろしいですか？</source>
            <translation>%1 This may take some time. Continue?</translation>
        </message>
        <message>
            <source>電子国土サーバーに接続できません。</source>
            <translation>Cannot connect to the GSI map server.</translation>
        </message>
        <message>
            <source>国土地理院「電子国土基本図（地図情報）」から地形図画像をインターネットを介して取得します。</source>
            <translation>Topographic map images will be fetched over the internet from GSI's "Digital Japan Basic Map (maps)".</translation>
        </message>
        <message>
            <source>時期を選択してください。</source>
            <translation>Please choose a period.</translation>
        </message>
        <message>
            <source>国土地理院「東日本大震災被災地周辺の空中写真」画像をインターネットを介して取得します。</source>
            <translation>GSI's "Aerial photographs of the areas affected by the Great East Japan Earthquake" will be fetched over the internet.</translation>
        </message>
        <message>
            <source>国土地理院「東日本大震災被災地周辺の空中写真2011年5-6月」画像をインターネットを介して取得します。</source>
            <translation>GSI's "Aerial photographs of the areas affected by the Great East Japan Earthquake, May-June 2011" will be fetched over the internet.</translation>
        </message>
        <message>
            <source>国土地理院「国土画像情報」から%1の空中写真画像をインターネットを介して取得します。</source>
            <translation>The aerial photographs of %1 will be fetched over the internet from GSI's "National Land Image Information".</translation>
        </message>
        <message>
            <source>国土地理院「電子国土基本図（オルソ画像）」から空中写真画像をインターネットを介して取得します。</source>
            <translation>Aerial photographs will be fetched over the internet from GSI's "Digital Japan Basic Map (orthophotos)".</translation>
        </message>
        <message>
            <source>オルソ化空中写真画像の取得に失敗しました。</source>
            <translation>Fetching the orthorectified aerial photographs failed.</translation>
        </message>
        <message>
            <source>電子国土基本図（地図情報）の取得に失敗しました。</source>
            <translation>Fetching the Digital Japan Basic Map (maps) failed.</translation>
        </message>
        <message>
            <source>%1に電子国土基本図（地図情報）を追加しました。</source>
            <translation>The Digital Japan Basic Map (maps) has been added to %1.</translation>
        </message>
        <message>
            <source>%1に空中写真画像を追加しました。</source>
            <translation>The aerial photographs have been added to %1.</translation>
        </message>
        <message>
            <source>%1に電子国土基本図（オルソ画像）を追加しました。</source>
            <translation>The Digital Japan Basic Map (orthophotos) has been added to %1.</translation>
        </message>
        <message>
            <source>「歴史的農業環境閲覧システム」サーバーに接続できません。</source>
            <translation>Cannot connect to the "Historical Agro-Environment Browsing System" server.</translation>
        </message>
        <message>
            <source>歴史的農業環境閲覧システム(農業環境技術研究所)から迅速測図画像をインターネットを介して取得します。</source>
            <translation>Rapid Survey Map images will be fetched over the internet from the Historical Agro-Environment Browsing System (National Institute for Agro-Environmental Sciences).</translation>
        </message>
        <message>
            <source>迅速測図画像の取得に失敗しました。</source>
            <translation>Fetching the Rapid Survey Map images failed.</translation>
        </message>
        <message>
            <source>
迅速測図画像の取得に失敗しました。</source>
            <translation>
Fetching the Rapid Survey Map images failed.</translation>
        </message>
        <message>
            <source>%1の迅速測図画像を更新しました。</source>
            <translation>The Rapid Survey Map images of %1 have been updated.</translation>
        </message>
        <message>
            <source>%1に迅速測図画像を追加しました。</source>
            <translation>The Rapid Survey Map images have been added to %1.</translation>
        </message>
        <message>
            <source>フォルダ「%1」を置き換えられません。</source>
            <translation>Cannot replace the folder "%1".</translation>
        </message>
        <message>
            <source>URLには{z}、{x}、{y}を含めてください（ズームは0～22）。</source>
            <translation>The URL must contain {z}, {x} and {y} (zoom 0 to 22).</translation>
        </message>
        <message>
            <source>出典を入力してください（タイルの提供元が求める表示です）。</source>
            <translation>Please enter the credit (the attribution the tile provider requires).</translation>
        </message>
        <message>
            <source>出典</source>
            <translation>Credit</translation>
        </message>
        <message>
            <source>名前</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>%1：%2</source>
            <translation>%1: %2</translation>
        </message>
        <message>
            <source>このURLの時期「%1」は取得済みです。取得し直すには --update を付けてください。</source>
            <translation>The era "%1" of this URL has already been fetched. Add --update to fetch it again.</translation>
        </message>
        <message>
            <source>このURLの時期「%1」は取得済みです。</source>
            <translation>The era "%1" of this URL has already been fetched.</translation>
        </message>
        <message>
            <source>取得し直して更新しますか？</source>
            <translation>Fetch it again and update it?</translation>
        </message>
        <message>
            <source>XYZタイル「%1」から画像をインターネットを介して取得します。</source>
            <translation>Images will be fetched over the internet from the XYZ tiles "%1".</translation>
        </message>
        <message>
            <source>XYZタイルの時期のフォルダ名が尽きました。</source>
            <translation>No folder names are left for XYZ tile eras.</translation>
        </message>
        <message>
            <source>XYZタイルの取得に失敗しました。</source>
            <translation>Fetching the XYZ tiles failed.</translation>
        </message>
        <message>
            <source>
XYZタイルの取得に失敗しました。</source>
            <translation>
Fetching the XYZ tiles failed.</translation>
        </message>
        <message>
            <source>%1のXYZタイル「%2」を更新しました。</source>
            <translation>The XYZ tiles "%2" of %1 have been updated.</translation>
        </message>
        <message>
            <source>%1にXYZタイル（地図）を追加しました。</source>
            <translation>XYZ tiles (map) have been added to %1.</translation>
        </message>
        <message>
            <source>%1にXYZタイル（写真）を追加しました。</source>
            <translation>XYZ tiles (photo) have been added to %1.</translation>
        </message>
    </context>
    <context>
        <name>kavalo::AgencyTiles</name>
        <message>
            <source>1974-1978年（空中写真）</source>
            <translation>1974-1978 (aerial photos)</translation>
        </message>
        <message>
            <source>1979-1983年（空中写真）</source>
            <translation>1979-1983 (aerial photos)</translation>
        </message>
        <message>
            <source>1984-1986年（空中写真）</source>
            <translation>1984-1986 (aerial photos)</translation>
        </message>
        <message>
            <source>1987-1990年（空中写真）</source>
            <translation>1987-1990 (aerial photos)</translation>
        </message>
        <message>
            <source>2011年東日本大震災被災後</source>
            <translation>2011, after the Great East Japan Earthquake</translation>
        </message>
        <message>
            <source>東日本大震災被災地2011年5～6月撮影</source>
            <translation>Areas struck by the Great East Japan Earthquake, photographed May–June 2011</translation>
        </message>
    </context>
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
        <name>kavalo::CommandHelp</name>
        <message>
            <source>--verbose turns the log messages on (standard error).</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>kavalo::Commands</name>
        <message>
            <source>0 when the command did its work; 1 when the work failed (standard error says what: a RootFolder or data folder that is missing, a file that cannot be read or written, a server that does not answer); 2 for a usage error: an unknown command or option, a missing option, a value out of range or an option that does not apply.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The dataset's web folder (server check, server list, tiles on demand), e.g. http://127.0.0.1:8080/kavalo/; --web-base overrides it. Like the other addresses it can also be set in servers.txt in the RootFolder (key web_base).</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The mapping agency's tile server and web portal (fetch-agency; --tile-server and --portal override them).</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The research institute's map service and web site (fetch-rapid-survey; --wms and --site).</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The tile template of fetch-xyz ({z}/{x}/{y}; --url).</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Turns log categories on, e.g. "kavalo.*=true" (kavalo.net, kavalo.render, kavalo.data); --verbose does the same for all of them.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Loads a data folder exactly as the window does and works on it without a display. Commands:</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>--verbose (before or after the command) turns the log messages on. Exit status: %1</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>the command line of Kavalo, for dataset authors and scripts</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>SYNOPSIS</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>DESCRIPTION</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>kavalo-cli loads a RootFolder and one of its data folders exactly as kavalo(1) does and works on it without a display: it prints what was loaded, composes views into pictures, reads the cursor readout, exports and prints, fetches new eras and map-sheet packages, and publishes a data folder as a web folder. The views are drawn through the same composition as the window's, on the offscreen platform.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>COMMANDS</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>OPTIONS</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Prints the usage (after a command: the command's usage and description) and exits.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Prints the program's name and version and exits.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The language of this help and of the messages relayed from the window's code, given before the command: ja (Japanese), en (English) or system (the default: Japanese for a Japanese locale, English for any other). The usage, option errors and machine-readable outputs are the same in every language.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Turns the log categories on (kavalo.net, kavalo.render, kavalo.data): every failed request with its address, status and reason, and the folders read, on standard error.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>EXIT STATUS</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>ENVIRONMENT</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>SEE ALSO</source>
            <translation type="unfinished" />
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
            <source>%1行目の引用符（"）が閉じていません。</source>
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
            <source>%1m</source>
            <translation>%1 m</translation>
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
            <comment>a scan's credit</comment>
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
            <source>　　　(世界測地系)</source>
            <translation>      (world geodetic system)</translation>
        </message>
        <message>
            <source>　　　(日本測地系)</source>
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
        <name>kavalo::DatasetConfig</name>
        <message>
            <source>「%1」の時期の数（%2）が地形図の数に対して多すぎます。
%3</source>
            <translation>"%1" lists more eras (%2) than there are topographic maps.
%3</translation>
        </message>
        <message>
            <source>「%1」が見つかりません。
%2</source>
            <translation>"%1" was not found.
%2</translation>
        </message>
    </context>
    <context>
        <name>kavalo::DatasetLoader</name>
        <message>
            <source>「%1」に時期が1つもありません。
%2</source>
            <translation>"%1" lists no eras.
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
            <translation>The folder name "%1" in the dataset list "dataset.txt" is not valid ("..", path separators and drive names are not allowed).
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
        <name>kavalo::ElevationPicture</name>
        <message>
            <source>%1
標高の色分けをせずに表示します。</source>
            <translation>%1
The map is shown without elevation colours.</translation>
        </message>
    </context>
    <context>
        <name>kavalo::EraAppend</name>
        <message>
            <source>%1取得</source>
            <comment>the date a period was fetched</comment>
            <translation>fetched %1</translation>
        </message>
        <message>
            <source>まだ取得していません</source>
            <translation>Not fetched yet</translation>
        </message>
    </context>
    <context>
        <name>kavalo::EraEditing</name>
        <message>
            <source>「%1」は追加した時期ではないため、名前の変更や削除はできません。</source>
            <translation>"%1" is not an era you added, so it cannot be renamed or deleted.</translation>
        </message>
        <message>
            <source>「%1」の名前を「%2」に変更しました。</source>
            <translation>Renamed "%1" to "%2".</translation>
        </message>
        <message>
            <source>「%1」を削除します。画像はごみ箱に移動します。よろしいですか？</source>
            <translation>Delete "%1"? Its images will be moved to the trash.</translation>
        </message>
        <message>
            <source>「%1」を削除しました。</source>
            <translation>Deleted "%1".</translation>
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
        <name>kavalo::ErasCommand</name>
        <message>
            <source>Renames or deletes an era the user added (from a tile service or a scan).</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>I is the era's index in the era list, as info prints it (eras are sorted by their first year). --rename gives the era the label TEXT in its info file; --delete takes it out of its info file and moves its folder to the desktop's trash. Only eras the user added can be changed (info marks them with "usersOwn": true); the eras of the dataset and of the mapping agency are refused with status 1. A label that the info file cannot hold (empty, a double quote, a line break, a character without a Shift-JIS form) is refused with status 1 and changes nothing.</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>kavalo::Export</name>
        <message>
            <source>%1は保存できませんでした。</source>
            <translation>%1 could not be saved.</translation>
        </message>
        <message>
            <source>%1のワールドファイルは保存できませんでした。</source>
            <translation>The world file of %1 could not be saved.</translation>
        </message>
        <message>
            <source>%1ファイルを保存できませんでした。</source>
            <translation>The %1 file could not be saved.</translation>
        </message>
    </context>
    <context>
        <name>kavalo::ExportCommand</name>
        <message>
            <source>Writes what the export dialog writes for the view, one image per era.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The view is given as for render (--era, --center, --zoom, --size, --mm-per-px, --layers without legend: the legend is a window of its own and is not exported, --link) and --overlay draws the user's files over every era. html: a page with an era switcher (Shift-JIS); kml: a KML set of ground overlays with time spans (UTF-8); kmz: one KMZ file holding the KML and the images. The images are PNG or JPEG (quality 80) of the view's size; --world-files adds a world file and a .prj of the world datum to each image (html and kml only). Every file is written under a temporary name and renamed only when all are complete.</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>kavalo::ExportEraCommand</name>
        <message>
            <source>Writes one era as one file that GIS tools open.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Era I (an index of the era table) is composed as the window composes it (its veils, masks and borrowed sheets; the elevation colours only with --elevation) and written through GDAL: gpkg a GeoPackage and mbtiles an MBTiles tile set of the era's web tiles (EPSG:3857, the zooms of the web map publish writes), cog a Cloud-Optimised GeoTIFF of the era's mosaic at its own resolution in longitude and latitude (EPSG:4326). FILE must not exist; it appears only when complete.</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>kavalo::FetchAgencyCommand</name>
        <message>
            <source>Adds an era from the mapping agency's tiles to the data folder.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>--source 0 the agency's base map, 1 the national air photos of period P (--period, required for them and only for them: a period the data folder offers and lacks), 2 the orthophoto; stitched from the agency's pieces into the folder's own tiles. Every question is answered Yes; the closing message goes to standard output. --tile-server and --portal override agency_tiles and agency_portal of servers.txt (and KAVALO_AGENCY_TILES, KAVALO_AGENCY_PORTAL). Status 0 when an era was added. A run that fails leaves nothing behind.</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>kavalo::FetchPackagesCommand</name>
        <message>
            <source>Fetches and unpacks the map-sheet packages of eras that lack files.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The package download of the window's Get sheets button for eras I, J… (indices of the era table, eras of the data folder's own map sheets), every question answered Yes: the server list of the dataset's web folder (--web-base, KAVALO_WEB_BASE or web_base of servers.txt), the number of packages of each era, then the numbered packages from the servers in turn, each checked entry by entry before it is unpacked. Progress goes to standard error, the run's messages to standard output, those of a failure to standard error. Eras that lack nothing are passed over; when every era given is complete each is listed as having all its files and the status is 0.</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>kavalo::FetchRapidSurveyCommand</name>
        <message>
            <source>Adds or updates the era of the rapid-survey maps from the research institute.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Cuts the data folder's tiles from the research institute's map service, for a data folder whose mapinfo.txt offers the rapid-survey maps (its key for them is 1; status 1 for any other). Every question is answered Yes; the closing message goes to standard output. --wms and --site override wms and wms_site of servers.txt (and KAVALO_WMS, KAVALO_WMS_SITE). Status 0 when the era was added or updated.</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>kavalo::FetchXyzCommand</name>
        <message>
            <source>Adds an era from any web-mercator tile service.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>TEMPLATE is an http(s) address with {z}, {x} and {y} (default: xyz of servers.txt or KAVALO_XYZ); Z the zoom level (0 to 22); the era is a map (masked, like the base map) or a photo of its own kind of source (xyz-map, xyz-photo), listed in map_xyz_info.txt, with the --attribution TEXT (required: the service's terms ask for it) in the credits and the --label TEXT in the era list (default: the year and the service's host). A data folder that has an era of the same template and kind already is refused with status 1, unless --update fetches that era anew (its tiles are replaced only when every one arrived). At most two requests run at a time. Every question is answered Yes; the closing message goes to standard output. Status 0 when an era was added or updated.</source>
            <translation type="unfinished" />
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
        <name>kavalo::GeorefCommand</name>
        <message>
            <source>Places a plain scan by control points and imports it as a new era.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Reads the control points of --points (a points file with its #CRS line, a CSV of x,y,lon,lat, or a georeference annotation, told apart by their content), fits the transform (--transform; the one the file names, else poly1) in a projected plane (the points' own system when it is projected, else the plane rectangular zone or UTM zone of the scan's centre), and imports the scan as an era as the import command does. --mask takes the scan's frame (an SVG polygon or a GeoJSON polygon in scan pixels); what lies outside it is left out. --report writes each point's residual and leave-one-out error in pixels and metres and both root mean squares as JSON; --dry-run computes and reports without importing. --geotiff also writes the scan as a GeoTIFF carrying the control points. The figures go to standard output, progress to standard error. Points that do not fit the scan (outside the image, too few for the transform, a transform that folds the scan over itself) are an error: status 1, nothing imported.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>「%1」の点は画像に合いません。%2</source>
            <translation>The points of “%1” do not fit the image. %2</translation>
        </message>
        <message>
            <source>GeoTIFF「%1」を書き出せません。%2</source>
            <translation>Cannot write the GeoTIFF "%1". %2</translation>
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
        <name>kavalo::HelpText</name>
        <message>
            <source>User Commands</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>NAME</source>
            <translation type="unfinished" />
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
        <name>kavalo::ImportCommand</name>
        <message>
            <source>Imports a georeferenced scan as a new era of the data folder.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Warps a GeoTIFF, or a PNG, JPEG or TIFF with a world file (and a .prj or .aux.xml), in any coordinate system, onto the data folder's own tiles and adds it as an era: a masked map (--kind map, the default) or a photo (--kind photo). --year and --credit are required; the label defaults to the file's name. Progress goes to standard error. A scan that cannot be read, has no georeferencing or does not overlap the region is refused and leaves nothing behind.</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>kavalo::ImportedEras</name>
        <message>
            <source>「"」は使えません。</source>
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
        <name>kavalo::InfoCommand</name>
        <message>
            <source>Prints the loaded data folder as JSON.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The data-folder list of dataset.txt, the settings of KAVALO.ini, the values of mapinfo.txt and what follows from them, the saved view, every era with its label and its source (sheets, agency-map, air-photo, agency-ortho, rapid-survey, twenty-thousand, xyz-map, xyz-photo, import-map, import-photo), and the sheet history, as one JSON object on standard output. --dataset chooses the data folder by its index in dataset.txt (default: the one KAVALO.ini names).</source>
            <translation type="unfinished" />
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
        <name>kavalo::MeasureCommand</name>
        <message>
            <source>Prints the geodesic length (and area) of a path on the world datum as JSON.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Each point is LAT,LON in decimal degrees on the world datum (a southern or western one with a minus sign). Prints {"length_m": …} with the length along the ellipsoid in metres; with --closed the path returns to its first point and {"area_m2": …} gives the area it encloses in square metres.</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>kavalo::Network</name>
        <message>
            <source>フォルダ%1を作成できませんでした。</source>
            <translation>The folder %1 could not be created.</translation>
        </message>
    </context>
    <context>
        <name>kavalo::OnlineMode</name>
        <message>
            <source>サーバーへの接続を行いますか？</source>
            <translation>Connect to the server?</translation>
        </message>
        <message>
            <source>サーバーに接続できませんでした。</source>
            <translation>Could not connect to the server.</translation>
        </message>
        <message>
            <source>サーバーに接続しました。</source>
            <translation>Connected to the server.</translation>
        </message>
        <message>
            <source>サーバー接続が中断しました。</source>
            <translation>The connection to the server was interrupted.</translation>
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
            <source>「%1」を読み込めません。%2</source>
            <translation>Cannot read “%1”. %2</translation>
        </message>
        <message>
            <source>「%1」の座標系を世界測地系に変換できません。</source>
            <translation>The coordinate reference system of “%1” cannot be converted to the world geodetic system.</translation>
        </message>
        <message>
            <source>「%1」には、この地域にかかる地物がありません。</source>
            <translation>“%1” has no features within this region.</translation>
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
        <name>kavalo::PackageDownload</name>
        <message>
            <source>%1／ファイル一覧なし：全ファイルが不足</source>
            <translation>%1 / no file list: all files missing</translation>
        </message>
        <message numerus="yes">
            <source>%1／%nファイルが不足</source>
            <translation>
                <numerusform>%1 / %n file missing</numerusform>
                <numerusform>%1 / %n files missing</numerusform>
            </translation>
        </message>
        <message>
            <source>%1:すべて取得済み</source>
            <translation>%1: all fetched</translation>
        </message>
        <message>
            <source>取得するデータを選択してください。</source>
            <translation>Please choose the data to fetch.</translation>
        </message>
        <message>
            <source>サーバーに接続できません。</source>
            <translation>Cannot connect to the server.</translation>
        </message>
        <message>
            <source>サーバーリストを取得できません。</source>
            <translation>Cannot fetch the server list.</translation>
        </message>
        <message>
            <source>サーバーから地形図をインターネットを介して取得します。処理には時間がかがります。よろしいですか？</source>
            <translation>Topographic maps will be fetched from the server over the internet. This may take some time. Continue?</translation>
        </message>
        <message>
            <source>ネット上のファイルが開けません。%1</source>
            <translation>Cannot open the files on the server: %1</translation>
        </message>
        <message>
            <source>ファイル一覧が取得できません。%1</source>
            <translation>Cannot fetch the file list: %1</translation>
        </message>
        <message>
            <source>ダウンロード中%1/%2</source>
            <translation>Downloading %1/%2</translation>
        </message>
        <message>
            <source>解凍できません。</source>
            <translation>Cannot unpack the package.</translation>
        </message>
        <message>
            <source>ネットのファイルが開けません。%1</source>
            <translation>Cannot open the file on the server: %1</translation>
        </message>
        <message>
            <source>画像データを取得しました。</source>
            <translation>The image data has been fetched.</translation>
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
            <source>世界測地系　%1</source>
            <translation>World geodetic system: %1</translation>
        </message>
        <message>
            <source>日本測地系　%1</source>
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
            <source>Prints the view as the print dialog would, to a printer or a PDF file.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The view is given as for render (--era, --center, --zoom, --size, --mm-per-px, --layers without legend: the legend is a window of its own and is not printed, --link) and --overlay draws the user's files over the map. --printer names a printer of the system (CUPS); --pdf writes a PDF file at 300 dpi. --paper and --orientation choose the sheet for this job only; the printer's own defaults are never changed. The map is fitted into the printable area; --print-size is the dialog's size of it in percent (10 to 100, default 100), and --offset-mm the map's top-left corner from the printable area's top-left in millimetres; without it the map is centred on the printable area. The mapping agency's maps and photos are refused on sheets larger than A4 (status 1).</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>表示中のデータはA4サイズ以上の大きさでは印刷できません。</source>
            <translation>The data shown cannot be printed at A4 size or larger.</translation>
        </message>
    </context>
    <context>
        <name>kavalo::PrintJob</name>
        <message>
            <source>PDFファイル</source>
            <translation>PDF file</translation>
        </message>
        <message>
            <source>印刷できませんでした。</source>
            <translation>Printing failed.</translation>
        </message>
    </context>
    <context>
        <name>kavalo::ProgramHelp</name>
        <message>
            <source>compare topographic maps of one region across eras</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>SYNOPSIS</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>DESCRIPTION</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Kavalo shows the maps of one region as they were drawn in different periods. A region is a data folder of tile images per era; pick an era and the same place stays on screen, so old and new maps are compared by stepping through the eras, side by side, with a swipe, a lens or blended. Over the map it draws elevation colours with relief shading, sheet lines, a scale bar and marks; the status area reads out latitude, longitude, elevation and the map sheet under the cursor. Views are exported as HTML or KML and printed. Further eras come from the mapping agency's tiles, the research institute's rapid-survey maps, any XYZ tile service, and the data folder's own packages.

The window speaks Japanese or English: the language of the system's locale (Japanese for a Japanese locale, English for any other), the setting language=system|ja|en in kavalo-window.ini, or --lang. The user manual opened by the Help button is kavalo.pdf in Japanese and kavalo-en.pdf in English.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>OPTIONS</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Prints this help and exits.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Prints the program's name and version and exits.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The language of the window, this help and the messages, for this start only: ja (Japanese), en (English) or system (the system's locale). Without it the setting language of kavalo-window.ini decides, and language=system (the default) follows the system's locale.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>A link to a view, kavalo://view?dataset=FOLDER&amp;era=FOLDER&amp;lat=LAT&amp;lon=LON&amp;zoom=PERCENT (world datum; every part but lat and lon may be left out): the program opens showing that view. The map's pop-up menu copies the link of the view shown.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>FILES</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The RootFolder unless KAVALO_ROOT names another: KAVALO.ini, dataset.txt (the list of data folders), colorset.txt, KAVALO_compare.ini, kavalo-window.ini, servers.txt and the data folders. On first start it is seeded with a copy of the sample region.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The fictional sample region the first start copies (beside the installed program: ../share/kavalo/sample).</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The user manual (Japanese).</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The user manual (English).</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>ENVIRONMENT</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The RootFolder to use instead of ~/.local/share/kavalo/.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The dataset's web folder (server check, server list, tiles fetched in online mode); overrides web_base of servers.txt.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The addresses of the outside services of the acquisition dialogs; override servers.txt.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>"kavalo.*=true" turns the log categories on (kavalo.net, kavalo.render, kavalo.data).</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>SEE ALSO</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>kavalo::PublishCommand</name>
        <message>
            <source>Writes the data folder's web folder, for any static web server.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>WEBDIR becomes the folder that the program's web base (web_base, KAVALO_WEB_BASE) points at: servercheck.txt, the server list download_serverlist210.txt naming each --mirror (in the order given) as holding the data folder, and the data folder's own folder with one folder per era: its tiles, fetched one by one in online mode, and for the eras of the data folder's own map sheets zipfilenum.txt and the packages 00.zip, 01.zip… of at most 25 of the files its check list names, with Shift-JIS names, for the window's Get sheets and fetch-packages. A mirror is a base address to which the data folder's name is appended; normally it is WEBDIR's own address (http://host/kavalo/).

The same data gives the same bytes. WEBDIR must be empty, new, or a web folder written before: the data folder's part is replaced only when the new one is complete, and the server list keeps the other data folders and servers it names. What is left out (files a check list names but the era lacks) is said on standard error; a summary goes to standard output.

--tiles also writes the data folder's web map in WEBDIR/maps/&lt;dataset&gt;/: per era a pyramid of 256 x 256 web tiles (EPSG:3857, &lt;era&gt;/{z}/{x}/{y}.png under tiles/) composed as the window composes the era, without elevation colours unless --elevation is given, from the zoom nearest the region's own resolution down to the zoom at which the region fits in one tile; a TileJSON per era (tiles/&lt;era&gt;/tilejson.json); eras.json listing the eras in time order; and index.html, the map page with its map library, working from any static host or from the disk. Tiles are composed on every core and written only when they change; an era none of whose files changed is not composed again. The map's address (the first mirror's maps/&lt;dataset&gt;/) is kept in the data folder's web_map.txt, so that the window can offer links to it. At least one --mirror is needed unless --tiles is given: --tiles without --mirror writes the web map alone (WEBDIR then holds only maps/).</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>kavalo::RapidSurvey</name>
        <message>
            <source>画像として読めません</source>
            <translation>cannot be read as an image</translation>
        </message>
    </context>
    <context>
        <name>kavalo::ReadoutCommand</name>
        <message>
            <source>Prints the cursor readout at a view pixel as JSON.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The view is given as for render (--link, --era, --center, --zoom, --size, --mm-per-px; --layers changes nothing here); PX,PY is a pixel of it. The JSON object holds the window's two captions as they read (lblInfo, lblMap, and bold when the sheet is borrowed from another edition), in the datum of --datum (0 Tokyo datum, 1 world datum; by default the one KAVALO.ini keeps), and the same facts as fields: tokyo and world, each with latitude and longitude in decimal degrees; elevation in metres (null over the sea or outside the elevation grid) and sea; sheet, edition and issued (null where the era has no sheet); borrowed.</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>kavalo::RenderCommand</name>
        <message>
            <source>Composes a view exactly as the window does and writes it as PNG.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The view: era I (an index of the era table), centre X,Y in image pixels, zoom Z in percent (50 to 400), a picture of W x H pixels and F millimetres per screen pixel; by default the view saved for the data folder, 1000x700 and 25.4/96 mm. --link kavalo://view?… names the data folder, era, centre and zoom at once (the other options override it). --layers lists what is drawn (by default the switches that are on at start); the elevation grid is read only when the altitude layer is on. legend puts the era's legend picture at its own size into the top-right corner of the view, where the legend window stands beside the map, and is refused (status 2) for an era without a legend or with --compare. --overlay draws a GPX, KML, KMZ, GeoJSON or Shapefile over the map (once per file, in order); a file that cannot be read is status 1. -o - writes the PNG to standard output.

With --compare B the view's era is compared with era B as the window shows it: side by side, a swipe at view x X (--split), a lens at X,Y of radius R (--lens, view pixels), or era B blended over it at P percent (--opacity).

--online switches online first, as a click on the indicator does (the server check of the dataset's web folder, --web-base or KAVALO_WEB_BASE or servers.txt), and fetches missing tiles while drawing. When the server check fails or a tile cannot be fetched the picture is still written, without those tiles, and the status is 1.</source>
            <translation type="unfinished" />
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
        <name>kavalo::Ruler</name>
        <message>
            <source>%1　%2</source>
            <comment>length and area</comment>
            <translation>%1, %2</translation>
        </message>
    </context>
    <context>
        <name>kavalo::SaveFileDialog</name>
        <message>
            <source>拡張子を正しい%1に変更します。</source>
            <translation>The extension will be changed to the correct .%1.</translation>
        </message>
        <message>
            <source>%1は既に存在します。
上書きしますか？</source>
            <translation>%1 already exists.
Replace it?</translation>
        </message>
    </context>
    <context>
        <name>kavalo::ScanImport</name>
        <message>
            <source>「%1」を読み込めません。</source>
            <translation>Cannot read “%1”.</translation>
        </message>
        <message>
            <source>「%1」には位置の情報がありません。GeoTIFFか、ワールドファイル付きの画像を選んでください。</source>
            <translation>"%1" has no georeferencing. Please choose a GeoTIFF or an image with a world file.</translation>
        </message>
        <message>
            <source>「%1」の座標系がわかりません。座標系を書いた.prjか.aux.xmlを画像と同じフォルダに置いてください。</source>
            <translation>The coordinate system of "%1" is unknown. Please put a .prj or .aux.xml that states it in the same folder as the image.</translation>
        </message>
        <message>
            <source>「%1」の座標系を世界測地系に変換できません。</source>
            <translation>The coordinate reference system of “%1” cannot be converted to the world geodetic system.</translation>
        </message>
        <message>
            <source>「%1」を地図に合わせられませんでした。</source>
            <translation>"%1" could not be fitted to the map.</translation>
        </message>
        <message>
            <source>%1年（%2）</source>
            <comment>the label made for an imported scan</comment>
            <translation>%1 (%2)</translation>
        </message>
        <message>
            <source>「%1」はこの地域と重なりません。</source>
            <translation>"%1" does not overlap this region.</translation>
        </message>
        <message>
            <source>年は1～9999で入力してください。</source>
            <translation>Please enter a year from 1 to 9999.</translation>
        </message>
        <message>
            <source>出典を入力してください。</source>
            <translation>Please enter the credit.</translation>
        </message>
        <message>
            <source>ファイル名</source>
            <translation>File name</translation>
        </message>
        <message>
            <source>名前</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>出典</source>
            <translation>Credit</translation>
        </message>
        <message>
            <source>%1に%2</source>
            <comment>what of the import, what is wrong with it</comment>
            <translation>%1: %2</translation>
        </message>
        <message>
            <source>「%1」は%2×%3ピクセルと大きすぎます。取り込めるのは一辺%4ピクセルまでのスキャンです。</source>
            <translation>"%1" is too large at %2 × %3 pixels. Scans of up to %4 pixels a side can be imported.</translation>
        </message>
        <message>
            <source>取り込んだ時期のフォルダ名が尽きました。</source>
            <translation>No folder names are left for imported eras.</translation>
        </message>
        <message>
            <source>フォルダ「%1」を作成できません。</source>
            <translation>Cannot create the folder "%1".</translation>
        </message>
        <message>
            <source>取り込みを中止しました。</source>
            <translation>The import was cancelled.</translation>
        </message>
        <message>
            <source>
「%1」を取り込めませんでした。</source>
            <translation>
"%1" could not be imported.</translation>
        </message>
        <message>
            <source>%1に「%2」を追加しました。</source>
            <translation>"%2" has been added to %1.</translation>
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
        <name>kavalo::ShortageCommand</name>
        <message>
            <source>Prints each map-sheet era with the files it lacks, as JSON.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>For every era of the data folder's own map sheets: its index, its folder, the line the package dialog shows for it, whether its gazo_check_list.txt is missing (then the era lacks every file), and the image files its list names but its folder lacks.</source>
            <translation type="unfinished" />
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
        <name>kavalo::TimelapseCommand</name>
        <message>
            <source>Writes the eras of the view as a film (animated WebP, GIF or MP4).</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The view is given as for render (--center, --zoom, --size: the film's size, --mm-per-px, --layers without legend, --link); each era is composed as the export composes it, with its credits, and its label (in the data folder's label style) is burned into the corner --label-corner names (tl by default; none for no label). --eras lists the eras by their index in the era table, in the order shown (by default the eras of the era list); an era that has no map anywhere under the view is left out, with a note on standard error.

Each era is on screen for --seconds S in all (2 by default, at most 60), its cross-fade of --fade S into the next era included (0 by default); --fps N frames per second (30 by default, 1 to 60). A frame identical to the one before is not stored again: WebP and GIF lengthen the frame before; MP4 keeps its constant frame rate.

webp: animated WebP, lossy (--quality Q, 80 by default) or --lossless. gif: a palette of its own for every frame. mp4: H.264 in yuv420p with the moov index first, encoded by the ffmpeg program (KAVALO_FFMPEG names another), --preset P (medium) and --crf N (20); the width and height are made even. The film is written under a temporary name and renamed only when whole; a failure leaves no file.</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>kavalo::Transfer</name>
        <message numerus="yes">
            <source>%nバイト</source>
            <translation>
                <numerusform>%n byte</numerusform>
                <numerusform>%n bytes</numerusform>
            </translation>
        </message>
        <message>
            <source>接続を拒否されました</source>
            <translation>connection refused</translation>
        </message>
        <message>
            <source>接続が閉じられました</source>
            <translation>connection closed</translation>
        </message>
        <message>
            <source>サーバーが見つかりません</source>
            <translation>server not found</translation>
        </message>
        <message>
            <source>応答がありません</source>
            <translation>no response</translation>
        </message>
        <message>
            <source>暗号化通信を始められません</source>
            <translation>cannot start a secure connection</translation>
        </message>
        <message>
            <source>ネットワークが使えません</source>
            <translation>network unavailable</translation>
        </message>
        <message>
            <source>プロキシに接続できません</source>
            <translation>cannot connect to the proxy</translation>
        </message>
        <message>
            <source>転送が多すぎます</source>
            <translation>too many redirects</translation>
        </message>
        <message>
            <source>暗号化されていないアドレスへ転送されました</source>
            <translation>redirected to an unencrypted address</translation>
        </message>
        <message>
            <source>ウェブのアドレスではありません</source>
            <translation>not a web address</translation>
        </message>
        <message>
            <source>通信が乱れました</source>
            <translation>protocol failure</translation>
        </message>
        <message>
            <source>通信の誤り（%1）</source>
            <translation>network error (%1)</translation>
        </message>
        <message>
            <source>取得しました</source>
            <translation>fetched</translation>
        </message>
        <message>
            <source>サーバーにありません</source>
            <translation>not on the server</translation>
        </message>
        <message>
            <source>サーバーが断りました</source>
            <translation>refused by the server</translation>
        </message>
        <message>
            <source>接続できません</source>
            <translation>cannot connect</translation>
        </message>
        <message>
            <source>時間切れです</source>
            <translation>timed out</translation>
        </message>
        <message>
            <source>遅すぎます</source>
            <translation>too slow</translation>
        </message>
        <message>
            <source>大きすぎます</source>
            <translation>too large</translation>
        </message>
        <message>
            <source>途中で切れました</source>
            <translation>cut short</translation>
        </message>
        <message>
            <source>書き込めません</source>
            <translation>cannot write</translation>
        </message>
        <message>
            <source>求めたものではありません</source>
            <translation>not what was asked for</translation>
        </message>
        <message>
            <source>中止しました</source>
            <translation>cancelled</translation>
        </message>
        <message>
            <source>（HTTP %1）</source>
            <translation> (HTTP %1)</translation>
        </message>
        <message>
            <source>、%1</source>
            <comment>the reason after the outcome</comment>
            <translation>, %1</translation>
        </message>
        <message>
            <source>%1秒以内に全体が届きません</source>
            <translation>not complete within %1 s</translation>
        </message>
        <message>
            <source>http と https のアドレスだけを使います</source>
            <translation>only http and https addresses are used</translation>
        </message>
        <message>
            <source>%1 のディスクに空きがありません</source>
            <translation>the disk of %1 is full</translation>
        </message>
        <message>
            <source>%1 に書き込めません</source>
            <translation>cannot write to %1</translation>
        </message>
        <message>
            <source>%1 へ転送されました</source>
            <translation>redirected to %1</translation>
        </message>
        <message>
            <source>%1と告げられました（上限%2）</source>
            <translation>%1 announced (limit %2)</translation>
        </message>
        <message>
            <source>%1を超えました</source>
            <translation>more than %1</translation>
        </message>
        <message>
            <source>直近%2秒で%1</source>
            <translation>only %1 in the last %2 s</translation>
        </message>
        <message>
            <source>%1秒間何も届きません</source>
            <translation>nothing received for %1 s</translation>
        </message>
        <message>
            <source>転送先へは進みません</source>
            <translation>the redirect is not followed</translation>
        </message>
        <message>
            <source>%2のうち%1だけ届きました</source>
            <translation>only %1 of %2 received</translation>
        </message>
        <message>
            <source>パッケージが終わりの記録の前で切れています</source>
            <translation>the package ends before its end record</translation>
        </message>
    </context>
    <context>
        <name>kavalo::Trash</name>
        <message>
            <source>「%1」をごみ箱に移動できません。</source>
            <translation>Cannot move "%1" to the trash.</translation>
        </message>
    </context>
    <context>
        <name>kavalo::UiAcquisitionDialog</name>
        <message>
            <source>データ取得</source>
            <translation>Get data</translation>
        </message>
        <message>
            <source>キャンセル</source>
            <translation>Cancel</translation>
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
        <name>kavalo::WebViewerTexts</name>
        <message>
            <source>比較の方法</source>
            <translation>How to compare</translation>
        </message>
        <message>
            <source>Kavalo で開く</source>
            <translation>Open in Kavalo</translation>
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
            <source>並べる</source>
            <translation>Side by side</translation>
        </message>
        <message>
            <source>レンズ</source>
            <translation>Lens</translation>
        </message>
        <message>
            <source>重ねる</source>
            <translation>Blend</translation>
        </message>
        <message>
            <source>時期</source>
            <translation>Era</translation>
        </message>
        <message>
            <source>比較</source>
            <translation>Compare</translation>
        </message>
        <message>
            <source>なし</source>
            <translation>none</translation>
        </message>
        <message>
            <source>地図のデータ (eras.js) が読めません。</source>
            <translation>Cannot read the map data (eras.js).</translation>
        </message>
        <message>
            <source>北緯</source>
            <translation>N </translation>
        </message>
        <message>
            <source>南緯</source>
            <translation>S </translation>
        </message>
        <message>
            <source>東経</source>
            <translation>E </translation>
        </message>
        <message>
            <source>西経</source>
            <translation>W </translation>
        </message>
        <message>
            <source> ・ </source>
            <translation> · </translation>
        </message>
        <message>
            <source>ja</source>
            <comment>the language code of the map page</comment>
            <translation>en</translation>
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
            <translation>sea level</translation>
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
            <translation>Outlines the map's frame with a polygon (click the first corner to close it, Esc to cancel)</translation>
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
            <source>残差の RMSE: -　一点除外の RMSE: -</source>
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
            <source>　一点除外の RMSE: %1 px（%2 m）</source>
            <translation>   Leave-one-out RMSE: %1 px (%2 m)</translation>
        </message>
        <message>
            <source>　一点除外の RMSE: -（点が足りません）</source>
            <translation>   Leave-one-out RMSE: - (too few points)</translation>
        </message>
        <message>
            <source>　最大の誤差: %1 番</source>
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
            <translation>Click the same place on the map, or type its coordinates and press "Add by coordinates".</translation>
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
            <translation>Enter the X (east) and Y (north) coordinates separated by ",".</translation>
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
"No" saves the original image with the control points and the name of the transformation.</translation>
        </message>
        <message>
            <source>GeoTIFF「%1」を書き出せません。%2</source>
            <translation>Cannot write the GeoTIFF "%1". %2</translation>
        </message>
    </context>
    <context>
        <name>kavalo::frmGetTikeizu</name>
        <message>
            <source>Kavalo付属地形図取得</source>
            <translation>Fetch Kavalo's own topographic maps</translation>
        </message>
        <message>
            <source>データ取得</source>
            <translation>Get data</translation>
        </message>
        <message>
            <source>キャンセル</source>
            <translation>Cancel</translation>
        </message>
    </context>
    <context>
        <name>kavalo::frmGetWatchizu</name>
        <message>
            <source>電子国土基本図（地図情報/オルソ画像）／国土画像情報空中写真画像取得</source>
            <translation>Fetch the Digital Japan Basic Map (maps / orthophotos) and aerial photographs</translation>
        </message>
        <message>
            <source>電子国土基本図（地図情報）</source>
            <translation>Basic Map (maps)</translation>
        </message>
        <message>
            <source>国土画像情報空中写真/東日本大震災被災地</source>
            <translation>Aerial photos / 2011 earthquake areas</translation>
        </message>
        <message>
            <source>電子国土基本図（オルソ画像）</source>
            <translation>Basic Map (orthophotos)</translation>
        </message>
        <message>
            <source>取得済みの電子国土基本図（地図情報）</source>
            <translation>Digital Japan Basic Map (maps) fetched</translation>
        </message>
        <message>
            <source>取得済みの電子国土基本図（オルソ画像）</source>
            <translation>Digital Japan Basic Map (orthophotos) fetched</translation>
        </message>
        <message>
            <source>取得済みの空中写真</source>
            <translation>Aerial photographs fetched</translation>
        </message>
        <message>
            <source>取得する時期</source>
            <translation>Period to fetch</translation>
        </message>
        <message>
            <source>国土地理院の規程により、保存したデータは私的利用の範囲でのみ利用できます。</source>
            <translation>Under GSI's terms, the saved data may be used for private purposes only.</translation>
        </message>
    </context>
    <context>
        <name>kavalo::frmGetXyz</name>
        <message>
            <source>XYZタイル取得</source>
            <translation>Fetch XYZ tiles</translation>
        </message>
        <message>
            <source>Webメルカトルのタイル（{z}/{x}/{y}）を取得して、現在のデータセットに新しい時期として追加します。取得したタイルは保存され、再度取得するときには使われます。</source>
            <translation>Fetches Web Mercator tiles ({z}/{x}/{y}) and adds them to the current dataset as a new era. The fetched tiles are kept and reused when the era is fetched again.</translation>
        </message>
        <message>
            <source>ズームレベル</source>
            <translation>Zoom level</translation>
        </message>
        <message>
            <source>地図（白地を透過）</source>
            <translation>Map (white shown transparent)</translation>
        </message>
        <message>
            <source>写真</source>
            <translation>Photo</translation>
        </message>
        <message>
            <source>種類</source>
            <translation>Kind</translation>
        </message>
        <message>
            <source>必須：提供元が求める表示（例：(C) 地図の提供元）</source>
            <translation>Required: the provider's attribution, e.g. (C) Map provider</translation>
        </message>
        <message>
            <source>出典</source>
            <translation>Credit</translation>
        </message>
        <message>
            <source>空欄：取得した年とサーバー名</source>
            <translation>Empty: year of the fetch and server name</translation>
        </message>
        <message>
            <source>名前</source>
            <translation>Name</translation>
        </message>
    </context>
    <context>
        <name>kavalo::frmImport</name>
        <message>
            <source>地図画像の取り込み</source>
            <translation>Import a map image</translation>
        </message>
        <message>
            <source>参照...</source>
            <translation>Browse...</translation>
        </message>
        <message>
            <source>位置合わせ...</source>
            <translation>Georeference...</translation>
        </message>
        <message>
            <source>位置情報のない画像に基準点を置いて位置を合わせます</source>
            <translation>Georeferences an image without location data by placing control points</translation>
        </message>
        <message>
            <source>ファイル</source>
            <translation>File</translation>
        </message>
        <message>
            <source>地図（白地を透過）</source>
            <translation>Map (white shown transparent)</translation>
        </message>
        <message>
            <source>写真</source>
            <translation>Photo</translation>
        </message>
        <message>
            <source>種類</source>
            <translation>Kind</translation>
        </message>
        <message>
            <source>年</source>
            <translation>Year</translation>
        </message>
        <message>
            <source>（年とファイル名）</source>
            <translation>(year and file name)</translation>
        </message>
        <message>
            <source>名前</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>出典</source>
            <translation>Credit</translation>
        </message>
        <message>
            <source>取り込み</source>
            <translation>Import</translation>
        </message>
        <message>
            <source>キャンセル</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>地図画像を開く</source>
            <translation>Open a map image</translation>
        </message>
        <message>
            <source>位置情報付きの画像</source>
            <translation>Georeferenced images</translation>
        </message>
        <message>
            <source>すべてのファイル</source>
            <translation>All files</translation>
        </message>
        <message>
            <source>基準点で位置合わせ済み（%1）</source>
            <translation>Georeferenced with control points (%1)</translation>
        </message>
        <message>
            <source>
位置情報のない画像は「位置合わせ...」で基準点を置いて取り込めます。</source>
            <translation>
An image without location data can be imported after placing control points with "Georeference...".</translation>
        </message>
        <message>
            <source>位置を合わせる画像を選んでください。</source>
            <translation>Please choose the image to georeference.</translation>
        </message>
        <message>
            <source>取り込む画像を選んでください。</source>
            <translation>Please choose the image to import.</translation>
        </message>
    </context>
    <context>
        <name>kavalo::frmJinnsoku</name>
        <message>
            <source>歴史的農業環境閲覧システム／迅速測図取得</source>
            <translation>Historical Agro-Environment Browsing System / fetch Rapid Survey Maps</translation>
        </message>
        <message>
            <source>インターネットに接続して、歴史的農業環境閲覧システム(農業環境技術研究所)から迅速測図画像を取得・保存します。</source>
            <translation>Connects to the internet and fetches and saves Rapid Survey Map images from the Historical Agro-Environment Browsing System (National Institute for Agro-Environmental Sciences).</translation>
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
        <name>kavalo::frmOutput</name>
        <message>
            <source>ファイル出力</source>
            <translation>Export to file</translation>
        </message>
        <message>
            <source>出力形式</source>
            <translation>Export format</translation>
        </message>
        <message>
            <source>HTML形式(Webブラウザ上で表示)</source>
            <translation>HTML (view in a web browser)</translation>
        </message>
        <message>
            <source>Webブラウザ上で表示する形式です</source>
            <translation>A page to view in a web browser</translation>
        </message>
        <message>
            <source>KML形式(Google Earthで表示)</source>
            <translation>KML (view in Google Earth)</translation>
        </message>
        <message>
            <source>Google Earth上で表示する形式です</source>
            <translation>A file to view in Google Earth</translation>
        </message>
        <message>
            <source>KMZ形式(KMLと画像を1ファイルにまとめる)</source>
            <translation>KMZ (KML and images in one file)</translation>
        </message>
        <message>
            <source>KMLと全画像を1つのファイルにまとめます。Google Earthで表示できます</source>
            <translation>Puts the KML and all images into one file, which Google Earth can show</translation>
        </message>
        <message>
            <source>Web地図(全時期のタイルとブラウザで見るページ)</source>
            <translation>Web map (tiles of every era and a page to view them in a browser)</translation>
        </message>
        <message>
            <source>全時期を標準のWebタイルにし、どのWebサーバーからでも見られる地図のページと一緒にフォルダーへ保存します</source>
            <translation>Turns every era into standard web tiles and saves them to a folder together with a map page that any web server can serve</translation>
        </message>
        <message>
            <source>画像ファイル</source>
            <translation>Image files</translation>
        </message>
        <message>
            <source>png形式(画面そのままだがファイルサイズが大きい)</source>
            <translation>PNG (exactly as on screen, but large files)</translation>
        </message>
        <message>
            <source>jpeg形式(多少粗くなるがファイルサイズが小さい)</source>
            <translation>JPEG (slightly coarser, but small files)</translation>
        </message>
        <message>
            <source>ワールドファイルも保存(GISで位置合わせ)</source>
            <translation>Also save world files (for placing in a GIS)</translation>
        </message>
        <message>
            <source>各画像の横に位置情報のファイル(.pgw/.jgwと.prj)を保存します。GISで重ねて表示できます</source>
            <translation>Saves georeferencing files (.pgw/.jgw and .prj) beside each image, so that a GIS can overlay them</translation>
        </message>
        <message>
            <source>保存ファイル</source>
            <translation>Save to...</translation>
        </message>
        <message>
            <source>動画...</source>
            <translation>Film...</translation>
        </message>
        <message>
            <source>時期を順に見せる動画(WebP、GIF、MP4)を保存します</source>
            <translation>Saves a film that shows the eras one after another (WebP, GIF, MP4)</translation>
        </message>
        <message>
            <source>キャンセル</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>未設定</source>
            <translation>Not set</translation>
        </message>
        <message>
            <source>%1ファイル名の設定</source>
            <translation>Name the %1 file</translation>
        </message>
        <message>
            <source>%1ファイル</source>
            <translation>%1 files</translation>
        </message>
        <message>
            <source>保存ファイルを指定してください。</source>
            <translation>Please choose the file to save to.</translation>
        </message>
        <message>
            <source>%1を保存しました。このファイルを開きますか？</source>
            <translation>%1 has been saved. Open the file now?</translation>
        </message>
        <message>
            <source>%1には他のファイルがあります。空のフォルダーを指定してください。</source>
            <translation>%1 holds other files. Please choose an empty folder.</translation>
        </message>
        <message>
            <source>Web地図を保存できませんでした。
%1</source>
            <translation>The web map could not be saved.
%1</translation>
        </message>
        <message>
            <source>%1にWeb地図を保存しました。地図のページを開きますか？</source>
            <translation>The web map has been saved to %1. Open the map page now?</translation>
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
            <translation>Delete this mark?</translation>
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
    <context>
        <name>kavalo::frmPrinter</name>
        <message>
            <source>印刷</source>
            <translation>Print</translation>
        </message>
        <message>
            <source>プリンタ</source>
            <translation>Printer</translation>
        </message>
        <message>
            <source>プロパティ</source>
            <translation>Properties</translation>
        </message>
        <message>
            <source>用紙</source>
            <translation>Paper</translation>
        </message>
        <message>
            <source> 用紙の向き</source>
            <translation> Orientation</translation>
        </message>
        <message>
            <source>縦</source>
            <translation>Portrait</translation>
        </message>
        <message>
            <source>横</source>
            <translation>Landscape</translation>
        </message>
        <message>
            <source>サイズ</source>
            <translation>Size</translation>
        </message>
        <message>
            <source>％</source>
            <translation>%</translation>
        </message>
        <message>
            <source>印刷実行</source>
            <translation>Print</translation>
        </message>
        <message>
            <source>キャンセル</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>プリンタのプロパティを取得できませんでした。</source>
            <translation>Could not read the printer's properties.</translation>
        </message>
        <message>
            <source>表示中のデータはA4サイズ以上の大きさでは印刷できません。</source>
            <translation>The data shown cannot be printed at A4 size or larger.</translation>
        </message>
        <message>
            <source>pdfファイル名の設定</source>
            <translation>Name the PDF file</translation>
        </message>
        <message>
            <source>pdfファイル</source>
            <translation>PDF files</translation>
        </message>
    </context>
    <context>
        <name>kavalo::frmSCR</name>
        <message>
            <source>オフライン</source>
            <translation>Offline</translation>
        </message>
        <message>
            <source>Kavaloを終了します。</source>
            <translation>Quit Kavalo?</translation>
        </message>
        <message>
            <source>データセット</source>
            <translation>Dataset</translation>
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
            <translation>Fit</translation>
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
            <source>移動量</source>
            <translation>Pan step</translation>
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
            <source>図幅情報</source>
            <translation>Sheet information</translation>
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
            <source>表示位置の各時期の地図：濃い＝その時期の図、淡い＝他の版の図、空＝なし</source>
            <translation>Maps of each era at the view: dark = the era's own sheet, light = a sheet of another edition, empty = none</translation>
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
            <source>比較する時期</source>
            <translation>Era to compare</translation>
        </message>
        <message>
            <source>比べ方</source>
            <translation>Comparison mode</translation>
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
            <source>重ねる時期の不透明度</source>
            <translation>Opacity of the era on top</translation>
        </message>
        <message>
            <source>%1　【%2】</source>
            <comment>window title: program version, dataset title</comment>
            <translation>%1 - %2</translation>
        </message>
        <message>
            <source>設定ファイル「mapinfo.txt」が見つかりません。</source>
            <translation>The settings file "mapinfo.txt" was not found.</translation>
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
            <source>ズーム</source>
            <translation>Zoom</translation>
        </message>
        <message>
            <source>現在地</source>
            <translation>Position</translation>
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
            <source>リンクを開けません：%1</source>
            <translation>Cannot open the link: %1</translation>
        </message>
        <message>
            <source>リンクのデータセット「%1」がありません。</source>
            <translation>The dataset "%1" of the link was not found.</translation>
        </message>
        <message>
            <source>リンクの時期「%1」がこのデータセットにありません。</source>
            <translation>The era "%1" of the link is not in this dataset.</translation>
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
            <translation>Cannot open "%1": its name contains a line break.</translation>
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
            <source>%1　　%2</source>
            <comment>status line: the readout, then the measure</comment>
            <translation>%1    %2</translation>
        </message>
    </context>
    <context>
        <name>kavalo::frmSetting</name>
        <message>
            <source>外部データ取得</source>
            <translation>Fetch external data</translation>
        </message>
        <message>
            <source>現在のデータセットに、インターネット上の地図・画像データを取得するか、手持ちの地図・写真を取り込んで、新しい時期として追加します</source>
            <translation>Adds a new era to the current dataset, either by fetching map and image data from the internet or by importing your own maps and photos</translation>
        </message>
        <message>
            <source>Kavalo／地形図データ取得</source>
            <translation>Kavalo / fetch topographic map data</translation>
        </message>
        <message>
            <source>国土地理院／電子国土基本図（地図情報/オルソ画像）・国土画像情報空中写真取得</source>
            <translation>GSI / Digital Japan Basic Map and aerial photographs</translation>
        </message>
        <message>
            <source>国土地理院「ウォッちず」から最新地形図画像を取得します</source>
            <translation>Fetches the latest topographic map images from GSI's "Watchizu"</translation>
        </message>
        <message>
            <source>歴史的農業環境閲覧システム／迅速測図取得</source>
            <translation>Historical Agro-Environment Browsing System / fetch Rapid Survey Maps</translation>
        </message>
        <message>
            <source>XYZタイル取得</source>
            <translation>Fetch XYZ tiles</translation>
        </message>
        <message>
            <source>Webメルカトルのタイル（{z}/{x}/{y}）を新しい時期として取得します</source>
            <translation>Fetches Web Mercator tiles ({z}/{x}/{y}) as a new era</translation>
        </message>
        <message>
            <source>手持ちの地図・写真の取り込み</source>
            <translation>Import your own maps and photos</translation>
        </message>
        <message>
            <source>位置情報付きの画像（GeoTIFF、ワールドファイル付きの画像）を新しい時期として取り込みます</source>
            <translation>Imports a georeferenced image (GeoTIFF, or an image with a world file) as a new era</translation>
        </message>
        <message>
            <source>キャンセル</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>歴史的農業環境閲覧システムの迅速測図は取得済です。</source>
            <translation>The Rapid Survey Maps of the Historical Agro-Environment Browsing System have already been fetched.</translation>
        </message>
        <message>
            <source>再度取得しますか？</source>
            <translation>Fetch them again?</translation>
        </message>
    </context>
    <context>
        <name>kavalo::frmTimelapse</name>
        <message>
            <source>動画出力</source>
            <translation>Export a film</translation>
        </message>
        <message>
            <source>時期</source>
            <translation>Era</translation>
        </message>
        <message>
            <source>動画に入れる時期。表示範囲に地図のない時期は入れられません</source>
            <translation>The eras to put in the film. An era with no map in the view cannot be included</translation>
        </message>
        <message>
            <source> 秒</source>
            <translation> s</translation>
        </message>
        <message>
            <source>1時期の表示時間</source>
            <translation>Time per era</translation>
        </message>
        <message>
            <source>なし</source>
            <translation>none</translation>
        </message>
        <message>
            <source>次の時期へ重ねながら切り替える時間(表示時間に含まれます)</source>
            <translation>Time spent blending into the next era (part of the time per era)</translation>
        </message>
        <message>
            <source>クロスフェード</source>
            <translation>Cross-fade</translation>
        </message>
        <message>
            <source>左上</source>
            <translation>Top left</translation>
        </message>
        <message>
            <source>右上</source>
            <translation>Top right</translation>
        </message>
        <message>
            <source>左下</source>
            <translation>Bottom left</translation>
        </message>
        <message>
            <source>右下</source>
            <translation>Bottom right</translation>
        </message>
        <message>
            <source>表示しない</source>
            <translation>Hidden</translation>
        </message>
        <message>
            <source>時期ラベル</source>
            <translation>Era label</translation>
        </message>
        <message>
            <source>表示のまま (%1x%2)</source>
            <translation>As shown (%1x%2)</translation>
        </message>
        <message>
            <source>%1 (正方形・SNS向け)</source>
            <translation>%1 (square, for social media)</translation>
        </message>
        <message>
            <source>大きさ</source>
            <translation>Size</translation>
        </message>
        <message>
            <source> コマ/秒</source>
            <translation> fps</translation>
        </message>
        <message>
            <source>フレームレート</source>
            <translation>Frame rate</translation>
        </message>
        <message>
            <source>形式</source>
            <translation>Format</translation>
        </message>
        <message>
            <source>WebP(アニメーション、ブラウザで再生)</source>
            <translation>WebP (animated, plays in browsers)</translation>
        </message>
        <message>
            <source>GIF(コマごとのパレット)</source>
            <translation>GIF (a palette per frame)</translation>
        </message>
        <message>
            <source>MP4(H.264、ブラウザやスマートフォンで再生)</source>
            <translation>MP4 (H.264, plays in browsers and on phones)</translation>
        </message>
        <message>
            <source>劣化なし(ファイルが大きくなります)</source>
            <translation>Lossless (larger files)</translation>
        </message>
        <message>
            <source>各時期の出典表示は動画にも入ります。</source>
            <translation>The credits of each era appear in the film as well.</translation>
        </message>
        <message>
            <source>保存ファイル</source>
            <translation>Save to...</translation>
        </message>
        <message>
            <source>未設定</source>
            <translation>Not set</translation>
        </message>
        <message>
            <source>キャンセル</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>%1(地図なし)</source>
            <translation>%1 (no map)</translation>
        </message>
        <message>
            <source>%1ファイル名の設定</source>
            <translation>Name the %1 file</translation>
        </message>
        <message>
            <source>%1ファイル</source>
            <translation>%1 files</translation>
        </message>
        <message>
            <source>動画を作成しています...</source>
            <translation>Making the film...</translation>
        </message>
        <message>
            <source>保存ファイルを指定してください。</source>
            <translation>Please choose the file to save to.</translation>
        </message>
        <message>
            <source>動画に入れる時期を選んでください。</source>
            <translation>Please choose the eras to put in the film.</translation>
        </message>
        <message>
            <source>クロスフェードは表示時間より短くしてください。</source>
            <translation>Please make the cross-fade shorter than the time per era.</translation>
        </message>
        <message>
            <source>%1は保存できませんでした。
%2</source>
            <translation>%1 could not be saved.
%2</translation>
        </message>
        <message>
            <source>%1を保存しました。このファイルを開きますか？</source>
            <translation>%1 has been saved. Open the file now?</translation>
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
            <translation>Shift-JIS conversion is not available. Check Qt's internationalisation support (ICU).</translation>
        </message>
    </context>
</TS>
