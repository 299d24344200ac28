<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
    <context>
        <name>kavalo::CommandHelp</name>
        <message>
            <source>--verbose turns the log messages on (standard error).</source>
            <translation>--verbose でログのメッセージを出します（標準エラー出力）。</translation>
        </message>
    </context>
    <context>
        <name>kavalo::Commands</name>
        <message>
            <source>0 when the command did its work; 1 when the work failed (standard error says what: a RootFolder or data folder that is missing, a file that cannot be read or written, a server that does not answer); 2 for a usage error: an unknown command or option, a missing option, a value out of range or an option that does not apply.</source>
            <translation>0 はコマンドが仕事を終えたとき。1 は仕事に失敗したとき（標準エラー出力に理由が出ます：ルートフォルダやデータフォルダがない、ファイルが読めない・書けない、サーバーが応答しない）。2 は使い方の誤り：知らないコマンドやオプション、足りないオプション、範囲外の値、当てはまらないオプション。</translation>
        </message>
        <message>
            <source>The dataset's web folder (server check, server list, tiles on demand), e.g. http://127.0.0.1:8080/kavalo/; --web-base overrides it. Like the other addresses it can also be set in servers.txt in the RootFolder (key web_base).</source>
            <translation>データセットの Web フォルダ（サーバーの確認、サーバーの一覧、その場で取得するタイル）。例：http://127.0.0.1:8080/kavalo/ 。 --web-base がこれより優先します。ほかのアドレスと同じく、ルートフォルダの servers.txt（キー web_base）でも指定できます。</translation>
        </message>
        <message>
            <source>The mapping agency's tile server and web portal (fetch-agency; --tile-server and --portal override them).</source>
            <translation>国の地図作成機関のタイルサーバーと Web ポータル（fetch-agency。 --tile-server と --portal がこれより優先します）。</translation>
        </message>
        <message>
            <source>The research institute's map service and web site (fetch-rapid-survey; --wms and --site).</source>
            <translation>研究機関の地図配信サービスと Web サイト（fetch-rapid-survey。 --wms と --site）。</translation>
        </message>
        <message>
            <source>The tile template of fetch-xyz ({z}/{x}/{y}; --url).</source>
            <translation>fetch-xyz のタイルのアドレスのひな形（{z}/{x}/{y}。 --url）。</translation>
        </message>
        <message>
            <source>Turns log categories on, e.g. "kavalo.*=true" (kavalo.net, kavalo.render, kavalo.data); --verbose does the same for all of them.</source>
            <translation>ログの分類を有効にします。例："kavalo.*=true"（kavalo.net、kavalo.render、kavalo.data）。 --verbose はそのすべてを有効にします。</translation>
        </message>
        <message>
            <source>Loads a data folder exactly as the window does and works on it without a display. Commands:</source>
            <translation>データフォルダを画面と同じように読み込み、画面なしで処理します。コマンド：</translation>
        </message>
        <message>
            <source>--verbose (before or after the command) turns the log messages on. Exit status: %1</source>
            <translation>--verbose（コマンドの前でも後でも可）でログのメッセージを出します。終了ステータス：%1</translation>
        </message>
        <message>
            <source>the command line of Kavalo, for dataset authors and scripts</source>
            <translation>Kavalo のコマンドライン（データセットの作成者とスクリプト向け）</translation>
        </message>
        <message>
            <source>SYNOPSIS</source>
            <translation>書式</translation>
        </message>
        <message>
            <source>DESCRIPTION</source>
            <translation>説明</translation>
        </message>
        <message>
            <source>kavalo-cli loads a RootFolder and one of its data folders exactly as kavalo(1) does and works on it without a display: it prints what was loaded, composes views into pictures, reads the cursor readout, exports and prints, fetches new eras and map-sheet packages, and publishes a data folder as a web folder. The views are drawn through the same composition as the window's, on the offscreen platform.</source>
            <translation>kavalo-cli は、ルートフォルダとそのデータフォルダの一つを kavalo(1) と同じように読み込み、画面なしで処理します。読み込んだ内容の表示、表示の画像への合成、マウス位置の情報表示の読み取り、出力と印刷、新しい時期と図幅のパッケージの取得、データフォルダの Web フォルダとしての公開ができます。表示は画面と同じ合成で、オフスクリーンのプラットフォームの上に描かれます。</translation>
        </message>
        <message>
            <source>COMMANDS</source>
            <translation>コマンド</translation>
        </message>
        <message>
            <source>OPTIONS</source>
            <translation>オプション</translation>
        </message>
        <message>
            <source>Prints the usage (after a command: the command's usage and description) and exits.</source>
            <translation>使い方（コマンドの後なら、そのコマンドの使い方と説明）を表示して終了します。</translation>
        </message>
        <message>
            <source>Prints the program's name and version and exits.</source>
            <translation>プログラムの名前とバージョンを表示して終了します。</translation>
        </message>
        <message>
            <source>The language of this help and of the messages relayed from the window's code, given before the command: ja (Japanese), en (English) or system (the default: Japanese for a Japanese locale, English for any other). The usage, option errors and machine-readable outputs are the same in every language.</source>
            <translation>このヘルプと、画面と共通のコードから伝えるメッセージの言語。コマンドの前に指定します。ja（日本語）、en（英語）、system（既定：日本語のロケールなら日本語、それ以外なら英語）のどれかです。使い方の行、オプションの誤りの表示、機械で読む出力はどの言語でも同じです。</translation>
        </message>
        <message>
            <source>Turns the log categories on (kavalo.net, kavalo.render, kavalo.data): every failed request with its address, status and reason, and the folders read, on standard error.</source>
            <translation>ログの分類（kavalo.net、kavalo.render、kavalo.data）を有効にします。失敗した要求のアドレス・ステータス・理由と、読み込んだフォルダが標準エラー出力に出ます。</translation>
        </message>
        <message>
            <source>EXIT STATUS</source>
            <translation>終了ステータス</translation>
        </message>
        <message>
            <source>ENVIRONMENT</source>
            <translation>環境変数</translation>
        </message>
        <message>
            <source>SEE ALSO</source>
            <translation>関連項目</translation>
        </message>
    </context>
    <context>
        <name>kavalo::ErasCommand</name>
        <message>
            <source>Renames or deletes an era the user added (from a tile service or a scan).</source>
            <translation>ユーザーが追加した時期（タイル配信や取り込んだ画像）の名前を変更し、または削除します。</translation>
        </message>
        <message>
            <source>I is the era's index in the era list, as info prints it (eras are sorted by their first year). --rename gives the era the label TEXT in its info file; --delete takes it out of its info file and moves its folder to the desktop's trash. Only eras the user added can be changed (info marks them with "usersOwn": true); the eras of the dataset and of the mapping agency are refused with status 1. A label that the info file cannot hold (empty, a double quote, a line break, a character without a Shift-JIS form) is refused with status 1 and changes nothing.</source>
            <translation>I は時期の一覧での時期の番号で、info が表示するものです（時期は最初の年の順に並びます）。 --rename は時期の情報ファイルでその名前を TEXT にします。 --delete は時期を情報ファイルから除き、そのフォルダをデスクトップのごみ箱に移します。変更できるのはユーザーが追加した時期だけです（info では "usersOwn": true が付きます）。データセットの時期と国の地図作成機関の時期はステータス 1 で断ります。情報ファイルに書けない名前（空、二重引用符、改行、Shift-JIS にない文字）はステータス 1 で断り、何も変えません。</translation>
        </message>
    </context>
    <context>
        <name>kavalo::ExportCommand</name>
        <message>
            <source>Writes what the export dialog writes for the view, one image per era.</source>
            <translation>出力の画面が書き出すものを、表示について時期ごとに一枚ずつ書き出します。</translation>
        </message>
        <message>
            <source>The view is given as for render (--era, --center, --zoom, --size, --mm-per-px, --layers without legend: the legend is a window of its own and is not exported, --link) and --overlay draws the user's files over every era. html: a page with an era switcher (Shift-JIS); kml: a KML set of ground overlays with time spans (UTF-8); kmz: one KMZ file holding the KML and the images. The images are PNG or JPEG (quality 80) of the view's size; --world-files adds a world file and a .prj of the world datum to each image (html and kml only). Every file is written under a temporary name and renamed only when all are complete.</source>
            <translation>表示は render と同じように指定します（ --era 、 --center 、 --zoom 、 --size 、 --mm-per-px 、 legend を除いた --layers ：凡例は別の画面で、出力されません、 --link ）。 --overlay はユーザーのファイルをすべての時期に重ねて描きます。html：時期を切り替えるページ（Shift-JIS）。kml：期間付きの地表オーバーレイの KML（UTF-8）。kmz：KML と画像をまとめた一つの KMZ ファイル。画像は表示の大きさの PNG または JPEG（品質 80）です。 --world-files は各画像にワールドファイルと世界測地系の .prj を添えます（html と kml のみ）。ファイルはすべて一時的な名前で書き、全部がそろってから名前を変えます。</translation>
        </message>
    </context>
    <context>
        <name>kavalo::ExportEraCommand</name>
        <message>
            <source>Writes one era as one file that GIS tools open.</source>
            <translation>一つの時期を、GIS ソフトで開ける一つのファイルに書き出します。</translation>
        </message>
        <message>
            <source>Era I (an index of the era table) is composed as the window composes it (its veils, masks and borrowed sheets; the elevation colours only with --elevation) and written through GDAL: gpkg a GeoPackage and mbtiles an MBTiles tile set of the era's web tiles (EPSG:3857, the zooms of the web map publish writes), cog a Cloud-Optimised GeoTIFF of the era's mosaic at its own resolution in longitude and latitude (EPSG:4326). FILE must not exist; it appears only when complete.</source>
            <translation>時期 I（時期の表の番号）を画面と同じように合成し（薄く表示する借用図、マスク。標高の色は --elevation のときだけ）、GDAL で書き出します。gpkg は GeoPackage、mbtiles は MBTiles のタイルセットで、どちらも時期の Web タイル（EPSG:3857、Web 地図の公開と同じズーム）です。cog は時期のモザイクをそのままの解像度で経緯度（EPSG:4326）にした Cloud-Optimised GeoTIFF です。FILE はまだあってはならず、完成したときにだけ現れます。</translation>
        </message>
    </context>
    <context>
        <name>kavalo::FetchAgencyCommand</name>
        <message>
            <source>Adds an era from the mapping agency's tiles to the data folder.</source>
            <translation>国の地図作成機関のタイルから、データフォルダに時期を追加します。</translation>
        </message>
        <message>
            <source>--source 0 the agency's base map, 1 the national air photos of period P (--period, required for them and only for them: a period the data folder offers and lacks), 2 the orthophoto; stitched from the agency's pieces into the folder's own tiles. Every question is answered Yes; the closing message goes to standard output. --tile-server and --portal override agency_tiles and agency_portal of servers.txt (and KAVALO_AGENCY_TILES, KAVALO_AGENCY_PORTAL). Status 0 when an era was added. A run that fails leaves nothing behind.</source>
            <translation>--source 0 は地図作成機関の基本の地図、1 は時期 P の国土の空中写真（ --period 。この場合にだけ必要で、データフォルダが提供していてまだ持っていない時期）、2 はオルソ画像です。機関のタイルをつなぎ合わせ、フォルダ自身のタイルにします。問いにはすべて「はい」と答え、最後のメッセージは標準出力に出ます。 --tile-server と --portal は servers.txt の agency_tiles と agency_portal（と KAVALO_AGENCY_TILES 、 KAVALO_AGENCY_PORTAL）より優先します。時期を追加したときステータス 0 です。失敗した取得は何も残しません。</translation>
        </message>
    </context>
    <context>
        <name>kavalo::FetchPackagesCommand</name>
        <message>
            <source>Fetches and unpacks the map-sheet packages of eras that lack files.</source>
            <translation>ファイルの足りない時期の、図幅のパッケージを取得して展開します。</translation>
        </message>
        <message>
            <source>The package download of the window's Get sheets button for eras I, J… (indices of the era table, eras of the data folder's own map sheets), every question answered Yes: the server list of the dataset's web folder (--web-base, KAVALO_WEB_BASE or web_base of servers.txt), the number of packages of each era, then the numbered packages from the servers in turn, each checked entry by entry before it is unpacked. Progress goes to standard error, the run's messages to standard output, those of a failure to standard error. Eras that lack nothing are passed over; when every era given is complete each is listed as having all its files and the status is 0.</source>
            <translation>画面の「付属地形図取得」と同じパッケージのダウンロードを、時期 I、J…（時期の表の番号で、データフォルダ自身の図幅の時期）について行い、問いにはすべて「はい」と答えます。データセットの Web フォルダ（ --web-base 、 KAVALO_WEB_BASE 、または servers.txt の web_base）からサーバーの一覧と各時期のパッケージの数を取り、番号の付いたパッケージをサーバーから順に取得して、展開する前に一つずつ中身を確かめます。進み具合は標準エラー出力、取得のメッセージは標準出力、失敗のメッセージは標準エラー出力に出ます。足りないもののない時期は飛ばします。指定したすべての時期がそろっているときは、それぞれをすべて取得済みと示し、ステータスは 0 です。</translation>
        </message>
    </context>
    <context>
        <name>kavalo::FetchRapidSurveyCommand</name>
        <message>
            <source>Adds or updates the era of the rapid-survey maps from the research institute.</source>
            <translation>研究機関の迅速測図の時期を追加し、または更新します。</translation>
        </message>
        <message>
            <source>Cuts the data folder's tiles from the research institute's map service, for a data folder whose mapinfo.txt offers the rapid-survey maps (its key for them is 1; status 1 for any other). Every question is answered Yes; the closing message goes to standard output. --wms and --site override wms and wms_site of servers.txt (and KAVALO_WMS, KAVALO_WMS_SITE). Status 0 when the era was added or updated.</source>
            <translation>研究機関の地図配信サービスからデータフォルダのタイルを切り出します。mapinfo.txt で迅速測図を提供している（そのキーが 1 の）データフォルダのためのものです（それ以外はステータス 1）。問いにはすべて「はい」と答え、最後のメッセージは標準出力に出ます。 --wms と --site は servers.txt の wms と wms_site（と KAVALO_WMS 、 KAVALO_WMS_SITE）より優先します。時期を追加または更新したときステータス 0 です。</translation>
        </message>
    </context>
    <context>
        <name>kavalo::FetchXyzCommand</name>
        <message>
            <source>Adds an era from any web-mercator tile service.</source>
            <translation>任意の Web メルカトルのタイル配信から時期を追加します。</translation>
        </message>
        <message>
            <source>TEMPLATE is an http(s) address with {z}, {x} and {y} (default: xyz of servers.txt or KAVALO_XYZ); Z the zoom level (0 to 22); the era is a map (masked, like the base map) or a photo of its own kind of source (xyz-map, xyz-photo), listed in map_xyz_info.txt, with the --attribution TEXT (required: the service's terms ask for it) in the credits and the --label TEXT in the era list (default: the year and the service's host). A data folder that has an era of the same template and kind already is refused with status 1, unless --update fetches that era anew (its tiles are replaced only when every one arrived). At most two requests run at a time. Every question is answered Yes; the closing message goes to standard output. Status 0 when an era was added or updated.</source>
            <translation>TEMPLATE は {z}、{x}、{y} を含む http(s) のアドレス（既定は servers.txt の xyz か KAVALO_XYZ）、Z はズームレベル（0〜22）です。時期は地図（基本の地図と同じくマスクあり）か写真で、それぞれ独自の出典の種類（xyz-map、xyz-photo）として map_xyz_info.txt に記録されます。 --attribution TEXT（必須：配信元の規約が求めます）はクレジットに、 --label TEXT は時期の一覧に表示されます（既定は年とサービスのホスト名）。同じひな形と種類の時期をすでに持つデータフォルダはステータス 1 で断ります。ただし --update ではその時期を取り直します（タイルはすべてが届いたときにだけ置き換えます）。同時に送る要求は二つまでです。問いにはすべて「はい」と答え、最後のメッセージは標準出力に出ます。時期を追加または更新したときステータス 0 です。</translation>
        </message>
    </context>
    <context>
        <name>kavalo::GeorefCommand</name>
        <message>
            <source>Places a plain scan by control points and imports it as a new era.</source>
            <translation>位置情報のない画像を基準点で位置合わせし、新しい時期として取り込みます。</translation>
        </message>
        <message>
            <source>Reads the control points of --points (a points file with its #CRS line, a CSV of x,y,lon,lat, or a georeference annotation, told apart by their content), fits the transform (--transform; the one the file names, else poly1) in a projected plane (the points' own system when it is projected, else the plane rectangular zone or UTM zone of the scan's centre), and imports the scan as an era as the import command does. --mask takes the scan's frame (an SVG polygon or a GeoJSON polygon in scan pixels); what lies outside it is left out. --report writes each point's residual and leave-one-out error in pixels and metres and both root mean squares as JSON; --dry-run computes and reports without importing. --geotiff also writes the scan as a GeoTIFF carrying the control points. The figures go to standard output, progress to standard error. Points that do not fit the scan (outside the image, too few for the transform, a transform that folds the scan over itself) are an error: status 1, nothing imported.</source>
            <translation>--points の基準点（#CRS の行のある .points ファイル、x,y,lon,lat の CSV、または位置合わせ注釈。中身から判断します）を読み、変換（ --transform 。なければファイルが指定するもの、それもなければ poly1）を投影された平面で求め（基準点の座標系が投影座標系ならそれ、そうでなければ画像の中心の平面直角座標系の系か UTM の帯）、import コマンドと同じように画像を時期として取り込みます。 --mask は画像の枠（画像の画素で書いた SVG の多角形か GeoJSON の Polygon）で、その外は取り込みません。 --report は各点の残差と一点除外の誤差（画素とメートル）と両方の RMSE を JSON で書きます。 --dry-run は計算して報告するだけで取り込みません。 --geotiff は基準点を持つ GeoTIFF としても画像を書き出します。数値は標準出力、進み具合は標準エラー出力に出ます。画像に合わない基準点（画像の外、変換に足りない点数、画像を折り返す変換）は誤りで、ステータス 1 で何も取り込みません。</translation>
        </message>
    </context>
    <context>
        <name>kavalo::HelpText</name>
        <message>
            <source>User Commands</source>
            <translation>ユーザーコマンド</translation>
        </message>
        <message>
            <source>NAME</source>
            <translation>名前</translation>
        </message>
    </context>
    <context>
        <name>kavalo::ImportCommand</name>
        <message>
            <source>Imports a georeferenced scan as a new era of the data folder.</source>
            <translation>位置情報付きの画像を、データフォルダの新しい時期として取り込みます。</translation>
        </message>
        <message>
            <source>Warps a GeoTIFF, or a PNG, JPEG or TIFF with a world file (and a .prj or .aux.xml), in any coordinate system, onto the data folder's own tiles and adds it as an era: a masked map (--kind map, the default) or a photo (--kind photo). --year and --credit are required; the label defaults to the file's name. Progress goes to standard error. A scan that cannot be read, has no georeferencing or does not overlap the region is refused and leaves nothing behind.</source>
            <translation>GeoTIFF、またはワールドファイル（と .prj か .aux.xml）付きの PNG・JPEG・TIFF を、どの座標系のものでもデータフォルダ自身のタイルにゆがめ、時期として加えます。マスクありの地図（ --kind map 、既定）か写真（ --kind photo ）です。 --year と --credit は必須で、名前の既定はファイル名です。進み具合は標準エラー出力に出ます。読めない画像、位置情報のない画像、地域と重ならない画像は断り、何も残しません。</translation>
        </message>
    </context>
    <context>
        <name>kavalo::InfoCommand</name>
        <message>
            <source>Prints the loaded data folder as JSON.</source>
            <translation>読み込んだデータフォルダを JSON で表示します。</translation>
        </message>
        <message>
            <source>The data-folder list of dataset.txt, the settings of KAVALO.ini, the values of mapinfo.txt and what follows from them, the saved view, every era with its label and its source (sheets, agency-map, air-photo, agency-ortho, rapid-survey, twenty-thousand, xyz-map, xyz-photo, import-map, import-photo), and the sheet history, as one JSON object on standard output. --dataset chooses the data folder by its index in dataset.txt (default: the one KAVALO.ini names).</source>
            <translation>dataset.txt のデータフォルダの一覧、KAVALO.ini の設定、mapinfo.txt の値とそこから決まるもの、保存されている表示、すべての時期とその名前と出典の種類（sheets、agency-map、air-photo、agency-ortho、rapid-survey、twenty-thousand、xyz-map、xyz-photo、import-map、import-photo）、図歴を、一つの JSON オブジェクトとして標準出力に出します。 --dataset は dataset.txt での番号でデータフォルダを選びます（既定は KAVALO.ini が示すもの）。</translation>
        </message>
    </context>
    <context>
        <name>kavalo::MeasureCommand</name>
        <message>
            <source>Prints the geodesic length (and area) of a path on the world datum as JSON.</source>
            <translation>世界測地系での経路の測地線長（と面積）を JSON で表示します。</translation>
        </message>
        <message>
            <source>Each point is LAT,LON in decimal degrees on the world datum (a southern or western one with a minus sign). Prints {"length_m": …} with the length along the ellipsoid in metres; with --closed the path returns to its first point and {"area_m2": …} gives the area it encloses in square metres.</source>
            <translation>各点は世界測地系の十進の度で LAT,LON と書きます（南緯・西経はマイナス記号付き）。楕円体に沿った長さをメートルで {"length_m": …} と出します。 --closed では経路が最初の点に戻り、囲んだ面積を平方メートルで {"area_m2": …} と出します。</translation>
        </message>
    </context>
    <context>
        <name>kavalo::PrintCommand</name>
        <message>
            <source>Prints the view as the print dialog would, to a printer or a PDF file.</source>
            <translation>印刷の画面と同じように、表示をプリンターか PDF ファイルに印刷します。</translation>
        </message>
        <message>
            <source>The view is given as for render (--era, --center, --zoom, --size, --mm-per-px, --layers without legend: the legend is a window of its own and is not printed, --link) and --overlay draws the user's files over the map. --printer names a printer of the system (CUPS); --pdf writes a PDF file at 300 dpi. --paper and --orientation choose the sheet for this job only; the printer's own defaults are never changed. The map is fitted into the printable area; --print-size is the dialog's size of it in percent (10 to 100, default 100), and --offset-mm the map's top-left corner from the printable area's top-left in millimetres; without it the map is centred on the printable area. The mapping agency's maps and photos are refused on sheets larger than A4 (status 1).</source>
            <translation>表示は render と同じように指定します（ --era 、 --center 、 --zoom 、 --size 、 --mm-per-px 、 legend を除いた --layers ：凡例は別の画面で、印刷されません、 --link ）。 --overlay はユーザーのファイルを地図に重ねて描きます。 --printer はシステムのプリンター（CUPS）を指定し、 --pdf は 300 dpi の PDF ファイルを書きます。 --paper と --orientation はこの印刷だけの用紙を選び、プリンター自身の既定値は変えません。地図は印刷できる範囲に収めます。 --print-size は印刷の画面と同じ地図の大きさ（%、10〜100、既定 100）、 --offset-mm は印刷できる範囲の左上からの地図の左上の位置（ミリメートル）です。指定しなければ地図は印刷できる範囲の中央に置きます。国の地図作成機関の地図と写真は A4 より大きな用紙には印刷しません（ステータス 1）。</translation>
        </message>
    </context>
    <context>
        <name>kavalo::ProgramHelp</name>
        <message>
            <source>compare topographic maps of one region across eras</source>
            <translation>同じ地域の地形図を時期ごとに見比べる</translation>
        </message>
        <message>
            <source>SYNOPSIS</source>
            <translation>書式</translation>
        </message>
        <message>
            <source>DESCRIPTION</source>
            <translation>説明</translation>
        </message>
        <message>
            <source>Kavalo shows the maps of one region as they were drawn in different periods. A region is a data folder of tile images per era; pick an era and the same place stays on screen, so old and new maps are compared by stepping through the eras, side by side, with a swipe, a lens or blended. Over the map it draws elevation colours with relief shading, sheet lines, a scale bar and marks; the status area reads out latitude, longitude, elevation and the map sheet under the cursor. Views are exported as HTML or KML and printed. Further eras come from the mapping agency's tiles, the research institute's rapid-survey maps, any XYZ tile service, and the data folder's own packages.

The window speaks Japanese or English: the language of the system's locale (Japanese for a Japanese locale, English for any other), the setting language=system|ja|en in kavalo-window.ini, or --lang. The user manual opened by the Help button is kavalo.pdf in Japanese and kavalo-en.pdf in English.</source>
            <translation>Kavalo は、一つの地域の地図を、時期ごとに描かれたとおりに表示します。地域は時期ごとのタイル画像を持つデータフォルダです。時期を選んでも同じ場所が画面に残るので、時期を順に切り替えて、また並べて、スワイプで、レンズで、重ねて、新旧の地図を見比べられます。地図の上には陰影付きの標高の色、図郭線、スケール、目印を描き、マウスの下の緯度・経度・標高と図幅を表示します。表示は HTML や KML に出力し、印刷できます。国の地図作成機関のタイル、研究機関の迅速測図、任意の XYZ タイル配信、データフォルダ自身のパッケージから、時期を追加できます。

画面は日本語か英語で表示されます。システムのロケールの言語（日本語のロケールなら日本語、それ以外なら英語）、kavalo-window.ini の設定 language=system|ja|en 、または --lang で決まります。「解説」ボタンで開く解説は、日本語では kavalo.pdf、英語では kavalo-en.pdf です。</translation>
        </message>
        <message>
            <source>OPTIONS</source>
            <translation>オプション</translation>
        </message>
        <message>
            <source>Prints this help and exits.</source>
            <translation>このヘルプを表示して終了します。</translation>
        </message>
        <message>
            <source>Prints the program's name and version and exits.</source>
            <translation>プログラムの名前とバージョンを表示して終了します。</translation>
        </message>
        <message>
            <source>The language of the window, this help and the messages, for this start only: ja (Japanese), en (English) or system (the system's locale). Without it the setting language of kavalo-window.ini decides, and language=system (the default) follows the system's locale.</source>
            <translation>画面、このヘルプ、メッセージの言語（この起動のときだけ）。ja（日本語）、en（英語）、system（システムのロケール）のどれかです。指定がなければ kavalo-window.ini の設定 language で決まり、language=system（既定）ならシステムのロケールに従います。</translation>
        </message>
        <message>
            <source>A link to a view, kavalo://view?dataset=FOLDER&amp;era=FOLDER&amp;lat=LAT&amp;lon=LON&amp;zoom=PERCENT (world datum; every part but lat and lon may be left out): the program opens showing that view. The map's pop-up menu copies the link of the view shown.</source>
            <translation>表示へのリンク kavalo://view?dataset=FOLDER&amp;era=FOLDER&amp;lat=LAT&amp;lon=LON&amp;zoom=PERCENT（世界測地系。lat と lon 以外は省けます）。その表示で起動します。地図の右クリックのメニューで、表示中のリンクをコピーできます。</translation>
        </message>
        <message>
            <source>FILES</source>
            <translation>ファイル</translation>
        </message>
        <message>
            <source>The RootFolder unless KAVALO_ROOT names another: KAVALO.ini, dataset.txt (the list of data folders), colorset.txt, KAVALO_compare.ini, kavalo-window.ini, servers.txt and the data folders. On first start it is seeded with a copy of the sample region.</source>
            <translation>KAVALO_ROOT で別のフォルダを指定しないときのルートフォルダ。KAVALO.ini、dataset.txt（データフォルダの一覧）、colorset.txt、KAVALO_compare.ini、kavalo-window.ini、servers.txt とデータフォルダがあります。初めての起動のときにサンプルの地域がコピーされます。</translation>
        </message>
        <message>
            <source>The fictional sample region the first start copies (beside the installed program: ../share/kavalo/sample).</source>
            <translation>初めての起動でコピーされる架空のサンプルの地域（インストールしたプログラムから見て ../share/kavalo/sample）。</translation>
        </message>
        <message>
            <source>The user manual (Japanese).</source>
            <translation>解説（日本語）。</translation>
        </message>
        <message>
            <source>The user manual (English).</source>
            <translation>解説（英語）。</translation>
        </message>
        <message>
            <source>ENVIRONMENT</source>
            <translation>環境変数</translation>
        </message>
        <message>
            <source>The RootFolder to use instead of ~/.local/share/kavalo/.</source>
            <translation>~/.local/share/kavalo/ の代わりに使うルートフォルダ。</translation>
        </message>
        <message>
            <source>The dataset's web folder (server check, server list, tiles fetched in online mode); overrides web_base of servers.txt.</source>
            <translation>データセットの Web フォルダ（サーバーの確認、サーバーの一覧、オンラインで取得するタイル）。servers.txt の web_base より優先します。</translation>
        </message>
        <message>
            <source>The addresses of the outside services of the acquisition dialogs; override servers.txt.</source>
            <translation>データ取得の画面が使う外部のサービスのアドレス。servers.txt より優先します。</translation>
        </message>
        <message>
            <source>"kavalo.*=true" turns the log categories on (kavalo.net, kavalo.render, kavalo.data).</source>
            <translation>"kavalo.*=true" でログの分類（kavalo.net、kavalo.render、kavalo.data）を有効にします。</translation>
        </message>
        <message>
            <source>SEE ALSO</source>
            <translation>関連項目</translation>
        </message>
    </context>
    <context>
        <name>kavalo::PublishCommand</name>
        <message>
            <source>Writes the data folder's web folder, for any static web server.</source>
            <translation>データフォルダの Web フォルダを、どの静的な Web サーバーにも置ける形で書き出します。</translation>
        </message>
        <message>
            <source>WEBDIR becomes the folder that the program's web base (web_base, KAVALO_WEB_BASE) points at: servercheck.txt, the server list download_serverlist210.txt naming each --mirror (in the order given) as holding the data folder, and the data folder's own folder with one folder per era: its tiles, fetched one by one in online mode, and for the eras of the data folder's own map sheets zipfilenum.txt and the packages 00.zip, 01.zip… of at most 25 of the files its check list names, with Shift-JIS names, for the window's Get sheets and fetch-packages. A mirror is a base address to which the data folder's name is appended; normally it is WEBDIR's own address (http://host/kavalo/).

The same data gives the same bytes. WEBDIR must be empty, new, or a web folder written before: the data folder's part is replaced only when the new one is complete, and the server list keeps the other data folders and servers it names. What is left out (files a check list names but the era lacks) is said on standard error; a summary goes to standard output.

--tiles also writes the data folder's web map in WEBDIR/maps/&lt;dataset&gt;/: per era a pyramid of 256 x 256 web tiles (EPSG:3857, &lt;era&gt;/{z}/{x}/{y}.png under tiles/) composed as the window composes the era, without elevation colours unless --elevation is given, from the zoom nearest the region's own resolution down to the zoom at which the region fits in one tile; a TileJSON per era (tiles/&lt;era&gt;/tilejson.json); eras.json listing the eras in time order; and index.html, the map page with its map library, working from any static host or from the disk. Tiles are composed on every core and written only when they change; an era none of whose files changed is not composed again. The map's address (the first mirror's maps/&lt;dataset&gt;/) is kept in the data folder's web_map.txt, so that the window can offer links to it. At least one --mirror is needed unless --tiles is given: --tiles without --mirror writes the web map alone (WEBDIR then holds only maps/).</source>
            <translation>WEBDIR は、プログラムの Web のベース（web_base、KAVALO_WEB_BASE）が指すフォルダになります。servercheck.txt、各 --mirror を（指定した順に）データフォルダを持つサーバーとして示すサーバーの一覧 download_serverlist210.txt、そしてデータフォルダ自身のフォルダと、その中の時期ごとのフォルダです。時期のフォルダには、オンラインで一枚ずつ取得されるタイルと、データフォルダ自身の図幅の時期では zipfilenum.txt と、チェックリストにあるファイルを 25 個までずつ Shift-JIS の名前で収めたパッケージ 00.zip、01.zip… が入り、「付属地形図取得」と fetch-packages で使われます。ミラーは、データフォルダの名前を後ろに付けるベースのアドレスで、ふつうは WEBDIR 自身のアドレス（http://host/kavalo/）です。

同じデータからは同じバイト列ができます。WEBDIR は空か、新しいか、以前に書いた Web フォルダでなければなりません。データフォルダの部分は新しいものが完成したときにだけ置き換わり、サーバーの一覧は、そこにあるほかのデータフォルダとサーバーをそのまま残します。入れなかったもの（チェックリストにあって時期にないファイル）は標準エラー出力に、まとめは標準出力に出ます。

--tiles はデータフォルダの Web 地図も WEBDIR/maps/&lt;dataset&gt;/ に書きます。時期ごとに 256 x 256 の Web タイルのピラミッド（EPSG:3857、tiles/ の下の &lt;era&gt;/{z}/{x}/{y}.png）を画面と同じ合成で作り（標高の色は --elevation のときだけ）、地域自身の解像度に最も近いズームから、地域が一枚のタイルに収まるズームまで書きます。さらに時期ごとの TileJSON（tiles/&lt;era&gt;/tilejson.json）、時期を年代順に並べた eras.json、地図ライブラリ付きの地図のページ index.html を書き、どの静的なホストからもディスクからも見られます。タイルはすべてのコアで合成し、変わったときにだけ書きます。ファイルが一つも変わっていない時期は合成し直しません。地図のアドレス（最初のミラーの maps/&lt;dataset&gt;/）はデータフォルダの web_map.txt に記録され、画面からそのリンクを出せます。 --tiles がなければ --mirror が一つ以上必要です。 --mirror のない --tiles は Web 地図だけを書きます（WEBDIR には maps/ だけができます）。</translation>
        </message>
    </context>
    <context>
        <name>kavalo::ReadoutCommand</name>
        <message>
            <source>Prints the cursor readout at a view pixel as JSON.</source>
            <translation>表示の一つの画素での情報表示（マウス位置）を JSON で表示します。</translation>
        </message>
        <message>
            <source>The view is given as for render (--link, --era, --center, --zoom, --size, --mm-per-px; --layers changes nothing here); PX,PY is a pixel of it. The JSON object holds the window's two captions as they read (lblInfo, lblMap, and bold when the sheet is borrowed from another edition), in the datum of --datum (0 Tokyo datum, 1 world datum; by default the one KAVALO.ini keeps), and the same facts as fields: tokyo and world, each with latitude and longitude in decimal degrees; elevation in metres (null over the sea or outside the elevation grid) and sea; sheet, edition and issued (null where the era has no sheet); borrowed.</source>
            <translation>表示は render と同じように指定し（ --link 、 --era 、 --center 、 --zoom 、 --size 、 --mm-per-px 。 --layers はここでは何も変えません）、PX,PY はその画素です。JSON オブジェクトには、画面の二つの表示欄の文字（lblInfo、lblMap と、図幅を別の版から借りているときの bold）が --datum の測地系（0 日本測地系、1 世界測地系。既定は KAVALO.ini が保つもの）で入り、同じ内容が項目としても入ります。tokyo と world（それぞれ十進の度の latitude と longitude）、elevation（メートル。海の上や標高データの外では null）と sea、sheet、edition と issued（時期に図幅がないところでは null）、borrowed です。</translation>
        </message>
    </context>
    <context>
        <name>kavalo::RenderCommand</name>
        <message>
            <source>Composes a view exactly as the window does and writes it as PNG.</source>
            <translation>表示を画面と同じように合成し、PNG で書き出します。</translation>
        </message>
        <message>
            <source>The view: era I (an index of the era table), centre X,Y in image pixels, zoom Z in percent (50 to 400), a picture of W x H pixels and F millimetres per screen pixel; by default the view saved for the data folder, 1000x700 and 25.4/96 mm. --link kavalo://view?… names the data folder, era, centre and zoom at once (the other options override it). --layers lists what is drawn (by default the switches that are on at start); the elevation grid is read only when the altitude layer is on. legend puts the era's legend picture at its own size into the top-right corner of the view, where the legend window stands beside the map, and is refused (status 2) for an era without a legend or with --compare. --overlay draws a GPX, KML, KMZ, GeoJSON or Shapefile over the map (once per file, in order); a file that cannot be read is status 1. -o - writes the PNG to standard output.

With --compare B the view's era is compared with era B as the window shows it: side by side, a swipe at view x X (--split), a lens at X,Y of radius R (--lens, view pixels), or era B blended over it at P percent (--opacity).

--online switches online first, as a click on the indicator does (the server check of the dataset's web folder, --web-base or KAVALO_WEB_BASE or servers.txt), and fetches missing tiles while drawing. When the server check fails or a tile cannot be fetched the picture is still written, without those tiles, and the status is 1.</source>
            <translation>表示：時期 I（時期の表の番号）、画像の画素での中心 X,Y、パーセントでの倍率 Z（50〜400）、W x H 画素の画像、画面の一画素あたり F ミリメートル。既定はデータフォルダに保存された表示、1000x700、25.4/96 mm です。 --link kavalo://view?… はデータフォルダ、時期、中心、倍率をまとめて指定します（ほかのオプションがそれより優先します）。 --layers は描くものを並べます（既定は起動時にオンの切り替え）。標高データは altitude の層がオンのときだけ読みます。legend は時期の凡例の画像をそのままの大きさで表示の右上の隅（凡例の画面が地図の横に立つ場所）に置き、凡例のない時期や --compare といっしょではステータス 2 で断ります。 --overlay は GPX、KML、KMZ、GeoJSON、シェープファイルを地図に重ねて描きます（ファイルごとに一度、順に）。読めないファイルはステータス 1 です。 -o - は PNG を標準出力に書きます。

--compare B では、表示の時期を時期 B と画面と同じように比べます。並列、表示の x 座標 X での仕切り線のスワイプ（ --split ）、X,Y を中心とする半径 R のレンズ（ --lens 、表示の画素）、または時期 B を P パーセントで重ねる透過（ --opacity ）です。

--online は、表示をクリックしたときと同じように、まずオンラインにします（データセットの Web フォルダ、 --web-base か KAVALO_WEB_BASE か servers.txt のサーバーの確認）。そして描きながら足りないタイルを取得します。サーバーの確認に失敗したり、タイルを取得できなかったりしたときも、画像はそのタイルなしで書き出され、ステータスは 1 です。</translation>
        </message>
    </context>
    <context>
        <name>kavalo::ShortageCommand</name>
        <message>
            <source>Prints each map-sheet era with the files it lacks, as JSON.</source>
            <translation>データフォルダ自身の図幅の時期ごとに、足りないファイルを JSON で表示します。</translation>
        </message>
        <message>
            <source>For every era of the data folder's own map sheets: its index, its folder, the line the package dialog shows for it, whether its gazo_check_list.txt is missing (then the era lacks every file), and the image files its list names but its folder lacks.</source>
            <translation>データフォルダ自身の図幅の時期それぞれについて、番号、フォルダ、パッケージの画面が示す行、gazo_check_list.txt がないかどうか（ないときはその時期のすべてのファイルが足りません）、一覧にあってフォルダにない画像ファイルを出します。</translation>
        </message>
    </context>
    <context>
        <name>kavalo::TimelapseCommand</name>
        <message>
            <source>Writes the eras of the view as a film (animated WebP, GIF or MP4).</source>
            <translation>表示の時期を順に動画（動く WebP、GIF、MP4）に書き出します。</translation>
        </message>
        <message>
            <source>The view is given as for render (--center, --zoom, --size: the film's size, --mm-per-px, --layers without legend, --link); each era is composed as the export composes it, with its credits, and its label (in the data folder's label style) is burned into the corner --label-corner names (tl by default; none for no label). --eras lists the eras by their index in the era table, in the order shown (by default the eras of the era list); an era that has no map anywhere under the view is left out, with a note on standard error.

Each era is on screen for --seconds S in all (2 by default, at most 60), its cross-fade of --fade S into the next era included (0 by default); --fps N frames per second (30 by default, 1 to 60). A frame identical to the one before is not stored again: WebP and GIF lengthen the frame before; MP4 keeps its constant frame rate.

webp: animated WebP, lossy (--quality Q, 80 by default) or --lossless. gif: a palette of its own for every frame. mp4: H.264 in yuv420p with the moov index first, encoded by the ffmpeg program (KAVALO_FFMPEG names another), --preset P (medium) and --crf N (20); the width and height are made even. The film is written under a temporary name and renamed only when whole; a failure leaves no file.</source>
            <translation>表示は render と同じように指定します（ --center 、 --zoom 、動画の大きさの --size 、 --mm-per-px 、 legend を除いた --layers 、 --link ）。各時期は出力と同じように出典付きで合成し、その時期ラベル（データフォルダの表示形式）を --label-corner の隅に焼き込みます（既定は tl。none でラベルなし）。 --eras は時期の表の番号で時期を表示する順に並べます（既定は時期の一覧の時期）。表示の範囲のどこにも地図のない時期は、標準エラー出力に断って外します。

各時期は全部で --seconds S 秒画面に出ます（既定 2、最大 60）。次の時期へのクロスフェード --fade S 秒もこれに含みます（既定 0）。 --fps N は一秒あたりのコマ数です（既定 30、1〜60）。前と同じ絵のコマはもう一度は入れません。WebP と GIF では前のコマを長くし、MP4 は一定のコマ数を保ちます。

webp：動く WebP。非可逆（ --quality Q 、既定 80）か --lossless 。gif：コマごとに独自のパレット。mp4：moov インデックスを先頭に置いた yuv420p の H.264 で、ffmpeg プログラム（KAVALO_FFMPEG で別のものを指定）が符号化します。 --preset P（medium）、 --crf N（20）。幅と高さは偶数にします。動画は一時的な名前で書き、全部できてから名前を変えます。失敗したときはファイルは残りません。</translation>
        </message>
    </context>
</TS>
