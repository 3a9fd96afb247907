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
    <message>
        <source>材料测试网格…</source>
        <translation>재료 테스트 그리드…</translation>
    </message>
    <message>
        <source>生成不同功率、速度、遍数或线距的测试格子</source>
        <translation>출력, 속도, 횟수 또는 라인 간격이 다른 테스트 셀 만들기</translation>
    </message>
    <message>
        <source>撤销一步</source>
        <translation>한 단계 실행 취소</translation>
    </message>
    <message>
        <source>重做上一步</source>
        <translation>마지막 단계 다시 실행</translation>
    </message>
    <message>
        <source>剪切选中的元素</source>
        <translation>선택한 요소 잘라내기</translation>
    </message>
    <message>
        <source>复制选中的元素</source>
        <translation>선택한 요소 복사</translation>
    </message>
    <message>
        <source>粘贴元素</source>
        <translation>요소 붙여넣기</translation>
    </message>
    <message>
        <source>删除选中的元素</source>
        <translation>선택한 요소 삭제</translation>
    </message>
    <message>
        <source>选中的元素进行水平镜像</source>
        <translation>선택한 요소를 수평으로 대칭</translation>
    </message>
    <message>
        <source>选中的元素进行垂直镜像</source>
        <translation>선택한 요소를 수직으로 대칭</translation>
    </message>
    <message>
        <source>选中的元素进行顺时针旋转90°</source>
        <translation>선택한 요소를 시계 방향으로 90° 회전</translation>
    </message>
    <message>
        <source>选中的元素向左对齐</source>
        <translation>선택한 요소를 왼쪽으로 정렬</translation>
    </message>
    <message>
        <source>选中的元素向右对齐</source>
        <translation>선택한 요소를 오른쪽으로 정렬</translation>
    </message>
    <message>
        <source>选中的元素向上对齐</source>
        <translation>선택한 요소를 위쪽으로 정렬</translation>
    </message>
    <message>
        <source>选中的元素向下对齐</source>
        <translation>선택한 요소를 아래쪽으로 정렬</translation>
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
    <message>
        <source>正在读取 %1…</source>
        <translation>%1 읽는 중…</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>취소</translation>
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
    <message>
        <source>图纸的块插入过多（超过 %1 个副本或 %2 个线段），无法导入。</source>
        <translation>도면의 블록 삽입이 너무 많습니다(복사본 %1개 또는 선분 %2개 초과). 가져올 수 없습니다.</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>保存文件失败：%1</source>
        <translation>%1 을(를) 저장할 수 없습니다:</translation>
    </message>
    <message>
        <source>部分内容未载入</source>
        <translation>디자인의 일부가 빠졌습니다:</translation>
    </message>
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
        <source>任务无法雕刻：%1</source>
        <translation>작업을 조각할 수 없습니다: %1</translation>
    </message>
    <message>
        <source>请添加内容</source>
        <translation>내용을 추가하세요</translation>
    </message>
    <message>
        <source>Plimb</source>
        <translation>Plimb</translation>
    </message>
    <message>
        <source>Cannot read file %1:
%2.</source>
        <translation>파일 %1을(를) 읽을 수 없습니다:
%2.</translation>
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
    <message>
        <source>文件给出的尺寸</source>
        <translation>파일에 지정된 크기</translation>
    </message>
    <message>
        <source>设计单位（0.08 毫米）</source>
        <translation>디자인 단위 (0.08 mm)</translation>
    </message>
    <message>
        <source>文件给出的单位（%1）</source>
        <translation>파일이 지정한 단위(%1)</translation>
    </message>
</context>
<context>
    <name>ItemProperty</name>
    <message>
        <source>变换</source>
        <translation>변환</translation>
    </message>
    <message>
        <source>选中元素的x坐标</source>
        <translation>선택한 요소의 x 좌표</translation>
    </message>
    <message>
        <source>选中元素的y坐标</source>
        <translation>선택한 요소의 y 좌표</translation>
    </message>
    <message>
        <source>选中元素的宽度</source>
        <translation>선택한 요소의 너비</translation>
    </message>
    <message>
        <source>选中元素的高度</source>
        <translation>선택한 요소의 높이</translation>
    </message>
    <message>
        <source>旋转选中的元素</source>
        <translation>선택한 요소 회전</translation>
    </message>
    <message>
        <source>锁定长宽比，改动其中一个参数，另一个参数按比例变化</source>
        <translation>가로세로 비율을 고정합니다. 한 값을 바꾸면 다른 값도 비례하여 바뀝니다</translation>
    </message>
    <message>
        <source>锁定长宽比</source>
        <translation>가로세로 비율 고정</translation>
    </message>
    <message>
        <source>位置X:</source>
        <translation>위치X:</translation>
    </message>
    <message>
        <source>位置Y:</source>
        <translation>위치Y:</translation>
    </message>
    <message>
        <source>宽度W:</source>
        <translation>너비W:</translation>
    </message>
    <message>
        <source>高度H:</source>
        <translation>높이H:</translation>
    </message>
    <message>
        <source>旋转:</source>
        <translation>회전:</translation>
    </message>
    <message>
        <source>字符</source>
        <translation>문자</translation>
    </message>
    <message>
        <source>水平</source>
        <translation>가로</translation>
    </message>
    <message>
        <source>竖直</source>
        <translation>세로</translation>
    </message>
    <message>
        <source>无</source>
        <translation>없음</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>기울임꼴</translation>
    </message>
    <message>
        <source>左对齐</source>
        <translation>왼쪽 정렬</translation>
    </message>
    <message>
        <source>居中对齐</source>
        <translation>가운데 정렬</translation>
    </message>
    <message>
        <source>右对齐</source>
        <translation>오른쪽 정렬</translation>
    </message>
    <message>
        <source>字符之间的间距</source>
        <translation>문자 사이의 간격</translation>
    </message>
    <message>
        <source>每行之间的间距</source>
        <translation>줄 사이의 간격</translation>
    </message>
    <message>
        <source>字体方向:</source>
        <translation>글꼴 방향:</translation>
    </message>
    <message>
        <source>字体样式:</source>
        <translation>글꼴 스타일:</translation>
    </message>
    <message>
        <source>字体对齐:</source>
        <translation>글꼴 정렬:</translation>
    </message>
    <message>
        <source>字间距:</source>
        <translation>자간:</translation>
    </message>
    <message>
        <source>行间距:</source>
        <translation>행간:</translation>
    </message>
    <message>
        <source>图像</source>
        <translation>이미지</translation>
    </message>
    <message>
        <source>阈值</source>
        <translation>임계값</translation>
    </message>
    <message>
        <source>半色调</source>
        <translation>하프톤</translation>
    </message>
    <message>
        <source>灰度</source>
        <translation>회색조</translation>
    </message>
    <message>
        <source>图像模式:</source>
        <translation>이미지 모드:</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>인쇄</translation>
    </message>
    <message>
        <source>边缘</source>
        <translation>가장자리</translation>
    </message>
    <message>
        <source>填充</source>
        <translation>채우기</translation>
    </message>
    <message>
        <source>雕刻模式:</source>
        <translation>조각 모드:</translation>
    </message>
    <message>
        <source>设置打印次数</source>
        <translation>인쇄 횟수 설정</translation>
    </message>
    <message>
        <source>雕刻次数:</source>
        <translation>조각 횟수:</translation>
    </message>
    <message>
        <source>高级设置</source>
        <translation>고급 설정</translation>
    </message>
    <message>
        <source>打印功率的百分比</source>
        <translation>인쇄 출력의 백분율</translation>
    </message>
    <message>
        <source>打印速度的百分比</source>
        <translation>인쇄 속도의 백분율</translation>
    </message>
    <message>
        <source>设置打印线条之间隔</source>
        <translation>인쇄 선 사이의 간격 설정</translation>
    </message>
    <message>
        <source>扫描角度</source>
        <translation>스캔 각도</translation>
    </message>
    <message>
        <source>引入机器扫描时重复定位精度误差，依靠算法弥补误差</source>
        <translation>스캔 시 반복 위치 결정 오차를 입력하고 알고리즘으로 보정합니다</translation>
    </message>
    <message>
        <source>雕刻边缘加减速区域</source>
        <translation>조각 가장자리의 가감속 구간</translation>
    </message>
    <message>
        <source>引入机器X轴切割时重复定位精度误差，依靠算法弥补误差</source>
        <translation>X축 절단 시 반복 위치 결정 오차를 입력하고 알고리즘으로 보정합니다</translation>
    </message>
    <message>
        <source>引入机器y轴切割时重复定位精度误差，依靠算法弥补误差</source>
        <translation>Y축 절단 시 반복 위치 결정 오차를 입력하고 알고리즘으로 보정합니다</translation>
    </message>
    <message>
        <source>雕刻功率:</source>
        <translation>조각 출력:</translation>
    </message>
    <message>
        <source>雕刻速度:</source>
        <translation>조각 속도:</translation>
    </message>
    <message>
        <source>雕刻行距:</source>
        <translation>조각 줄 간격:</translation>
    </message>
    <message>
        <source>雕刻角度:</source>
        <translation>조각 각도:</translation>
    </message>
    <message>
        <source>雕刻插补:</source>
        <translation>조각 보정:</translation>
    </message>
    <message>
        <source>雕刻转向距离:</source>
        <translation>조각 회전 거리:</translation>
    </message>
    <message>
        <source>x轴切割插补:</source>
        <translation>X축 절단 보정:</translation>
    </message>
    <message>
        <source>y轴切割插补:</source>
        <translation>Y축 절단 보정:</translation>
    </message>
    <message>
        <source>加载测试图</source>
        <translation>테스트 이미지 불러오기</translation>
    </message>
    <message>
        <source>加载插补参数测试图</source>
        <translation>보정 매개변수 테스트 이미지 불러오기</translation>
    </message>
    <message>
        <source>参数详解</source>
        <translation>매개변수 상세</translation>
    </message>
    <message>
        <source>参数介绍说明</source>
        <translation>매개변수 소개 및 설명</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>초기화</translation>
    </message>
    <message>
        <source>将上述参数恢复为出厂设置</source>
        <translation>위 매개변수를 공장 설정으로 복원</translation>
    </message>
    <message>
        <source>保存参数</source>
        <translation>매개변수 저장</translation>
    </message>
    <message>
        <source>将上述参数保存并且使用</source>
        <translation>위 매개변수를 저장하고 사용</translation>
    </message>
    <message>
        <source>隐藏设置</source>
        <translation>설정 숨기기</translation>
    </message>
</context>
<context>
    <name>GenerationNotesDialog</name>
    <message>
        <source>加工数据提示</source>
        <translation>가공 데이터 알림</translation>
    </message>
    <message>
        <source>加工数据已生成，但有以下内容被调整或未加工：</source>
        <translation>가공 데이터를 생성했지만 다음 내용이 조정되었거나 가공되지 않습니다:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>확인</translation>
    </message>
</context>
<context>
    <name>JobGenerationDialog</name>
    <message>
        <source>正在生成加工数据…</source>
        <translation>작업 데이터를 생성하는 중…</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>生成加工数据</source>
        <translation>작업 데이터 생성</translation>
    </message>
</context>
<context>
    <name>JobTimeDisplay</name>
    <message>
        <source>预计用时：%1</source>
        <translation>예상 소요 시간: %1</translation>
    </message>
    <message>
        <source>剩余时间：%1</source>
        <translation>남은 시간: %1</translation>
    </message>
</context>
<context>
    <name>LowerOperatePanel</name>
    <message>
        <source>请检查设备的地址和端口，并确认设备已开机、与电脑在同一网络中。</source>
        <translation>장치의 주소와 포트를 확인하고, 장치가 켜져 있으며 이 컴퓨터와 같은 네트워크에 있는지 확인하십시오.</translation>
    </message>
    <message>
        <source>%1 拒绝了连接</source>
        <translation>%1에서 연결을 거부했습니다</translation>
    </message>
    <message>
        <source>找不到主机：%1</source>
        <translation>호스트를 찾을 수 없습니다: %1</translation>
    </message>
    <message>
        <source>连接 %1 超时</source>
        <translation>%1 연결 시간이 초과되었습니다</translation>
    </message>
    <message>
        <source>%1 没有应答</source>
        <translation>%1에서 응답이 없습니다</translation>
    </message>
    <message>
        <source>设备没有回应。请检查设备是否已开机，以及端口是否属于雕刻机。</source>
        <translation>장치가 응답하지 않습니다. 장치가 켜져 있는지, 포트가 조각기의 것인지 확인하십시오.</translation>
    </message>
    <message>
        <source>没有这个端口：%1</source>
        <translation>해당 포트가 없습니다: %1</translation>
    </message>
    <message>
        <source>请检查设备是否已连接，以及端口路径是否正确。</source>
        <translation>장치가 연결되어 있는지, 포트 경로가 올바른지 확인하십시오.</translation>
    </message>
    <message>
        <source>无法打开 %1</source>
        <translation>%1을(를) 열 수 없습니다</translation>
    </message>
    <message>
        <source>连接失败</source>
        <translation>연결 실패</translation>
    </message>
    <message>
        <source>没有权限打开%1</source>
        <translation>%1을(를) 열 권한이 없습니다</translation>
    </message>
    <message>
        <source>串口权限</source>
        <translation>직렬 포트 권한</translation>
    </message>
    <message>
        <source>没有权限打开串口 %1。
请把当前用户加入 %2 组：

    sudo usermod -aG %2 $USER

然后注销并重新登录。</source>
        <translation>직렬 포트 %1을(를) 열 권한이 없습니다.
현재 사용자를 %2 그룹에 추가하십시오:

    sudo usermod -aG %2 $USER

그런 다음 로그아웃했다가 다시 로그인하십시오.</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>연결</translation>
    </message>
    <message>
        <source>自动查找和连接设备</source>
        <translation>장치를 자동으로 찾아 연결</translation>
    </message>
    <message>
        <source>未连接...</source>
        <translation>연결되지 않음...</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>인쇄</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>시작</translation>
    </message>
    <message>
        <source>开始打印</source>
        <translation>인쇄 시작</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>정지</translation>
    </message>
    <message>
        <source>停止打印</source>
        <translation>인쇄 정지</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>일시 정지</translation>
    </message>
    <message>
        <source>暂停打印</source>
        <translation>인쇄 일시 정지</translation>
    </message>
    <message>
        <source>调节打印激光功率</source>
        <translation>인쇄 레이저 출력 조정</translation>
    </message>
    <message>
        <source>调节打印速度</source>
        <translation>인쇄 속도 조정</translation>
    </message>
    <message>
        <source>打印功率:</source>
        <translation>인쇄 출력:</translation>
    </message>
    <message>
        <source>打印速度:</source>
        <translation>인쇄 속도:</translation>
    </message>
    <message>
        <source>数据传输:</source>
        <translation>데이터 전송:</translation>
    </message>
    <message>
        <source>移动</source>
        <translation>이동</translation>
    </message>
    <message>
        <source>边框定位</source>
        <translation>테두리 위치</translation>
    </message>
    <message>
        <source>复位</source>
        <translation>원점 복귀</translation>
    </message>
    <message>
        <source>调节和定位激光功率</source>
        <translation>위치 레이저 출력</translation>
    </message>
    <message>
        <source>打开激光</source>
        <translation>레이저 켜기</translation>
    </message>
    <message>
        <source>打开和关闭定位激光</source>
        <translation>위치 레이저 켜기/끄기</translation>
    </message>
    <message>
        <source>定位工具</source>
        <translation>위치 도구</translation>
    </message>
    <message>
        <source>打开和关闭定位工具</source>
        <translation>위치 도구 켜기/끄기</translation>
    </message>
    <message>
        <source>滚轴</source>
        <translation>롤러</translation>
    </message>
    <message>
        <source>使用滚轴</source>
        <translation>롤러 사용</translation>
    </message>
    <message>
        <source>使用滚轴替代X轴</source>
        <translation>X축 대신 롤러</translation>
    </message>
    <message>
        <source>使用滚轴替代Y轴</source>
        <translation>Y축 대신 롤러</translation>
    </message>
    <message>
        <source>调节定位和移动速度</source>
        <translation>위치 지정 및 이동 속도 조정</translation>
    </message>
    <message>
        <source>移动距离</source>
        <translation>이동 거리</translation>
    </message>
    <message>
        <source>向上移动</source>
        <translation>위로 이동</translation>
    </message>
    <message>
        <source>向下移动</source>
        <translation>아래로 이동</translation>
    </message>
    <message>
        <source>向左移动</source>
        <translation>왼쪽으로 이동</translation>
    </message>
    <message>
        <source>向右移动</source>
        <translation>오른쪽으로 이동</translation>
    </message>
    <message>
        <source>获取位置</source>
        <translation>위치 가져오기</translation>
    </message>
    <message>
        <source>获取设备位置</source>
        <translation>장치 위치 가져오기</translation>
    </message>
    <message>
        <source>设定位置</source>
        <translation>위치 설정</translation>
    </message>
    <message>
        <source>设定设备位置</source>
        <translation>장치 위치 설정</translation>
    </message>
    <message>
        <source>设备的X轴坐标</source>
        <translation>장치의 X축 좌표</translation>
    </message>
    <message>
        <source>设备的Y轴坐标</source>
        <translation>장치의 Y축 좌표</translation>
    </message>
    <message>
        <source>定位功率:</source>
        <translation>위치 출력:</translation>
    </message>
    <message>
        <source>移动速度:</source>
        <translation>이동 속도:</translation>
    </message>
    <message>
        <source>移动距离:</source>
        <translation>이동 거리:</translation>
    </message>
    <message>
        <source>设备位置X:</source>
        <translation>장치 위치X:</translation>
    </message>
    <message>
        <source>设备位置Y:</source>
        <translation>장치 위치Y:</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>설정</translation>
    </message>
    <message>
        <source>工作宽度</source>
        <translation>작업 너비</translation>
    </message>
    <message>
        <source>工作高度</source>
        <translation>작업 높이</translation>
    </message>
    <message>
        <source>高级设置</source>
        <translation>고급 설정</translation>
    </message>
    <message>
        <source>最大y轴运行速度</source>
        <translation>Y축 최대 작동 속도</translation>
    </message>
    <message>
        <source>最大x轴加速度</source>
        <translation>X축 최대 가속도</translation>
    </message>
    <message>
        <source>最大y轴加速度</source>
        <translation>Y축 최대 가속도</translation>
    </message>
    <message>
        <source>正向旋转</source>
        <translation>정방향 회전</translation>
    </message>
    <message>
        <source>反向旋转</source>
        <translation>역방향 회전</translation>
    </message>
    <message>
        <source>默认设置</source>
        <translation>기본 설정</translation>
    </message>
    <message>
        <source>恢复默认设置</source>
        <translation>기본 설정 복원</translation>
    </message>
    <message>
        <source>固件升级</source>
        <translation>펌웨어 업그레이드</translation>
    </message>
    <message>
        <source>升级设备固件</source>
        <translation>장치 펌웨어 업그레이드</translation>
    </message>
    <message>
        <source>宽度:</source>
        <translation>너비:</translation>
    </message>
    <message>
        <source>高度:</source>
        <translation>높이:</translation>
    </message>
    <message>
        <source>最大速度X:</source>
        <translation>최대 속도X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>加速度X:</source>
        <translation>가속도X:</translation>
    </message>
    <message>
        <source>X电机:</source>
        <translation>X 모터:</translation>
    </message>
    <message>
        <source>升级进度:</source>
        <translation>업그레이드 진행률:</translation>
    </message>
    <message>
        <source>未连接设备，请先连接设备</source>
        <translation>장치가 연결되지 않았습니다. 먼저 연결하십시오</translation>
    </message>
    <message>
        <source>继续</source>
        <translation>계속</translation>
    </message>
    <message>
        <source>隐藏设置</source>
        <translation>설정 숨기기</translation>
    </message>
    <message>
        <source>未找到端口.请检查连接...</source>
        <translation>포트를 찾을 수 없습니다. 연결을 확인하십시오...</translation>
    </message>
    <message>
        <source>未找到设备</source>
        <translation>장치를 찾을 수 없습니다</translation>
    </message>
    <message>
        <source>已连接到%1</source>
        <translation>%1에 연결됨</translation>
    </message>
    <message>
        <source>已断开链接：%1</source>
        <translation>연결 끊김: %1</translation>
    </message>
    <message>
        <source>升级</source>
        <translation>업그레이드</translation>
    </message>
    <message>
        <source>已是最新版本，无需升级</source>
        <translation>이미 최신 버전입니다. 업그레이드할 필요가 없습니다</translation>
    </message>
    <message>
        <source>未知硬件，无法升级</source>
        <translation>알 수 없는 하드웨어이므로 업그레이드할 수 없습니다</translation>
    </message>
    <message>
        <source>正在升级，请等待...</source>
        <translation>업그레이드 중입니다. 기다려 주십시오...</translation>
    </message>
    <message>
        <source>已完成升级，请重新连接</source>
        <translation>업그레이드가 완료되었습니다. 다시 연결하십시오</translation>
    </message>
    <message>
        <source>发现新固件，请点击固件升级按钮手动升级固件</source>
        <translation>새 펌웨어가 있습니다. 펌웨어 업그레이드 버튼을 눌러 직접 업그레이드하십시오</translation>
    </message>
    <message>
        <source>此版本未内置该设备的固件，无法升级</source>
        <translation>이 빌드에는 이 장치의 펌웨어가 없어 업그레이드할 수 없습니다</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>알림</translation>
    </message>
    <message>
        <source>控制器的激光模式已关闭（$32=0），激光会在每个拐角停下。</source>
        <translation>컨트롤러의 레이저 모드가 꺼져 있습니다($32=0). 레이저가 모서리마다 멈춥니다.</translation>
    </message>
    <message>
        <source>标准 GRBL 控制器没有此功能</source>
        <translation>표준 GRBL 컨트롤러에는 이 기능이 없습니다</translation>
    </message>
    <message>
        <source>速度倍率:</source>
        <translation>속도 배율:</translation>
    </message>
    <message>
        <source>功率倍率:</source>
        <translation>출력 배율:</translation>
    </message>
    <message>
        <source>空移倍率:</source>
        <translation>빠른 이동 배율:</translation>
    </message>
    <message>
        <source>运行中实时调整，不改变作业文件</source>
        <translation>실행 중인 작업을 즉시 조정합니다. 작업 파일은 바뀌지 않습니다</translation>
    </message>
    <message>
        <source>出错时继续</source>
        <translation>오류 시 계속</translation>
    </message>
    <message>
        <source>设备拒绝某行时继续发送，结束时报告被拒绝的行数</source>
        <translation>장치가 줄을 거부해도 계속 보내고, 끝날 때 거부된 줄 수를 알립니다</translation>
    </message>
    <message>
        <source>设备处于警报锁定：%1</source>
        <translation>장치가 알람으로 잠겨 있습니다: %1</translation>
    </message>
    <message>
        <source>设备已就绪</source>
        <translation>장치가 준비되었습니다</translation>
    </message>
    <message>
        <source>警报</source>
        <translation>알람</translation>
    </message>
    <message>
        <source>回原点或解锁失败：%1</source>
        <translation>원점 복귀 또는 잠금 해제 실패: %1</translation>
    </message>
    <message>
        <source>无法开始作业：%1</source>
        <translation>작업을 시작할 수 없습니다: %1</translation>
    </message>
    <message>
        <source>作业已停止</source>
        <translation>작업 중지됨</translation>
    </message>
    <message>
        <source>作业已停止：%1</source>
        <translation>작업이 중지되었습니다: %1</translation>
    </message>
    <message>
        <source>作业已结束</source>
        <translation>작업 종료</translation>
    </message>
    <message>
        <source>作业已结束，但有 %1 行被设备拒绝。第一处：%2</source>
        <translation>작업이 끝났지만 장치가 %1줄을 거부했습니다. 첫 번째: %2</translation>
    </message>
</context>
<context>
    <name>MachineLockPrompt</name>
    <message>
        <source>回原点</source>
        <translation>원점 복귀</translation>
    </message>
    <message>
        <source>设备已启用回原点。现在回原点吗？机头将会移动。</source>
        <translation>장치에서 원점 복귀가 켜져 있습니다. 지금 원점 복귀할까요? 헤드가 움직입니다.</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>警报</source>
        <translation>알람</translation>
    </message>
    <message>
        <source>设备处于警报锁定：%1</source>
        <translation>장치가 알람으로 잠겨 있습니다: %1</translation>
    </message>
    <message>
        <source>解锁</source>
        <translation>잠금 해제</translation>
    </message>
    <message>
        <source>解锁后设备不知道机头的实际位置。只有在机头位置正确时才解锁。现在解锁吗？</source>
        <translation>잠금 해제 후 장치는 헤드의 실제 위치를 모릅니다. 헤드 위치가 맞을 때만 해제하십시오. 지금 해제할까요?</translation>
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
    <message>
        <source>语言</source>
        <translation>언어</translation>
    </message>
    <message>
        <source>新的语言将在下次启动程序时生效。</source>
        <translation>새 언어는 프로그램을 다음에 시작할 때 적용됩니다.</translation>
    </message>
</context>
<context>
    <name>MaterialLibraryPanel</name>
    <message>
        <source>材料库</source>
        <translation>재료 라이브러리</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>매개변수</translation>
    </message>
    <message>
        <source>应用到所选</source>
        <translation>선택 항목에 적용</translation>
    </message>
    <message>
        <source>所选存为预设</source>
        <translation>선택 항목 저장</translation>
    </message>
    <message>
        <source>从测试网格</source>
        <translation>테스트 그리드에서</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>삭제</translation>
    </message>
    <message>
        <source>导入…</source>
        <translation>가져오기…</translation>
    </message>
    <message>
        <source>导出…</source>
        <translation>내보내기…</translation>
    </message>
    <message>
        <source>把选中的预设应用到画布上所选的图元，可撤销</source>
        <translation>선택한 프리셋을 캔버스에서 선택한 요소에 적용합니다(실행 취소 가능)</translation>
    </message>
    <message>
        <source>把画布上选中的测试网格格子存为预设</source>
        <translation>캔버스에서 선택한 테스트 그리드 셀을 프리셋으로 저장합니다</translation>
    </message>
    <message>
        <source>填充</source>
        <translation>채우기</translation>
    </message>
    <message>
        <source>切割</source>
        <translation>절단</translation>
    </message>
    <message>
        <source>无法保存材料库：%1</source>
        <translation>재료 라이브러리를 저장할 수 없습니다: %1</translation>
    </message>
    <message>
        <source>保存预设</source>
        <translation>프리셋 저장</translation>
    </message>
    <message>
        <source>例如 椴木板</source>
        <translation>예: 합판</translation>
    </message>
    <message>
        <source>例如 3 mm</source>
        <translation>예: 3 mm</translation>
    </message>
    <message>
        <source>例如 切割</source>
        <translation>예: 절단</translation>
    </message>
    <message>
        <source>材料：</source>
        <translation>재료:</translation>
    </message>
    <message>
        <source>厚度：</source>
        <translation>두께:</translation>
    </message>
    <message>
        <source>名称：</source>
        <translation>이름:</translation>
    </message>
    <message>
        <source>请先在画布上选择要应用预设的图元。</source>
        <translation>먼저 캔버스에서 프리셋을 적용할 요소를 선택하십시오.</translation>
    </message>
    <message>
        <source>此预设功率高于 80 % 且速度低于 10 mm/s，容易引燃材料。确定要应用吗？</source>
        <translation>이 프리셋은 출력 80 % 초과, 속도 10 mm/s 미만이라 재료에 불이 붙을 수 있습니다. 그래도 적용하시겠습니까?</translation>
    </message>
    <message>
        <source>请在画布上只选择一个图元。</source>
        <translation>캔버스에서 요소를 하나만 선택하십시오.</translation>
    </message>
    <message>
        <source>请在画布上点选测试网格中的一个格子。</source>
        <translation>캔버스에서 테스트 그리드의 셀 하나를 클릭하십시오.</translation>
    </message>
    <message>
        <source>导入材料库</source>
        <translation>재료 라이브러리 가져오기</translation>
    </message>
    <message>
        <source>材料库 (*.json)</source>
        <translation>재료 라이브러리 (*.json)</translation>
    </message>
    <message>
        <source>无法导入 %1：%2</source>
        <translation>%1을(를) 가져올 수 없습니다: %2</translation>
    </message>
    <message>
        <source>导出材料库</source>
        <translation>재료 라이브러리 내보내기</translation>
    </message>
    <message>
        <source>无法导出 %1：%2</source>
        <translation>%1을(를) 내보낼 수 없습니다: %2</translation>
    </message>
</context>
<context>
    <name>PreviewDialog</name>
    <message>
        <source>G代码预览</source>
        <translation>G코드 미리보기</translation>
    </message>
    <message>
        <source>预计雕刻时间：%1（出光 %2）</source>
        <translation>예상 조각 시간: %1 (레이저 켜짐 %2)</translation>
    </message>
</context>
<context>
    <name>ResumeOffer</name>
    <message>
        <source>任务已中断。</source>
        <translation>작업이 중단되었습니다.</translation>
    </message>
    <message>
        <source>激光头已回原点或已重新定位</source>
        <translation>레이저 헤드를 원점 복귀했거나 다시 위치시켰습니다</translation>
    </message>
    <message>
        <source>放弃</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>恢复前请先连接设备，并让激光头回原点或移回原来的位置。</source>
        <translation>재개하기 전에 장치를 연결하고 레이저 헤드를 원점으로 보내거나 원래 위치로 옮기십시오.</translation>
    </message>
    <message>
        <source>从第 %1 行恢复</source>
        <translation>%1번째 행부터 재개</translation>
    </message>
    <message>
        <source>从第 %1 个轮廓恢复</source>
        <translation>%1번째 윤곽부터 재개</translation>
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
    <name>TestGridDialog</name>
    <message>
        <source>材料测试网格</source>
        <translation>재료 테스트 그리드</translation>
    </message>
    <message>
        <source>功率 × 速度</source>
        <translation>출력 × 속도</translation>
    </message>
    <message>
        <source>功率 × 遍数</source>
        <translation>출력 × 횟수</translation>
    </message>
    <message>
        <source>速度 × 遍数</source>
        <translation>속도 × 횟수</translation>
    </message>
    <message>
        <source>功率 × 线距</source>
        <translation>출력 × 라인 간격</translation>
    </message>
    <message>
        <source>速度 × 线距</source>
        <translation>속도 × 라인 간격</translation>
    </message>
    <message>
        <source>填充扫描</source>
        <translation>채우기 스캔</translation>
    </message>
    <message>
        <source>轮廓切割</source>
        <translation>윤곽 절단</translation>
    </message>
    <message>
        <source>灰度图片</source>
        <translation>회색조 그림</translation>
    </message>
    <message>
        <source>刻写行列数值</source>
        <translation>행과 열 값 새기기</translation>
    </message>
    <message>
        <source>外框切割</source>
        <translation>바깥 테두리 절단</translation>
    </message>
    <message>
        <source>网格</source>
        <translation>그리드</translation>
    </message>
    <message>
        <source>行 × 列：</source>
        <translation>행 × 열:</translation>
    </message>
    <message>
        <source>方式：</source>
        <translation>방식:</translation>
    </message>
    <message>
        <source>行（从、到、个数）：</source>
        <translation>행(시작, 끝, 개수):</translation>
    </message>
    <message>
        <source>列（从、到、个数）：</source>
        <translation>열(시작, 끝, 개수):</translation>
    </message>
    <message>
        <source>固定参数</source>
        <translation>고정 값</translation>
    </message>
    <message>
        <source>功率：</source>
        <translation>출력:</translation>
    </message>
    <message>
        <source>速度：</source>
        <translation>속도:</translation>
    </message>
    <message>
        <source>遍数：</source>
        <translation>횟수:</translation>
    </message>
    <message>
        <source>线距：</source>
        <translation>라인 간격:</translation>
    </message>
    <message>
        <source>尺寸与位置</source>
        <translation>크기와 위치</translation>
    </message>
    <message>
        <source>格子大小：</source>
        <translation>셀 크기:</translation>
    </message>
    <message>
        <source>间距：</source>
        <translation>간격:</translation>
    </message>
    <message>
        <source>位置（X、Y）：</source>
        <translation>위치(X, Y):</translation>
    </message>
    <message>
        <source>标注与外框</source>
        <translation>레이블과 테두리</translation>
    </message>
    <message>
        <source>标注功率、速度：</source>
        <translation>레이블 출력, 속도:</translation>
    </message>
    <message>
        <source>外框功率、速度、遍数：</source>
        <translation>테두리 출력, 속도, 횟수:</translation>
    </message>
    <message>
        <source>预计雕刻时间：%1</source>
        <translation>예상 조각 시간: %1</translation>
    </message>
    <message>
        <source>有格子的速度 %1 mm/min 超过雕刻机的最大速度 %2 mm/min，实际会更慢。</source>
        <translation>셀 속도 %1 mm/min이(가) 조각기 최대 속도 %2 mm/min을(를) 넘습니다. 실제로는 더 느리게 동작합니다.</translation>
    </message>
    <message>
        <source>有格子的遍数 × 功率达到 %1 %，可能烧穿材料或起火。</source>
        <translation>셀의 횟수 × 출력이 %1 %에 이르러 재료가 타서 뚫리거나 불이 붙을 수 있습니다.</translation>
    </message>
    <message>
        <source>预计雕刻时间：正在计算…</source>
        <translation>예상 조각 시간: 계산 중…</translation>
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
        <source>无法检查更新</source>
        <translation>업데이트를 확인할 수 없습니다</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>업데이트</translation>
    </message>
</context>
</TS>
