<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>ActionSet</name>
    <message>
        <source>新建</source>
        <translation>New</translation>
    </message>
    <message>
        <source>新建一个文件</source>
        <translation>New file</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>打开一个文件</source>
        <translation>Open a file</translation>
    </message>
    <message>
        <source>添加图像</source>
        <translation>Add Image</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>保存文件</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>文件另存为</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>保存Gcode</source>
        <translation>Save as gcode</translation>
    </message>
    <message>
        <source>保存gcode</source>
        <translation>Save as gcode</translation>
    </message>
    <message>
        <source>关闭程序</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>退出程序</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>水平镜像</source>
        <translation>H mirror</translation>
    </message>
    <message>
        <source>垂直镜像</source>
        <translation>V mirror</translation>
    </message>
    <message>
        <source>旋转</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>向左对齐</source>
        <translation>Align left</translation>
    </message>
    <message>
        <source>向右对齐</source>
        <translation>Align right</translation>
    </message>
    <message>
        <source>向上对齐</source>
        <translation>Align top</translation>
    </message>
    <message>
        <source>向下对齐</source>
        <translation>Align bottom</translation>
    </message>
    <message>
        <source>组合</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>组合选中的元素为一个元素</source>
        <translation>Group the selected elements into one element</translation>
    </message>
    <message>
        <source>分解</source>
        <translation>Ungroup</translation>
    </message>
    <message>
        <source>分解选中的元素为单个元素</source>
        <translation>Ungroup the selected element into a single element</translation>
    </message>
    <message>
        <source>选择</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>可选择单个或者多个图形元素</source>
        <translation>Single or multiple graphic elements can be selected</translation>
    </message>
    <message>
        <source>画笔</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>画笔工具</source>
        <translation>Draw tool</translation>
    </message>
    <message>
        <source>直线</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>直线工具</source>
        <translation>Line tool</translation>
    </message>
    <message>
        <source>矩形</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>矩形工具</source>
        <translation>Rectangle tool</translation>
    </message>
    <message>
        <source>椭圆</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>椭圆工具</source>
        <translation>Ellipse tool</translation>
    </message>
    <message>
        <source>文字</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>文字工具</source>
        <translation>Text tool</translation>
    </message>
    <message>
        <source>追踪边缘</source>
        <translation>Trace</translation>
    </message>
    <message>
        <source>提取图像边缘</source>
        <translation>Trace image boundaries</translation>
    </message>
    <message>
        <source>打印预览</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>检查更新</source>
        <translation>Version check</translation>
    </message>
    <message>
        <source>检查软件版本</source>
        <translation>Version Check</translation>
    </message>
    <message>
        <source>关于我们</source>
        <translation>About us</translation>
    </message>
    <message>
        <source>打开日志文件夹</source>
        <translation>Open log folder</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>File(&amp;F)</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>Edit(&amp;E)</translation>
    </message>
    <message>
        <source>工具(&amp;T)</source>
        <translation>Tools(&amp;T)</translation>
    </message>
    <message>
        <source>排列(&amp;A)</source>
        <translation>Arrange(&amp;A)</translation>
    </message>
    <message>
        <source>语言(&amp;L)</source>
        <translation>Language(&amp;L)</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>Help(&amp;H)</translation>
    </message>
    <message>
        <source>材料测试网格…</source>
        <translation>Material Test Grid…</translation>
    </message>
    <message>
        <source>生成不同功率、速度、遍数或线距的测试格子</source>
        <translation>Make test cells with different power, speed, passes or line interval</translation>
    </message>
    <message>
        <source>撤销一步</source>
        <translation>Undo one step</translation>
    </message>
    <message>
        <source>重做上一步</source>
        <translation>Redo the last step</translation>
    </message>
    <message>
        <source>剪切选中的元素</source>
        <translation>Cut the selected elements</translation>
    </message>
    <message>
        <source>复制选中的元素</source>
        <translation>Copy the selected elements</translation>
    </message>
    <message>
        <source>粘贴元素</source>
        <translation>Paste elements</translation>
    </message>
    <message>
        <source>删除选中的元素</source>
        <translation>Delete the selected elements</translation>
    </message>
    <message>
        <source>选中的元素进行水平镜像</source>
        <translation>Mirror the selected elements horizontally</translation>
    </message>
    <message>
        <source>选中的元素进行垂直镜像</source>
        <translation>Mirror the selected elements vertically</translation>
    </message>
    <message>
        <source>选中的元素进行顺时针旋转90°</source>
        <translation>Rotate the selected elements 90° clockwise</translation>
    </message>
    <message>
        <source>选中的元素向左对齐</source>
        <translation>Align the selected elements to the left</translation>
    </message>
    <message>
        <source>选中的元素向右对齐</source>
        <translation>Align the selected elements to the right</translation>
    </message>
    <message>
        <source>选中的元素向上对齐</source>
        <translation>Align the selected elements to the top</translation>
    </message>
    <message>
        <source>选中的元素向下对齐</source>
        <translation>Align the selected elements to the bottom</translation>
    </message>
</context>
<context>
    <name>DesignView</name>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>DomTreeView</name>
    <message>
        <source>删除节点</source>
        <translation>Delete Node</translation>
    </message>
</context>
<context>
    <name>DrawingImport</name>
    <message>
        <source>不支持的文件类型：%1</source>
        <translation>Unsupported file type: %1</translation>
    </message>
    <message>
        <source>无法打开文件 %1：%2</source>
        <translation>Cannot open the file %1: %2</translation>
    </message>
</context>
<context>
    <name>DrawingPlacer</name>
    <message>
        <source>文件中没有可导入的图形。</source>
        <translation>The file holds no drawing that can be imported.</translation>
    </message>
    <message>
        <source>设计中没有图层，无法添加图形。</source>
        <translation>The design has no layer to add the drawing to.</translation>
    </message>
    <message>
        <source>正在读取 %1…</source>
        <translation>Reading %1…</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>DxfReader</name>
    <message>
        <source>这不是可读的 DXF 文件。</source>
        <translation>This is not a readable DXF file.</translation>
    </message>
    <message>
        <source>无法打开文件 %1：%2</source>
        <translation>Cannot open the file %1: %2</translation>
    </message>
    <message>
        <source>图纸的块插入过多（超过 %1 个副本或 %2 个线段），无法导入。</source>
        <translation>The drawing's blocks make too many copies (more than %1 copies or %2 segments); it cannot be imported.</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>保存文件失败：%1</source>
        <translation>Could not save %1:</translation>
    </message>
    <message>
        <source>部分内容未载入</source>
        <translation>Part of the design was left out:</translation>
    </message>
    <message>
        <source>文件未保存</source>
        <translation>File not save</translation>
    </message>
    <message>
        <source>是否保存?</source>
        <translation>Save?</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>不保存</source>
        <translation>No save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>打开文件失败</source>
        <translation>Open fail</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>任务无法雕刻：%1</source>
        <translation>The job cannot be engraved: %1</translation>
    </message>
    <message>
        <source>请添加内容</source>
        <translation>No Item</translation>
    </message>
    <message>
        <source>Plimb</source>
        <translation>Plimb</translation>
    </message>
    <message>
        <source>Cannot read file %1:
%2.</source>
        <translation>Cannot read file %1:
%2.</translation>
    </message>
</context>
<context>
    <name>ImportUnitDialog</name>
    <message>
        <source>导入尺寸</source>
        <translation>Import size</translation>
    </message>
    <message>
        <source>毫米</source>
        <translation>Millimetres</translation>
    </message>
    <message>
        <source>厘米</source>
        <translation>Centimetres</translation>
    </message>
    <message>
        <source>英寸</source>
        <translation>Inches</translation>
    </message>
    <message>
        <source>设计单位（0.08 毫米，y 向下）</source>
        <translation>Design units (0.08 mm, y down)</translation>
    </message>
    <message>
        <source>绘图仪单位（0.025 毫米，y 向上）</source>
        <translation>Plotter units (0.025 mm, y up)</translation>
    </message>
    <message>
        <source>单位：</source>
        <translation>Unit:</translation>
    </message>
    <message>
        <source>尺寸：</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>%1 × %2 毫米</source>
        <translation>%1 × %2 mm</translation>
    </message>
    <message>
        <source>文件给出的尺寸</source>
        <translation>The size the file gives</translation>
    </message>
    <message>
        <source>设计单位（0.08 毫米）</source>
        <translation>Design units (0.08 mm)</translation>
    </message>
    <message>
        <source>文件给出的单位（%1）</source>
        <translation>Unit given by the file (%1)</translation>
    </message>
</context>
<context>
    <name>ItemProperty</name>
    <message>
        <source>变换</source>
        <translation>Translate</translation>
    </message>
    <message>
        <source>选中元素的x坐标</source>
        <translation>The x coordinate of the selected element</translation>
    </message>
    <message>
        <source>选中元素的y坐标</source>
        <translation>The y coordinate of the selected element</translation>
    </message>
    <message>
        <source>选中元素的宽度</source>
        <translation>The width of the selected element</translation>
    </message>
    <message>
        <source>选中元素的高度</source>
        <translation>The height of the selected element</translation>
    </message>
    <message>
        <source>旋转选中的元素</source>
        <translation>Rotate selected elements</translation>
    </message>
    <message>
        <source>锁定长宽比，改动其中一个参数，另一个参数按比例变化</source>
        <translation>Lock the aspect ratio, change one of the parameters, and the other parameter changes proportionally</translation>
    </message>
    <message>
        <source>锁定长宽比</source>
        <translation>Lock the aspect ratio</translation>
    </message>
    <message>
        <source>位置X:</source>
        <translation>Loc X:</translation>
    </message>
    <message>
        <source>位置Y:</source>
        <translation>Loc Y:</translation>
    </message>
    <message>
        <source>宽度W:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>高度H:</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>旋转:</source>
        <translation>Rotate:</translation>
    </message>
    <message>
        <source>字符</source>
        <translation>Character</translation>
    </message>
    <message>
        <source>水平</source>
        <translation>horizontal</translation>
    </message>
    <message>
        <source>竖直</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>左对齐</source>
        <translation>Align left</translation>
    </message>
    <message>
        <source>居中对齐</source>
        <translation>Align center</translation>
    </message>
    <message>
        <source>右对齐</source>
        <translation>Align right</translation>
    </message>
    <message>
        <source>字符之间的间距</source>
        <translation>Space between characters</translation>
    </message>
    <message>
        <source>每行之间的间距</source>
        <translation>Spacing between each line</translation>
    </message>
    <message>
        <source>字体方向:</source>
        <translation>Font direction:</translation>
    </message>
    <message>
        <source>字体样式:</source>
        <translation>Font style:</translation>
    </message>
    <message>
        <source>字体对齐:</source>
        <translation>Font Align:</translation>
    </message>
    <message>
        <source>字间距:</source>
        <translation>Word space:</translation>
    </message>
    <message>
        <source>行间距:</source>
        <translation>Line space:</translation>
    </message>
    <message>
        <source>图像</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>阈值</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>半色调</source>
        <translation>Halftone</translation>
    </message>
    <message>
        <source>灰度</source>
        <translation>Grey</translation>
    </message>
    <message>
        <source>图像模式:</source>
        <translation>Image mode:</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>边缘</source>
        <translation>Edge</translation>
    </message>
    <message>
        <source>填充</source>
        <translation>Filling</translation>
    </message>
    <message>
        <source>雕刻模式:</source>
        <translation>Engraving Mode:</translation>
    </message>
    <message>
        <source>设置打印次数</source>
        <translation>Set the number of prints</translation>
    </message>
    <message>
        <source>雕刻次数:</source>
        <translation>Engraving times:</translation>
    </message>
    <message>
        <source>高级设置</source>
        <translation>Advanced settings</translation>
    </message>
    <message>
        <source>打印功率的百分比</source>
        <translation>Percentage of printing power</translation>
    </message>
    <message>
        <source>打印速度的百分比</source>
        <translation>Percentage of printing speed</translation>
    </message>
    <message>
        <source>设置打印线条之间隔</source>
        <translation>Set the interval between printed lines</translation>
    </message>
    <message>
        <source>扫描角度</source>
        <translation>Scan angle</translation>
    </message>
    <message>
        <source>引入机器扫描时重复定位精度误差，依靠算法弥补误差</source>
        <translation>Introduce repeated positioning accuracy errors during machine scanning, and rely on algorithms to make up for errors</translation>
    </message>
    <message>
        <source>雕刻边缘加减速区域</source>
        <translation>Engraving edge acceleration and deceleration areas</translation>
    </message>
    <message>
        <source>引入机器X轴切割时重复定位精度误差，依靠算法弥补误差</source>
        <translation>Introduce repeated positioning accuracy errors when cutting on the X-axis of the machine, and rely on algorithms to make up for errors</translation>
    </message>
    <message>
        <source>引入机器y轴切割时重复定位精度误差，依靠算法弥补误差</source>
        <translation>Introduce repeated positioning accuracy errors when cutting on the y-axis of the machine, and rely on algorithms to make up for the errors</translation>
    </message>
    <message>
        <source>雕刻功率:</source>
        <translation>Engraving power:</translation>
    </message>
    <message>
        <source>雕刻速度:</source>
        <translation>Engraving speed:</translation>
    </message>
    <message>
        <source>雕刻行距:</source>
        <translation>Engraving line spacing:</translation>
    </message>
    <message>
        <source>雕刻角度:</source>
        <translation>Engraving Angle:</translation>
    </message>
    <message>
        <source>雕刻插补:</source>
        <translation>Engraving interpolation:</translation>
    </message>
    <message>
        <source>雕刻转向距离:</source>
        <translation>Engraving Turning Distance:</translation>
    </message>
    <message>
        <source>x轴切割插补:</source>
        <translation>X-axis cutting interpolation:</translation>
    </message>
    <message>
        <source>y轴切割插补:</source>
        <translation>Y-axis cutting interpolation:</translation>
    </message>
    <message>
        <source>加载测试图</source>
        <translation>load test image</translation>
    </message>
    <message>
        <source>加载插补参数测试图</source>
        <translation>load interpolation parameters and test image</translation>
    </message>
    <message>
        <source>参数详解</source>
        <translation>parameter details</translation>
    </message>
    <message>
        <source>参数介绍说明</source>
        <translation>parameter introduction and explanation</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>将上述参数恢复为出厂设置</source>
        <translation>Restore the above parameters to factory settings</translation>
    </message>
    <message>
        <source>保存参数</source>
        <translation>Save parameters</translation>
    </message>
    <message>
        <source>将上述参数保存并且使用</source>
        <translation>save and use the above parameters</translation>
    </message>
    <message>
        <source>隐藏设置</source>
        <translation>Hide settings</translation>
    </message>
</context>
<context>
    <name>GenerationNotesDialog</name>
    <message>
        <source>加工数据提示</source>
        <translation>Job notes</translation>
    </message>
    <message>
        <source>加工数据已生成，但有以下内容被调整或未加工：</source>
        <translation>The job was generated, but some things were changed or left out:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>JobGenerationDialog</name>
    <message>
        <source>正在生成加工数据…</source>
        <translation>Generating the job…</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>生成加工数据</source>
        <translation>Generating the job</translation>
    </message>
</context>
<context>
    <name>JobTimeDisplay</name>
    <message>
        <source>预计用时：%1</source>
        <translation>Estimated time: %1</translation>
    </message>
    <message>
        <source>剩余时间：%1</source>
        <translation>Time left: %1</translation>
    </message>
</context>
<context>
    <name>LowerOperatePanel</name>
    <message>
        <source>请检查设备的地址和端口，并确认设备已开机、与电脑在同一网络中。</source>
        <translation>Check the device's address and port, and that it is switched on and on the same network as this computer.</translation>
    </message>
    <message>
        <source>%1 拒绝了连接</source>
        <translation>%1 refused the connection</translation>
    </message>
    <message>
        <source>找不到主机：%1</source>
        <translation>Unknown host: %1</translation>
    </message>
    <message>
        <source>连接 %1 超时</source>
        <translation>Connecting to %1 timed out</translation>
    </message>
    <message>
        <source>%1 没有应答</source>
        <translation>No answer from %1</translation>
    </message>
    <message>
        <source>设备没有回应。请检查设备是否已开机，以及端口是否属于雕刻机。</source>
        <translation>The device does not answer. Check that it is switched on and that the port belongs to the engraver.</translation>
    </message>
    <message>
        <source>没有这个端口：%1</source>
        <translation>No such port: %1</translation>
    </message>
    <message>
        <source>请检查设备是否已连接，以及端口路径是否正确。</source>
        <translation>Check that the device is plugged in and that the port's path is right.</translation>
    </message>
    <message>
        <source>无法打开 %1</source>
        <translation>Cannot open %1</translation>
    </message>
    <message>
        <source>连接失败</source>
        <translation>Connection failed</translation>
    </message>
    <message>
        <source>没有权限打开%1</source>
        <translation>No permission to open %1</translation>
    </message>
    <message>
        <source>串口权限</source>
        <translation>Serial port permission</translation>
    </message>
    <message>
        <source>没有权限打开串口 %1。
请把当前用户加入 %2 组：

    sudo usermod -aG %2 $USER

然后注销并重新登录。</source>
        <translation>No permission to open the serial port %1.
Add your user to the group %2:

    sudo usermod -aG %2 $USER

then log out and log in again.</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>自动查找和连接设备</source>
        <translation>Automatically find and connect devices</translation>
    </message>
    <message>
        <source>未连接...</source>
        <translation>Not connected...</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>开始打印</source>
        <translation>Start printing</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>停止打印</source>
        <translation>Stop printing</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>暂停打印</source>
        <translation>Pause printing</translation>
    </message>
    <message>
        <source>调节打印激光功率</source>
        <translation>Adjust printing laser power</translation>
    </message>
    <message>
        <source>调节打印速度</source>
        <translation>Adjust printing speed</translation>
    </message>
    <message>
        <source>打印功率:</source>
        <translation>Printing power:</translation>
    </message>
    <message>
        <source>打印速度:</source>
        <translation>Printing speed:</translation>
    </message>
    <message>
        <source>数据传输:</source>
        <translation>Data transmission:</translation>
    </message>
    <message>
        <source>移动</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>边框定位</source>
        <translation>Locate</translation>
    </message>
    <message>
        <source>复位</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>调节和定位激光功率</source>
        <translation>Positioning laser power</translation>
    </message>
    <message>
        <source>打开激光</source>
        <translation>Open laser</translation>
    </message>
    <message>
        <source>打开和关闭定位激光</source>
        <translation>Turn on and off the positioning laser</translation>
    </message>
    <message>
        <source>定位工具</source>
        <translation>Loc tool</translation>
    </message>
    <message>
        <source>打开和关闭定位工具</source>
        <translation>Turn positioning tools on and off</translation>
    </message>
    <message>
        <source>滚轴</source>
        <translation>Roller</translation>
    </message>
    <message>
        <source>使用滚轴</source>
        <translation>Use the roller</translation>
    </message>
    <message>
        <source>使用滚轴替代X轴</source>
        <translation>Instead of the X axis</translation>
    </message>
    <message>
        <source>使用滚轴替代Y轴</source>
        <translation>Instead of the Y axis</translation>
    </message>
    <message>
        <source>调节定位和移动速度</source>
        <translation>Adjust positioning and moving speed</translation>
    </message>
    <message>
        <source>移动距离</source>
        <translation>Moving distance</translation>
    </message>
    <message>
        <source>向上移动</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>向下移动</source>
        <translation>Move Downward</translation>
    </message>
    <message>
        <source>向左移动</source>
        <translation>move to the left</translation>
    </message>
    <message>
        <source>向右移动</source>
        <translation>move to the right</translation>
    </message>
    <message>
        <source>获取位置</source>
        <translation>Get location</translation>
    </message>
    <message>
        <source>获取设备位置</source>
        <translation>Get device location</translation>
    </message>
    <message>
        <source>设定位置</source>
        <translation>Set location</translation>
    </message>
    <message>
        <source>设定设备位置</source>
        <translation>Set device location</translation>
    </message>
    <message>
        <source>设备的X轴坐标</source>
        <translation>X-axis coordinate of the device</translation>
    </message>
    <message>
        <source>设备的Y轴坐标</source>
        <translation>Y-axis coordinate of the device</translation>
    </message>
    <message>
        <source>定位功率:</source>
        <translation>Locate power:</translation>
    </message>
    <message>
        <source>移动速度:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>移动距离:</source>
        <translation>Distance:</translation>
    </message>
    <message>
        <source>设备位置X:</source>
        <translation>Location X:</translation>
    </message>
    <message>
        <source>设备位置Y:</source>
        <translation>Location Y:</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>工作宽度</source>
        <translation>Working width</translation>
    </message>
    <message>
        <source>工作高度</source>
        <translation>Working height</translation>
    </message>
    <message>
        <source>高级设置</source>
        <translation>Advanced settings</translation>
    </message>
    <message>
        <source>最大y轴运行速度</source>
        <translation>Maximum y-axis operating speed</translation>
    </message>
    <message>
        <source>最大x轴加速度</source>
        <translation>Maximum x-axis acceleration</translation>
    </message>
    <message>
        <source>最大y轴加速度</source>
        <translation>Maximum y-axis acceleration</translation>
    </message>
    <message>
        <source>正向旋转</source>
        <translation>CW</translation>
    </message>
    <message>
        <source>反向旋转</source>
        <translation>CCW</translation>
    </message>
    <message>
        <source>默认设置</source>
        <translation>Default setting</translation>
    </message>
    <message>
        <source>恢复默认设置</source>
        <translation>Restore default settings</translation>
    </message>
    <message>
        <source>固件升级</source>
        <translation>Firmware upgrade</translation>
    </message>
    <message>
        <source>升级设备固件</source>
        <translation>Upgrade device firmware</translation>
    </message>
    <message>
        <source>宽度:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>高度:</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>最大速度X:</source>
        <translation>Max speed X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>加速度X:</source>
        <translation>Acc X:</translation>
    </message>
    <message>
        <source>X电机:</source>
        <translation>X step:</translation>
    </message>
    <message>
        <source>升级进度:</source>
        <translation>Upgrade progress:</translation>
    </message>
    <message>
        <source>未连接设备，请先连接设备</source>
        <translation>The device is not connected, please connect it first</translation>
    </message>
    <message>
        <source>继续</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>隐藏设置</source>
        <translation>Hide settings</translation>
    </message>
    <message>
        <source>未找到端口.请检查连接...</source>
        <translation>Please check the connection...</translation>
    </message>
    <message>
        <source>未找到设备</source>
        <translation>Device not found</translation>
    </message>
    <message>
        <source>已连接到%1</source>
        <translation>Connected to %1</translation>
    </message>
    <message>
        <source>已断开链接：%1</source>
        <translation>Broken link: %1</translation>
    </message>
    <message>
        <source>升级</source>
        <translation>Upgrade</translation>
    </message>
    <message>
        <source>已是最新版本，无需升级</source>
        <translation>Already the latest version, no need to upgrade</translation>
    </message>
    <message>
        <source>未知硬件，无法升级</source>
        <translation>Unknown hardware, unable to upgrade</translation>
    </message>
    <message>
        <source>正在升级，请等待...</source>
        <translation>Upgrading, please wait...</translation>
    </message>
    <message>
        <source>已完成升级，请重新连接</source>
        <translation>Upgrade completed, please reconnect</translation>
    </message>
    <message>
        <source>发现新固件，请点击固件升级按钮手动升级固件</source>
        <translation>New firmware is found, please click the firmware upgrade button to manually upgrade the firmware</translation>
    </message>
    <message>
        <source>此版本未内置该设备的固件，无法升级</source>
        <translation>This build carries no firmware image for the device, unable to upgrade</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>控制器的激光模式已关闭（$32=0），激光会在每个拐角停下。</source>
        <translation>Laser mode is off on the controller ($32=0): the laser will stop at every corner.</translation>
    </message>
    <message>
        <source>标准 GRBL 控制器没有此功能</source>
        <translation>A standard GRBL controller does not have this function</translation>
    </message>
    <message>
        <source>速度倍率:</source>
        <translation>Feed override:</translation>
    </message>
    <message>
        <source>功率倍率:</source>
        <translation>Power override:</translation>
    </message>
    <message>
        <source>空移倍率:</source>
        <translation>Rapid override:</translation>
    </message>
    <message>
        <source>运行中实时调整，不改变作业文件</source>
        <translation>Adjusts the running job at once; the job file is not changed</translation>
    </message>
    <message>
        <source>出错时继续</source>
        <translation>Continue past errors</translation>
    </message>
    <message>
        <source>设备拒绝某行时继续发送，结束时报告被拒绝的行数</source>
        <translation>Keep sending when the engraver refuses a line; the end tells how many lines were refused</translation>
    </message>
    <message>
        <source>设备处于警报锁定：%1</source>
        <translation>The engraver is locked in alarm: %1</translation>
    </message>
    <message>
        <source>设备已就绪</source>
        <translation>The engraver is ready</translation>
    </message>
    <message>
        <source>警报</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>回原点或解锁失败：%1</source>
        <translation>Homing or unlocking failed: %1</translation>
    </message>
    <message>
        <source>无法开始作业：%1</source>
        <translation>Cannot start the job: %1</translation>
    </message>
    <message>
        <source>作业已停止</source>
        <translation>Job stopped</translation>
    </message>
    <message>
        <source>作业已停止：%1</source>
        <translation>The job was stopped: %1</translation>
    </message>
    <message>
        <source>作业已结束</source>
        <translation>Job ended</translation>
    </message>
    <message>
        <source>作业已结束，但有 %1 行被设备拒绝。第一处：%2</source>
        <translation>The job ended, but the engraver refused %1 lines. The first: %2</translation>
    </message>
</context>
<context>
    <name>MachineLockPrompt</name>
    <message>
        <source>回原点</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>设备已启用回原点。现在回原点吗？机头将会移动。</source>
        <translation>Homing is enabled on the engraver. Home it now? The head will move.</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>警报</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>设备处于警报锁定：%1</source>
        <translation>The engraver is locked in alarm: %1</translation>
    </message>
    <message>
        <source>解锁</source>
        <translation>Unlock</translation>
    </message>
    <message>
        <source>解锁后设备不知道机头的实际位置。只有在机头位置正确时才解锁。现在解锁吗？</source>
        <translation>After unlocking, the engraver does not know where the head really is. Unlock only when the head's position is right. Unlock now?</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>图元属性</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>控制台</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>新的语言将在下次启动程序时生效。</source>
        <translation>The new language takes effect the next time the program starts.</translation>
    </message>
</context>
<context>
    <name>MaterialLibraryPanel</name>
    <message>
        <source>材料库</source>
        <translation>Material Library</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>应用到所选</source>
        <translation>Apply to Selection</translation>
    </message>
    <message>
        <source>所选存为预设</source>
        <translation>Save Selection</translation>
    </message>
    <message>
        <source>从测试网格</source>
        <translation>From Test Grid</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>导入…</source>
        <translation>Import…</translation>
    </message>
    <message>
        <source>导出…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>把选中的预设应用到画布上所选的图元，可撤销</source>
        <translation>Apply the chosen preset to the elements selected on the canvas (can be undone)</translation>
    </message>
    <message>
        <source>把画布上选中的测试网格格子存为预设</source>
        <translation>Save the test grid cell selected on the canvas as a preset</translation>
    </message>
    <message>
        <source>填充</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>切割</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>无法保存材料库：%1</source>
        <translation>Cannot save the material library: %1</translation>
    </message>
    <message>
        <source>保存预设</source>
        <translation>Save Preset</translation>
    </message>
    <message>
        <source>例如 椴木板</source>
        <translation>e.g. Plywood</translation>
    </message>
    <message>
        <source>例如 3 mm</source>
        <translation>e.g. 3 mm</translation>
    </message>
    <message>
        <source>例如 切割</source>
        <translation>e.g. cut</translation>
    </message>
    <message>
        <source>材料：</source>
        <translation>Material:</translation>
    </message>
    <message>
        <source>厚度：</source>
        <translation>Thickness:</translation>
    </message>
    <message>
        <source>名称：</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>请先在画布上选择要应用预设的图元。</source>
        <translation>Select the elements to apply the preset to on the canvas first.</translation>
    </message>
    <message>
        <source>此预设功率高于 80 % 且速度低于 10 mm/s，容易引燃材料。确定要应用吗？</source>
        <translation>This preset runs above 80 % power at under 10 mm/s and may set the material alight. Apply it anyway?</translation>
    </message>
    <message>
        <source>请在画布上只选择一个图元。</source>
        <translation>Select exactly one element on the canvas.</translation>
    </message>
    <message>
        <source>请在画布上点选测试网格中的一个格子。</source>
        <translation>Click one cell of a test grid on the canvas.</translation>
    </message>
    <message>
        <source>导入材料库</source>
        <translation>Import Material Library</translation>
    </message>
    <message>
        <source>材料库 (*.json)</source>
        <translation>Material library (*.json)</translation>
    </message>
    <message>
        <source>无法导入 %1：%2</source>
        <translation>Cannot import %1: %2</translation>
    </message>
    <message>
        <source>导出材料库</source>
        <translation>Export Material Library</translation>
    </message>
    <message>
        <source>无法导出 %1：%2</source>
        <translation>Cannot export %1: %2</translation>
    </message>
</context>
<context>
    <name>PreviewDialog</name>
    <message>
        <source>G代码预览</source>
        <translation>G-code Preview</translation>
    </message>
    <message>
        <source>预计雕刻时间：%1（出光 %2）</source>
        <translation>Estimated engraving time: %1 (laser on %2)</translation>
    </message>
</context>
<context>
    <name>ResumeOffer</name>
    <message>
        <source>任务已中断。</source>
        <translation>The job was interrupted.</translation>
    </message>
    <message>
        <source>激光头已回原点或已重新定位</source>
        <translation>The head is homed or back in place</translation>
    </message>
    <message>
        <source>放弃</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>恢复前请先连接设备，并让激光头回原点或移回原来的位置。</source>
        <translation>Before resuming, connect the engraver and home the head or move it back to where it was.</translation>
    </message>
    <message>
        <source>从第 %1 行恢复</source>
        <translation>Resume from row %1</translation>
    </message>
    <message>
        <source>从第 %1 个轮廓恢复</source>
        <translation>Resume from outline %1</translation>
    </message>
</context>
<context>
    <name>SVGDocument</name>
    <message>
        <source>Element</source>
        <translation>Element</translation>
    </message>
    <message>
        <source>id</source>
        <translation>id</translation>
    </message>
</context>
<context>
    <name>TestGridDialog</name>
    <message>
        <source>材料测试网格</source>
        <translation>Material Test Grid</translation>
    </message>
    <message>
        <source>功率 × 速度</source>
        <translation>Power × speed</translation>
    </message>
    <message>
        <source>功率 × 遍数</source>
        <translation>Power × passes</translation>
    </message>
    <message>
        <source>速度 × 遍数</source>
        <translation>Speed × passes</translation>
    </message>
    <message>
        <source>功率 × 线距</source>
        <translation>Power × line interval</translation>
    </message>
    <message>
        <source>速度 × 线距</source>
        <translation>Speed × line interval</translation>
    </message>
    <message>
        <source>填充扫描</source>
        <translation>Fill scan</translation>
    </message>
    <message>
        <source>轮廓切割</source>
        <translation>Outline cut</translation>
    </message>
    <message>
        <source>灰度图片</source>
        <translation>Grey picture</translation>
    </message>
    <message>
        <source>刻写行列数值</source>
        <translation>Engrave row and column values</translation>
    </message>
    <message>
        <source>外框切割</source>
        <translation>Cut an outer frame</translation>
    </message>
    <message>
        <source>网格</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>行 × 列：</source>
        <translation>Rows × columns:</translation>
    </message>
    <message>
        <source>方式：</source>
        <translation>Mode:</translation>
    </message>
    <message>
        <source>行（从、到、个数）：</source>
        <translation>Rows (from, to, count):</translation>
    </message>
    <message>
        <source>列（从、到、个数）：</source>
        <translation>Columns (from, to, count):</translation>
    </message>
    <message>
        <source>固定参数</source>
        <translation>Fixed values</translation>
    </message>
    <message>
        <source>功率：</source>
        <translation>Power:</translation>
    </message>
    <message>
        <source>速度：</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>遍数：</source>
        <translation>Passes:</translation>
    </message>
    <message>
        <source>线距：</source>
        <translation>Line interval:</translation>
    </message>
    <message>
        <source>尺寸与位置</source>
        <translation>Size and position</translation>
    </message>
    <message>
        <source>格子大小：</source>
        <translation>Cell size:</translation>
    </message>
    <message>
        <source>间距：</source>
        <translation>Gap:</translation>
    </message>
    <message>
        <source>位置（X、Y）：</source>
        <translation>Position (X, Y):</translation>
    </message>
    <message>
        <source>标注与外框</source>
        <translation>Labels and frame</translation>
    </message>
    <message>
        <source>标注功率、速度：</source>
        <translation>Label power, speed:</translation>
    </message>
    <message>
        <source>外框功率、速度、遍数：</source>
        <translation>Frame power, speed, passes:</translation>
    </message>
    <message>
        <source>预计雕刻时间：%1</source>
        <translation>Estimated engraving time: %1</translation>
    </message>
    <message>
        <source>有格子的速度 %1 mm/min 超过雕刻机的最大速度 %2 mm/min，实际会更慢。</source>
        <translation>A cell's speed of %1 mm/min exceeds the engraver's maximum of %2 mm/min; it will run slower.</translation>
    </message>
    <message>
        <source>有格子的遍数 × 功率达到 %1 %，可能烧穿材料或起火。</source>
        <translation>A cell's passes × power reaches %1 %; it may burn through the material or set it alight.</translation>
    </message>
    <message>
        <source>预计雕刻时间：正在计算…</source>
        <translation>Estimated engraving time: calculating…</translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>更新检测中</source>
        <translation>Checking</translation>
    </message>
    <message>
        <source>未链接网络</source>
        <translation>No network</translation>
    </message>
    <message>
        <source>已经是最新版本</source>
        <translation>Already the latest version</translation>
    </message>
    <message>
        <source>无法检查更新</source>
        <translation>Could not check for updates</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Update</translation>
    </message>
</context>
</TS>
