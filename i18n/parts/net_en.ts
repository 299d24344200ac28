<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
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
        <translation>Label</translation>
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
    <message>
        <source>このURLの時期「%1」は取得済みです。</source>
        <translation>The era "%1" of this URL has already been fetched.</translation>
    </message>
    <message>
        <source>取得し直して更新しますか？</source>
        <translation>Fetch it again and update it?</translation>
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
        <translation>Earthquake-affected areas, taken May-June 2011</translation>
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
    <name>kavalo::RapidSurvey</name>
    <message>
        <source>画像として読めません</source>
        <translation>cannot be read as an image</translation>
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
        <translation>Cannot read "%1".</translation>
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
        <translation>The coordinate system of "%1" cannot be transformed to the world geodetic datum (WGS 84).</translation>
    </message>
    <message>
        <source>「%1」を地図に合わせられませんでした。</source>
        <translation>"%1" could not be fitted to the map.</translation>
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
        <translation>Label</translation>
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
    <message>
        <source>%1年（%2）</source>
        <comment>the label made for an imported scan</comment>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>kavalo::Transfer</name>
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
    <message numerus="yes">
        <source>%nバイト</source>
        <translation>
            <numerusform>%n byte</numerusform>
            <numerusform>%n bytes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kavalo::UiAcquisitionDialog</name>
    <message>
        <source>データ取得</source>
        <translation>Fetch data</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
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
        <translation>Compare with</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
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
        <source>ja</source>
        <comment>the language code of the map page</comment>
        <translation>en</translation>
    </message>
    <message>
        <source> ・ </source>
        <translation> · </translation>
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
        <translation>Fetch data</translation>
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
        <translation>Label</translation>
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
        <translation>Label</translation>
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
        <translation>The data shown cannot be printed on paper larger than A4.</translation>
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
        <translation>Eras</translation>
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
        <translation>None</translation>
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
</TS>
