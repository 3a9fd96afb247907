<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR" sourcelanguage="zh_CN">
<context>
    <name>DesignView</name>
    <message>
        <source>删除</source>
        <translation>삭제</translation>
    </message>
</context>
<context>
    <name>DomTreeView</name>
    <message>
        <source>删除节点</source>
        <translation>노드 삭제</translation>
    </message>
</context>
<context>
    <name>DrawingImport</name>
    <message>
        <source>不支持的文件类型：%1</source>
        <translation>지원하지 않는 파일 형식: %1</translation>
    </message>
    <message>
        <source>无法打开文件 %1：%2</source>
        <translation>파일 %1을(를) 열 수 없습니다: %2</translation>
    </message>
</context>
<context>
    <name>DrawingPlacer</name>
    <message>
        <source>文件中没有可导入的图形。</source>
        <translation>파일에 가져올 수 있는 도형이 없습니다.</translation>
    </message>
    <message>
        <source>设计中没有图层，无法添加图形。</source>
        <translation>디자인에 레이어가 없어 도형을 추가할 수 없습니다.</translation>
    </message>
</context>
<context>
    <name>DxfReader</name>
    <message>
        <source>这不是可读的 DXF 文件。</source>
        <translation>읽을 수 있는 DXF 파일이 아닙니다.</translation>
    </message>
    <message>
        <source>无法打开文件 %1：%2</source>
        <translation>파일 %1을(를) 열 수 없습니다: %2</translation>
    </message>
</context>
<context>
    <name>ImportUnitDialog</name>
    <message>
        <source>导入尺寸</source>
        <translation>가져오기 크기</translation>
    </message>
    <message>
        <source>毫米</source>
        <translation>밀리미터</translation>
    </message>
    <message>
        <source>厘米</source>
        <translation>센티미터</translation>
    </message>
    <message>
        <source>英寸</source>
        <translation>인치</translation>
    </message>
    <message>
        <source>设计单位（0.08 毫米，y 向下）</source>
        <translation>디자인 단위 (0.08 mm, y 아래쪽)</translation>
    </message>
    <message>
        <source>绘图仪单位（0.025 毫米，y 向上）</source>
        <translation>플로터 단위 (0.025 mm, y 위쪽)</translation>
    </message>
    <message>
        <source>单位：</source>
        <translation>단위:</translation>
    </message>
    <message>
        <source>尺寸：</source>
        <translation>크기:</translation>
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
        <translation>파일(&amp;F)</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>편집(&amp;E)</translation>
    </message>
    <message>
        <source>工具(&amp;T)</source>
        <translation>도구(&amp;T)</translation>
    </message>
    <message>
        <source>排列(&amp;A)</source>
        <translation>정렬(&amp;A)</translation>
    </message>
    <message>
        <source>语言(&amp;L)</source>
        <translation>언어(&amp;L)</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>도움말(&amp;H)</translation>
    </message>
</context>
<context>
    <name>PreviewDialog</name>
    <message>
        <source>G代码预览</source>
        <translation>G코드 미리보기</translation>
    </message>
</context>
<context>
    <name>SVGDocument</name>
    <message>
        <source>Element</source>
        <translation>요소</translation>
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
        <translation>확인 중</translation>
    </message>
    <message>
        <source>未链接网络</source>
        <translation>네트워크에 연결되지 않음</translation>
    </message>
    <message>
        <source>已经是最新版本</source>
        <translation>이미 최신 버전입니다</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>업데이트</translation>
    </message>
</context>
</TS>
