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
</context>
</TS>
