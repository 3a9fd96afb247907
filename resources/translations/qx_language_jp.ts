<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>文件(&amp;F)</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>工具(&amp;T)</source>
        <translation>ツール(&amp;T)</translation>
    </message>
    <message>
        <source>排列(&amp;A)</source>
        <translation>配置(&amp;A)</translation>
    </message>
    <message>
        <source>语言(&amp;L)</source>
        <translation>言語(&amp;L)</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
</context>
</TS>
