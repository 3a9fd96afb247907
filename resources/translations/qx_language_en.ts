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
</context>
<context>
    <name>FileCommands</name>
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
        <source>请添加内容</source>
        <translation>No Item</translation>
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
</context>
<context>
    <name>PreviewDialog</name>
    <message>
        <source>G代码预览</source>
        <translation>G-code Preview</translation>
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
        <source>更新</source>
        <translation>Update</translation>
    </message>
</context>
</TS>
