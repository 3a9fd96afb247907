<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR" sourcelanguage="zh_CN">
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
