<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>FitPicture</name>
    <message>
        <source>输入轴</source>
        <translation>input shaft</translation>
    </message>
    <message>
        <source>输出轴</source>
        <translation>output shaft</translation>
    </message>
    <message>
        <source>中间轴</source>
        <translation>stud</translation>
    </message>
</context>
<context>
    <name>gearsel::ChartPage</name>
    <message>
        <source>挂轮表_%1.%2</source>
        <translation>gear_chart_%1.%2</translation>
    </message>
    <message>
        <source>公制螺纹</source>
        <translation>Metric threads</translation>
    </message>
    <message>
        <source>英制螺纹</source>
        <translation>Inch threads</translation>
    </message>
    <message>
        <source>螺距列表</source>
        <translation>Pitch list</translation>
    </message>
    <message>
        <source>滚齿分度</source>
        <translation>Hob indexing</translation>
    </message>
    <message>
        <source>齿数</source>
        <translation>Teeth</translation>
    </message>
    <message>
        <source>至</source>
        <translation>to</translation>
    </message>
    <message>
        <source>头数</source>
        <translation>Starts</translation>
    </message>
    <message>
        <source>生成</source>
        <translation>Work out</translation>
    </message>
    <message>
        <source>挂轮表</source>
        <translation>gear chart</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>保存CSV</source>
        <translation>Save CSV</translation>
    </message>
    <message>
        <source>当前的挂轮和选项无法生成挂轮表。</source>
        <translation>No gear chart can be worked out from these gears and options.</translation>
    </message>
    <message>
        <source>请先生成挂轮表</source>
        <translation>Work out a gear chart first</translation>
    </message>
    <message>
        <source>保存挂轮表为CSV文件</source>
        <translation>Save the gear chart as a CSV file</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>无法写入文件“%1”，挂轮表没有保存。</source>
        <translation>The file &quot;%1&quot; cannot be written; the gear chart was not saved.</translation>
    </message>
</context>
<context>
    <name>gearsel::ChartPrintout</name>
    <message>
        <source>第 %1 页，共 %2 页</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>机床名称：</source>
        <translation>Machine: </translation>
    </message>
    <message>
        <source>机床常数：</source>
        <translation>Machine constants: </translation>
    </message>
</context>
<context>
    <name>gearsel::CommandButton</name>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>gearsel::ConstantsBox</name>
    <message>
        <source>：</source>
        <translation>:</translation>
    </message>
    <message>
        <source>保存为本机常数</source>
        <translation>Keep for this machine</translation>
    </message>
    <message>
        <source>记住这些常数，下次选这台机床时自动填入</source>
        <translation>Remember these constants and fill them in the next time this machine is chosen</translation>
    </message>
    <message>
        <source>机床常数（%1）</source>
        <translation>Machine constants (%1)</translation>
    </message>
    <message>
        <source>机床常数</source>
        <translation>Machine constants</translation>
    </message>
</context>
<context>
    <name>gearsel::FaceCommands</name>
    <message>
        <source>新增机床型号</source>
        <translation>New machine</translation>
    </message>
    <message>
        <source>点这里可以新增一个机床型号的挂轮表</source>
        <translation>Click here to add the gear set of a new machine model</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>轮齿数编辑</source>
        <translation>Edit gears</translation>
    </message>
    <message>
        <source>点击这里可以修改挂轮齿数表</source>
        <translation>Click here to change the tooth counts of the gear set</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>打印挂轮选配结果列表</source>
        <translation>Print the list of selected gear trains</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>保存编辑修改后的挂轮数据</source>
        <translation>Save the edited gear data</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>软件使用方法说明</source>
        <translation>How to use this program</translation>
    </message>
    <message>
        <source>选配</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>开始进行挂轮选配</source>
        <translation>Select the gear trains</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>买齿轮</source>
        <translation>Buy</translation>
    </message>
    <message>
        <source>再添一个什么齿数的齿轮，能使要求速比更精确</source>
        <translation>Which one more gear would make the required ratio more exact</translation>
    </message>
    <message>
        <source>要求速比：</source>
        <translation>Ratio:</translation>
    </message>
    <message>
        <source>请在右边方框中输入要求的传动速比</source>
        <translation>Type the required ratio in the box on the right</translation>
    </message>
    <message>
        <source>点这里打开速比计算</source>
        <translation>Click here to work out a ratio</translation>
    </message>
    <message>
        <source>Ctrl+3 打开三对挂轮选配</source>
        <translation>Ctrl+3 opens the three-pair trains</translation>
    </message>
</context>
<context>
    <name>gearsel::FitPictureCommand</name>
    <message>
        <source>挂轮装配图</source>
        <translation>Train on the machine</translation>
    </message>
    <message>
        <source>挂轮装配图...</source>
        <translation>Train on the machine...</translation>
    </message>
    <message>
        <source>画出选中的挂轮组装在机床上的样子 (%1)</source>
        <translation>Draw the chosen train as it is mounted on the machine (%1)</translation>
    </message>
    <message>
        <source>挂轮装配图_%1-%2</source>
        <translation>train_on_machine_%1-%2</translation>
    </message>
    <message>
        <source>选配结果列表中还没有挂轮：请先选配。</source>
        <translation>The result list holds no train yet: select first.</translation>
    </message>
    <message>
        <source>保存挂轮装配图</source>
        <translation>Save the picture of the mounted gears</translation>
    </message>
    <message>
        <source>PDF 文件 (*.pdf);;PNG 图片 (*.png);;SVG 图片 (*.svg)</source>
        <translation>PDF files (*.pdf);;PNG pictures (*.png);;SVG pictures (*.svg)</translation>
    </message>
    <message>
        <source>无法写入文件“%1”，挂轮装配图没有保存。</source>
        <translation>Cannot write the file “%1”; the picture was not saved.</translation>
    </message>
</context>
<context>
    <name>gearsel::FitPictureDialog</name>
    <message>
        <source>挂轮装配图</source>
        <translation>Train on the machine</translation>
    </message>
    <message>
        <source>选配时只列出装得上的挂轮</source>
        <translation>List only trains that fit the machine</translation>
    </message>
    <message>
        <source>按机床的模数、中心距、挂轮架槽和罩壳，只列出能装上的挂轮组</source>
        <translation>List only the trains that the machine&apos;s module, centre distance, quadrant slot and cover let you mount</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>保存为文件</source>
        <translation>Save as a file</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>gearsel::FitPictureFiles</name>
    <message>
        <source>挂轮装配图</source>
        <translation>Train on the machine</translation>
    </message>
</context>
<context>
    <name>gearsel::FitPicturePage</name>
    <message>
        <source>模数 %1 mm</source>
        <translation>Module %1 mm</translation>
    </message>
    <message>
        <source>径节 %1</source>
        <translation>Diametral pitch %1</translation>
    </message>
    <message>
        <source>，中心距 D = %1 mm</source>
        <translation>, centre distance D = %1 mm</translation>
    </message>
    <message>
        <source>，挂轮架槽 %1–%2 mm</source>
        <translation>, quadrant slot %1–%2 mm</translation>
    </message>
    <message>
        <source>，罩壳内最大外径 %1 mm</source>
        <translation>, largest outside diameter under the cover %1 mm</translation>
    </message>
    <message>
        <source>机床 %1&#x3000;挂轮 %2</source>
        <translation>Machine %1, gears %2</translation>
    </message>
    <message>
        <source>这台机床没有给出模数和中心距，无法画出挂轮的装配图。</source>
        <translation>This machine has no module and centre distance: the mounted gears cannot be drawn.</translation>
    </message>
</context>
<context>
    <name>gearsel::FitPictureView</name>
    <message>
        <source>挂轮装配图</source>
        <translation>Train on the machine</translation>
    </message>
    <message>
        <source>选配结果列表中没有挂轮。</source>
        <translation>The result list holds no train.</translation>
    </message>
</context>
<context>
    <name>gearsel::GearSel</name>
    <message>
        <source>选配没有完成：</source>
        <translation>The selection was not made: </translation>
    </message>
    <message>
        <source>无法给出添置齿轮的建议：</source>
        <translation>No gear to buy can be suggested: </translation>
    </message>
    <message>
        <source>已保存机床“%1”的常数。</source>
        <translation>The constants of machine &quot;%1&quot; are saved.</translation>
    </message>
    <message>
        <source>挂轮表</source>
        <translation>Gear chart</translation>
    </message>
    <message>
        <source>三对挂轮选配…</source>
        <translation>Three-pair trains…</translation>
    </message>
    <message>
        <source>列出三对挂轮 z1/z2 × z3/z4 × z5/z6（主界面 Ctrl+3）</source>
        <translation>List three-pair trains z1/z2 × z3/z4 × z5/z6 (Ctrl+3 on the main window)</translation>
    </message>
</context>
<context>
    <name>gearsel::GearSetEditor</name>
    <message>
        <source>选择范围：     至      齿</source>
        <translation>Teeth:         to</translation>
    </message>
    <message>
        <source>按“回车”键后执行</source>
        <translation>Press Enter to apply</translation>
    </message>
    <message>
        <source>选择范围：起始齿数</source>
        <translation>Range: first tooth count</translation>
    </message>
    <message>
        <source>选择范围：终止齿数</source>
        <translation>Range: last tooth count</translation>
    </message>
    <message>
        <source>改齿数</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>输入后按回车键</source>
        <translation>Type a count and press Enter</translation>
    </message>
    <message>
        <source>全选</source>
        <translation>All</translation>
    </message>
    <message>
        <source>反选</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>已选</source>
        <translation>Ticks</translation>
    </message>
    <message>
        <source>已选择的齿轮个数</source>
        <translation>How many gears are ticked</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>关闭这个窗口</source>
        <translation>Close this window</translation>
    </message>
    <message>
        <source>全清</source>
        <translation>None</translation>
    </message>
</context>
<context>
    <name>gearsel::GearTableModel</name>
    <message>
        <source>齿数</source>
        <translation>Z</translation>
    </message>
</context>
<context>
    <name>gearsel::GeometryFields</name>
    <message>
        <source>如 1.5，与径节只填一个</source>
        <translation>e.g. 1.5; module or DP, not both</translation>
    </message>
    <message>
        <source>挂轮的模数（mm）；与径节 DP 只填一个</source>
        <translation>The change gears&apos; module in mm; give it or the diametral pitch DP, not both</translation>
    </message>
    <message>
        <source>如 24，与模数只填一个</source>
        <translation>e.g. 24; DP or module, not both</translation>
    </message>
    <message>
        <source>挂轮的径节：分度圆直径每英寸的齿数；与模数只填一个</source>
        <translation>The change gears&apos; diametral pitch: teeth per inch of pitch diameter; give it or the module, not both</translation>
    </message>
    <message>
        <source>如 120（mm）</source>
        <translation>e.g. 120 (mm)</translation>
    </message>
    <message>
        <source>第一个主动轮的轴到最后一个从动轮的轴的固定距离（mm）</source>
        <translation>The fixed distance in mm from the first driver&apos;s shaft to the last driven gear&apos;s shaft</translation>
    </message>
    <message>
        <source>如 45-95（mm），空为不限</source>
        <translation>e.g. 45-95 (mm); empty: any</translation>
    </message>
    <message>
        <source>挂轮架槽能放中间轴的位置：到最后一个从动轮的轴的最小和最大距离（mm）</source>
        <translation>Where the quadrant&apos;s slot holds the stud: its smallest and largest distance in mm from the last driven gear&apos;s shaft</translation>
    </message>
    <message>
        <source>如 200（mm），空为不限</source>
        <translation>e.g. 200 (mm); empty: any</translation>
    </message>
    <message>
        <source>罩壳下放得下的最大齿轮外径 m(z + 2)（mm）</source>
        <translation>The largest outside diameter m(z + 2) in mm that fits under the cover</translation>
    </message>
    <message>
        <source>：</source>
        <translation>:</translation>
    </message>
    <message>
        <source>“%1”和“%2”只能填一个：径节 DP = 25.4 / 模数 m。</source>
        <translation>Give %1 or %2, not both: DP = 25.4 / m.</translation>
    </message>
    <message>
        <source>机床常数“%1”的值“%2”不能使用：%3。</source>
        <translation>The machine constant %1 &quot;%2&quot; cannot be used: %3.</translation>
    </message>
</context>
<context>
    <name>gearsel::GuardedApplication</name>
    <message>
        <source>操作没有完成：</source>
        <translation>The operation was not completed: </translation>
    </message>
</context>
<context>
    <name>gearsel::HelpPanel</name>
    <message>
        <source>    选配前先将不同型号机床所配带的这些挂轮齿数录入</source>
        <translation>    Before selecting, enter the gears that come with</translation>
    </message>
    <message>
        <source>到本程序的机床挂轮数据表中保存起来，以备以后调用。</source>
        <translation>each machine model into the program&apos;s table for later use.</translation>
    </message>
    <message>
        <source>已经输入过的机床挂轮数据可以在“机床名称”列表中点选调用。</source>
        <translation>Gears entered before are picked from the &quot;Machine&quot; list.</translation>
    </message>
    <message>
        <source>按“新增机床型号”按钮出现挂轮齿数编辑窗口，可以输入一个新的机床型号挂轮。</source>
        <translation>&quot;New machine&quot; opens the gear editor, to enter the gears of a new model.</translation>
    </message>
    <message>
        <source>按“挂轮齿数编辑”按钮出现挂轮齿数编辑窗口，可以编辑修改当前所示的机床挂轮。</source>
        <translation>&quot;Edit gears&quot; opens the gear editor, to change the gears of the machine shown.</translation>
    </message>
    <message>
        <source>数据编辑时只要点选一下就行了，列表上没有或重复的齿数找个空位置，改一下齿数即可。</source>
        <translation>Editor: a click ticks a gear; for a count not listed, change a free box.</translation>
    </message>
    <message>
        <source>新增的机床名称请直接在显示处修改，按一下“回车”键即可，名称改空即删除。</source>
        <translation>Rename a new machine in its box and press Enter; an empty name deletes it.</translation>
    </message>
    <message>
        <source>“装配条件”参数实际上就是传动轴粗细相当于一个同模数齿轮Zn齿，为了保证Z1与Z2啮</source>
        <translation>&quot;Zn&quot; is the shaft&apos;s size as a same-module gear of Zn teeth. For Z1 to mesh</translation>
    </message>
    <message>
        <source>合，Z3不能太大，否则Z3的外缘会顶住一轴。同样道理，Z2 + Zn 应&lt; Z3 + Z4。</source>
        <translation>with Z2, Z3 must be small enough to clear the shaft; so Z2 + Zn &lt; Z3 + Z4.</translation>
    </message>
    <message>
        <source>按“选配”按钮前，挂轮选配所“要求速比”请直接在显示处修改。</source>
        <translation>Before pressing &quot;Select&quot;, type the required &quot;Ratio&quot; right in its box.</translation>
    </message>
    <message>
        <source>其它未提及的功能大都非常直观，不罗嗦了。</source>
        <translation>The other features speak for themselves.</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>关闭这个窗口</source>
        <translation>Close this window</translation>
    </message>
    <message>
        <source>《%1》程序 使用说明</source>
        <translation>%1 user notes</translation>
    </message>
    <message>
        <source>本程序为自由软件（GNU GPL 第 3 版或更新版本），不提供任何担保。</source>
        <translation>This program is free software (GNU GPL version 3 or later), with no warranty.</translation>
    </message>
    <message>
        <source>软件版本更新，请向本软件的提供者索取。</source>
        <translation>For newer versions, ask whoever supplied this program.</translation>
    </message>
</context>
<context>
    <name>gearsel::LockWaitNotice</name>
    <message>
        <source>另一个程序正在修改数据文件，正在等它改完……
锁文件：%1</source>
        <translation>Another program is changing the data file; waiting for it to finish...
Lock file: %1</translation>
    </message>
</context>
<context>
    <name>gearsel::MachineCommands</name>
    <message>
        <source>机床“%1”在文件中已经被改动，这次的操作没有进行；请看过现在的内容后再试。</source>
        <translation>Machine &quot;%1&quot; was changed in the file, so this was not done; look at what it holds now and try again.</translation>
    </message>
    <message>
        <source>机床名称：</source>
        <translation>Machine:</translation>
    </message>
    <message>
        <source>挂轮个数：</source>
        <translation>Gears:</translation>
    </message>
    <message>
        <source>这台机床所配带的挂轮个数</source>
        <translation>How many gears come with this machine</translation>
    </message>
    <message>
        <source>修改名称后按“回车”键将另存为一个新的挂轮表，名称改为空白后将删除该挂轮表</source>
        <translation>Change the name and press Enter to save a new gear set; clear it to delete this gear set</translation>
    </message>
    <message>
        <source>机床名称</source>
        <translation>Machine</translation>
    </message>
    <message>
        <source>挂轮齿数</source>
        <translation>Gear teeth</translation>
    </message>
    <message>
        <source>这台机床有 %1 个挂轮，挂轮齿数编辑最多只能显示 %2 个，无法在这里修改它的挂轮齿数表。</source>
        <translation>This machine has %1 gears and the gear editor shows at most %2, so its gear set cannot be changed here.</translation>
    </message>
    <message>
        <source>输入新的机床名称：</source>
        <translation>Name of the new machine:</translation>
    </message>
    <message>
        <source>已经有 %1 个机床型号，不能再增加了。
可以先删除不用的机床型号：清空机床名称后按回车键。</source>
        <translation>There are %1 machine models already; no more can be added.
Delete one no longer used first: clear its name and press Enter.</translation>
    </message>
    <message>
        <source>另存为一个新的“%1”挂轮表？</source>
        <translation>Save as a new gear set &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>删除“%1”这个挂轮表？</source>
        <translation>Delete the gear set &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>另一个程序修改了数据文件“%1”。这里已经重新读入，显示的是文件中现在的内容。</source>
        <translation>Another program changed the data file &quot;%1&quot;. It was read again; what is shown is what it holds now.</translation>
    </message>
</context>
<context>
    <name>gearsel::PdfOffer</name>
    <message>
        <source>是否将%1保存为PDF文件? </source>
        <translation>Save the %1 as a PDF file?</translation>
    </message>
    <message>
        <source>保存%1</source>
        <translation>Save the %1</translation>
    </message>
    <message>
        <source>PDF 文件 (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>无法写入文件“%1”，%2没有保存。</source>
        <translation>The file &quot;%1&quot; cannot be written; the %2 was not saved.</translation>
    </message>
</context>
<context>
    <name>gearsel::PrintCommand</name>
    <message>
        <source>是否打印选配结果列表? 

准备好打印机，开始打印? </source>
        <translation>Print the list of selected gear trains?

Is the printer ready to start?</translation>
    </message>
    <message>
        <source>挂轮选配结果_%1.pdf</source>
        <translation>gear_trains_%1.pdf</translation>
    </message>
    <message>
        <source>选配结果列表</source>
        <translation>list of gear trains</translation>
    </message>
</context>
<context>
    <name>gearsel::PrinterOutput</name>
    <message>
        <source>挂轮选配结果列表</source>
        <translation>Change-gear trains</translation>
    </message>
    <message>
        <source>挂轮表</source>
        <translation>Gear chart</translation>
    </message>
    <message>
        <source>没有找到已安装的打印机，无法打印。</source>
        <translation>No printer is installed; nothing can be printed.</translation>
    </message>
    <message>
        <source>打印机“%1”无法打印。</source>
        <translation>The printer &quot;%1&quot; cannot print.</translation>
    </message>
    <message>
        <source>挂轮装配图</source>
        <translation>Train on the machine</translation>
    </message>
</context>
<context>
    <name>gearsel::Printout</name>
    <message>
        <source>挂轮选配列表</source>
        <translation>Change-Gear Trains</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>计算速比</source>
        <translation>Ratio</translation>
    </message>
    <message>
        <source>绝对精度</source>
        <translation>Abs. error</translation>
    </message>
    <message>
        <source>相对精度</source>
        <translation>Rel. error</translation>
    </message>
    <message>
        <source>机床名称：</source>
        <translation>Machine: </translation>
    </message>
    <message>
        <source>指定速比：</source>
        <translation>Required ratio: </translation>
    </message>
    <message>
        <source>档位</source>
        <translation>Position</translation>
    </message>
</context>
<context>
    <name>gearsel::Prompter</name>
    <message>
        <source>操作提示</source>
        <translation>Notice</translation>
    </message>
</context>
<context>
    <name>gearsel::RatioHelper</name>
    <message>
        <source>速比计算</source>
        <translation>Ratio calculator</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>把算出的速比填入“要求速比”</source>
        <translation>Put the ratio worked out into &quot;Ratio&quot;</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>这一页不计算速比。</source>
        <translation>This page works out no ratio.</translation>
    </message>
    <message>
        <source>（精确分数）</source>
        <translation> (exact fraction)</translation>
    </message>
    <message>
        <source>（近似值）</source>
        <translation> (approximate)</translation>
    </message>
    <message>
        <source>速比 i = </source>
        <translation>Ratio i = </translation>
    </message>
    <message>
        <source>
不含进给箱速比：选配时进给箱各手柄位置一起选配</source>
        <translation>
Without the gearbox ratio: the search tries every gearbox position together</translation>
    </message>
    <message>
        <source>计算页</source>
        <translation>Calculation pages</translation>
    </message>
</context>
<context>
    <name>gearsel::ResultDisplay</name>
    <message>
        <source>--- 选配结果列表 ---</source>
        <translation>--- Gear trains ---</translation>
    </message>
    <message>
        <source>速比可选择的范围</source>
        <translation>The range of ratios this gear set can reach</translation>
    </message>
    <message>
        <source>计算处理所花的时间（秒）</source>
        <translation>Time the selection took (seconds)</translation>
    </message>
    <message>
        <source>选配结果列表</source>
        <translation>Gear trains</translation>
    </message>
</context>
<context>
    <name>gearsel::ResultTableModel</name>
    <message>
        <source>；进给箱手柄位置 %1</source>
        <translation>; gearbox position %1</translation>
    </message>
</context>
<context>
    <name>gearsel::SavedFile</name>
    <message>
        <source>%1已保存为“%2”。</source>
        <translation>The %1 is saved as &quot;%2&quot;.</translation>
    </message>
</context>
<context>
    <name>gearsel::SearchFields</name>
    <message>
        <source>传动轴的粗细相当于一个多少齿数的齿轮</source>
        <translation>The shaft&apos;s thickness as a gear of how many teeth</translation>
    </message>
    <message>
        <source>装配条件：</source>
        <translation>Zn:</translation>
    </message>
    <message>
        <source>列表组数：</source>
        <translation>Rows:</translation>
    </message>
    <message>
        <source>请在右边方框中输入要求的选配结果列表组数</source>
        <translation>Type how many gear trains to list in the box on the right</translation>
    </message>
    <message>
        <source>要求速比</source>
        <translation>Ratio</translation>
    </message>
    <message>
        <source>允许重复选择：</source>
        <translation>Repeats:</translation>
    </message>
    <message>
        <source>是否允许重复选择相同齿数的齿轮</source>
        <translation>Whether a tooth count may be used twice</translation>
    </message>
    <message>
        <source>包括单对选配：</source>
        <translation>Single pairs:</translation>
    </message>
    <message>
        <source>是否包括单对选配的齿轮组合</source>
        <translation>Whether single gear pairs are listed too</translation>
    </message>
    <message>
        <source>速比计算…</source>
        <translation>Work out a ratio...</translation>
    </message>
</context>
<context>
    <name>gearsel::SuggestionList</name>
    <message>
        <source>添置哪个齿轮</source>
        <translation>Which gear to buy</translation>
    </message>
    <message>
        <source>添置齿轮的建议</source>
        <translation>Gears worth buying</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>下表是添置一个齿轮后最好的挂轮组，精确的在前，其余按绝对精度排列：</source>
        <translation>The best trains with one more gear: exact ones first, then by absolute error:</translation>
    </message>
</context>
<context>
    <name>gearsel::ThreePairDialog</name>
    <message>
        <source>三对挂轮选配</source>
        <translation>Three-pair trains</translation>
    </message>
    <message>
        <source>打开本页时取主界面的要求速比；也可输入小数或分数 p/q</source>
        <translation>Taken from the main window&apos;s required ratio when the page opens; a decimal or a fraction p/q may be typed</translation>
    </message>
    <message>
        <source>要求速比：</source>
        <translation>Required ratio:</translation>
    </message>
    <message>
        <source>列表组数：</source>
        <translation>Trains listed:</translation>
    </message>
    <message>
        <source>选配</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>列出最好的三对挂轮（Enter 或 Ctrl+Enter）</source>
        <translation>List the best three-pair trains (Enter or Ctrl+Enter)</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>打印三对挂轮列表（Ctrl+P）</source>
        <translation>Print the list of three-pair trains (Ctrl+P)</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>关闭本页（Esc）</source>
        <translation>Close this page (Esc)</translation>
    </message>
    <message>
        <source>正在计算</source>
        <translation>Working</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>停止计算，不列出挂轮</source>
        <translation>Stop the search; no trains are listed</translation>
    </message>
    <message>
        <source>三对挂轮列表</source>
        <translation>Three-pair trains</translation>
    </message>
    <message>
        <source>机床：%1</source>
        <translation>Machine: %1</translation>
    </message>
    <message>
        <source>装配条件 %1</source>
        <translation>Shaft allowance %1</translation>
    </message>
    <message>
        <source>允许重复</source>
        <translation>repeats allowed</translation>
    </message>
    <message>
        <source>不允许重复</source>
        <translation>no repeats</translation>
    </message>
    <message>
        <source>首轮固定为 %1 齿</source>
        <translation>first gear fixed at %1 teeth</translation>
    </message>
    <message>
        <source>末轮固定为 %1 齿</source>
        <translation>last gear fixed at %1 teeth</translation>
    </message>
    <message>
        <source>每个齿轮只用一次</source>
        <translation>each gear used once</translation>
    </message>
    <message>
        <source>车螺纹速比按进给箱手柄位置 %1 一起选配</source>
        <translation>a thread&apos;s ratio searched over the gearbox positions %1</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>要求速比“%1”不能使用：%2</source>
        <translation>The required ratio &quot;%1&quot; cannot be used: %2</translation>
    </message>
    <message>
        <source>已用 %1 秒</source>
        <translation>%1 s so far</translation>
    </message>
    <message>
        <source>已取消，没有列出挂轮。</source>
        <translation>Cancelled: no trains listed.</translation>
    </message>
    <message>
        <source>没有找到可以装配的三对挂轮。</source>
        <translation>No three-pair train can be mounted.</translation>
    </message>
    <message>
        <source>计算处理所花的时间: </source>
        <translation>Search time: </translation>
    </message>
    <message>
        <source>三对挂轮选配列表</source>
        <translation>Three-pair gear trains</translation>
    </message>
</context>
<context>
    <name>gearsel::ThreePairTableModel</name>
    <message>
        <source>档位</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>；进给箱手柄位置 %1</source>
        <translation>; gearbox position %1</translation>
    </message>
</context>
<context>
    <name>gearsel::TrainRulesBox</name>
    <message>
        <source>挂轮规则</source>
        <translation>Train rules</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>三对挂轮</source>
        <translation>Three pairs</translation>
    </message>
    <message>
        <source>这台机床装三对挂轮：主界面的“选配”同时在三对挂轮选配页（Ctrl+3）列出三对挂轮</source>
        <translation>This machine takes three pairs: Select on the main window also lists three-pair trains on their page (Ctrl+3)</translation>
    </message>
    <message>
        <source>勾选：齿轮组中的每个齿轮在一组挂轮中至多用一次（同齿数的几个齿轮各算一个）</source>
        <translation>Ticked: each gear of the set at most once in a train (copies of a tooth count each count once)</translation>
    </message>
    <message>
        <source>如 24，空为不固定</source>
        <translation>e.g. 24; empty: not fixed</translation>
    </message>
    <message>
        <source>主轴一侧的第一个主动轮固定为这个齿数</source>
        <translation>The first driver, on the spindle side, is fixed to this tooth count</translation>
    </message>
    <message>
        <source>如 127，空为不固定</source>
        <translation>e.g. 127; empty: not fixed</translation>
    </message>
    <message>
        <source>丝杠一侧的最后一个从动轮固定为这个齿数</source>
        <translation>The last driven gear, on the leadscrew side, is fixed to this tooth count</translation>
    </message>
    <message>
        <source>如 A1=1/2,A2=1,B1=5/4，空为没有</source>
        <translation>e.g. A1=1/2,A2=1,B1=5/4; empty: none</translation>
    </message>
    <message>
        <source>进给箱各手柄位置的速比；车螺纹时各位置一起选配，每行注明位置</source>
        <translation>The gearbox&apos;s ratio in each lever position; a thread is searched over all of them, each row naming its position</translation>
    </message>
    <message>
        <source>挂轮规则“%1”的值“%2”不能使用：%3。</source>
        <translation>The train rule %1 &quot;%2&quot; cannot be used: %3.</translation>
    </message>
</context>
<context>
    <name>gearsel::TrainTablePrintout</name>
    <message>
        <source>机床名称：</source>
        <translation>Machine: </translation>
    </message>
    <message>
        <source>指定速比：</source>
        <translation>Required ratio: </translation>
    </message>
</context>
</TS>
