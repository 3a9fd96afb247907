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
