<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
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
    <name>LowerOperatePanel</name>
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
</context>
<context>
    <name>MainWindow</name>
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
</TS>
