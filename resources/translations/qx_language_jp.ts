<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="zh_CN">
<context>
    <name>DesignView</name>
    <message>
        <source>删除</source>
        <translation>削除</translation>
    </message>
</context>
<context>
    <name>DomTreeView</name>
    <message>
        <source>删除节点</source>
        <translation>ノードを削除</translation>
    </message>
</context>
<context>
    <name>DrawingImport</name>
    <message>
        <source>不支持的文件类型：%1</source>
        <translation>サポートされていないファイル形式：%1</translation>
    </message>
    <message>
        <source>无法打开文件 %1：%2</source>
        <translation>ファイル %1 を開けません：%2</translation>
    </message>
</context>
<context>
    <name>DrawingPlacer</name>
    <message>
        <source>文件中没有可导入的图形。</source>
        <translation>ファイルにインポートできる図形がありません。</translation>
    </message>
    <message>
        <source>设计中没有图层，无法添加图形。</source>
        <translation>デザインにレイヤーがないため、図形を追加できません。</translation>
    </message>
</context>
<context>
    <name>DxfReader</name>
    <message>
        <source>这不是可读的 DXF 文件。</source>
        <translation>読み込み可能な DXF ファイルではありません。</translation>
    </message>
    <message>
        <source>无法打开文件 %1：%2</source>
        <translation>ファイル %1 を開けません：%2</translation>
    </message>
</context>
<context>
    <name>ImportUnitDialog</name>
    <message>
        <source>导入尺寸</source>
        <translation>インポートサイズ</translation>
    </message>
    <message>
        <source>毫米</source>
        <translation>ミリメートル</translation>
    </message>
    <message>
        <source>厘米</source>
        <translation>センチメートル</translation>
    </message>
    <message>
        <source>英寸</source>
        <translation>インチ</translation>
    </message>
    <message>
        <source>设计单位（0.08 毫米，y 向下）</source>
        <translation>デザイン単位（0.08 mm、y 下向き）</translation>
    </message>
    <message>
        <source>绘图仪单位（0.025 毫米，y 向上）</source>
        <translation>プロッター単位（0.025 mm、y 上向き）</translation>
    </message>
    <message>
        <source>单位：</source>
        <translation>単位：</translation>
    </message>
    <message>
        <source>尺寸：</source>
        <translation>サイズ：</translation>
    </message>
    <message>
        <source>%1 × %2 毫米</source>
        <translation>%1 × %2 mm</translation>
    </message>
</context>
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
<context>
    <name>PreviewDialog</name>
    <message>
        <source>G代码预览</source>
        <translation>Gコードプレビュー</translation>
    </message>
</context>
<context>
    <name>SVGDocument</name>
    <message>
        <source>Element</source>
        <translation>要素</translation>
    </message>
    <message>
        <source>id</source>
        <translation>ID</translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>更新检测中</source>
        <translation>確認中</translation>
    </message>
    <message>
        <source>未链接网络</source>
        <translation>ネットワークに接続されていません</translation>
    </message>
    <message>
        <source>已经是最新版本</source>
        <translation>最新バージョンです</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>更新</translation>
    </message>
</context>
</TS>
