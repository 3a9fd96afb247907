<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR" sourcelanguage="zh_CN">
<context>
    <name>ActionSet</name>
    <message>
        <source>新建</source>
        <translation>새로 만들기</translation>
    </message>
    <message>
        <source>新建一个文件</source>
        <translation>새 파일</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>열기</translation>
    </message>
    <message>
        <source>打开一个文件</source>
        <translation>파일 열기</translation>
    </message>
    <message>
        <source>添加图像</source>
        <translation>이미지 추가</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>저장</translation>
    </message>
    <message>
        <source>保存文件</source>
        <translation>파일 저장</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>다른 이름으로 저장</translation>
    </message>
    <message>
        <source>文件另存为</source>
        <translation>다른 이름으로 저장</translation>
    </message>
    <message>
        <source>保存Gcode</source>
        <translation>G-code 저장</translation>
    </message>
    <message>
        <source>保存gcode</source>
        <translation>G-code 저장</translation>
    </message>
    <message>
        <source>关闭程序</source>
        <translation>종료</translation>
    </message>
    <message>
        <source>退出程序</source>
        <translation>프로그램 종료</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>실행 취소</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>다시 실행</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>잘라내기</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>복사</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>붙여넣기</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>삭제</translation>
    </message>
    <message>
        <source>水平镜像</source>
        <translation>좌우 반전</translation>
    </message>
    <message>
        <source>垂直镜像</source>
        <translation>상하 반전</translation>
    </message>
    <message>
        <source>旋转</source>
        <translation>회전</translation>
    </message>
    <message>
        <source>向左对齐</source>
        <translation>왼쪽 정렬</translation>
    </message>
    <message>
        <source>向右对齐</source>
        <translation>오른쪽 정렬</translation>
    </message>
    <message>
        <source>向上对齐</source>
        <translation>위쪽 정렬</translation>
    </message>
    <message>
        <source>向下对齐</source>
        <translation>아래쪽 정렬</translation>
    </message>
    <message>
        <source>组合</source>
        <translation>그룹</translation>
    </message>
    <message>
        <source>组合选中的元素为一个元素</source>
        <translation>선택한 요소를 하나로 묶기</translation>
    </message>
    <message>
        <source>分解</source>
        <translation>그룹 해제</translation>
    </message>
    <message>
        <source>分解选中的元素为单个元素</source>
        <translation>선택한 요소를 개별 요소로 나누기</translation>
    </message>
    <message>
        <source>选择</source>
        <translation>선택</translation>
    </message>
    <message>
        <source>可选择单个或者多个图形元素</source>
        <translation>하나 또는 여러 그래픽 요소를 선택할 수 있습니다</translation>
    </message>
    <message>
        <source>画笔</source>
        <translation>펜</translation>
    </message>
    <message>
        <source>画笔工具</source>
        <translation>펜 도구</translation>
    </message>
    <message>
        <source>直线</source>
        <translation>직선</translation>
    </message>
    <message>
        <source>直线工具</source>
        <translation>직선 도구</translation>
    </message>
    <message>
        <source>矩形</source>
        <translation>사각형</translation>
    </message>
    <message>
        <source>矩形工具</source>
        <translation>사각형 도구</translation>
    </message>
    <message>
        <source>椭圆</source>
        <translation>타원</translation>
    </message>
    <message>
        <source>椭圆工具</source>
        <translation>타원 도구</translation>
    </message>
    <message>
        <source>文字</source>
        <translation>텍스트</translation>
    </message>
    <message>
        <source>文字工具</source>
        <translation>텍스트 도구</translation>
    </message>
    <message>
        <source>追踪边缘</source>
        <translation>윤곽 추적</translation>
    </message>
    <message>
        <source>提取图像边缘</source>
        <translation>이미지 윤곽 추출</translation>
    </message>
    <message>
        <source>打印预览</source>
        <translation>미리 보기</translation>
    </message>
    <message>
        <source>检查更新</source>
        <translation>업데이트 확인</translation>
    </message>
    <message>
        <source>检查软件版本</source>
        <translation>소프트웨어 버전 확인</translation>
    </message>
    <message>
        <source>关于我们</source>
        <translation>회사 소개</translation>
    </message>
    <message>
        <source>打开日志文件夹</source>
        <translation>로그 폴더 열기</translation>
    </message>
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
    <name>FileCommands</name>
    <message>
        <source>文件未保存</source>
        <translation>파일이 저장되지 않았습니다</translation>
    </message>
    <message>
        <source>是否保存?</source>
        <translation>저장하시겠습니까?</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>저장</translation>
    </message>
    <message>
        <source>不保存</source>
        <translation>저장 안 함</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>경고</translation>
    </message>
    <message>
        <source>打开文件失败</source>
        <translation>파일 열기 실패</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>请添加内容</source>
        <translation>내용을 추가하세요</translation>
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
        <source>图元属性</source>
        <translation>요소</translation>
    </message>
    <message>
        <source>控制台</source>
        <translation>제어</translation>
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
