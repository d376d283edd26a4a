<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CheckText</name>
    <message>
        <source>--preview needs a folder</source>
        <translation>--preview 后面需要一个文件夹</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>未知选项 %1</translation>
    </message>
    <message>
        <source>no exam file named</source>
        <translation>没有指定试题文件</translation>
    </message>
    <message>
        <source>cannot make the folder %1</source>
        <translation>无法创建文件夹 %1</translation>
    </message>
    <message>
        <source>choice question %1</source>
        <translation>选择题第 %1 题</translation>
    </message>
    <message>
        <source>non-choice question %1</source>
        <translation>非选择题第 %1 题</translation>
    </message>
    <message>
        <source>plain text</source>
        <translation>纯文本</translation>
    </message>
    <message>
        <source>formatted</source>
        <translation>带格式</translation>
    </message>
    <message>
        <source>markup shown as plain text</source>
        <translation>HTML 代码按纯文本显示</translation>
    </message>
    <message>
        <source>elements open inside one another</source>
        <translation>元素嵌套层数</translation>
    </message>
    <message>
        <source>tables inside tables</source>
        <translation>表格嵌套层数</translation>
    </message>
    <message>
        <source>table cells</source>
        <translation>表格单元格数</translation>
    </message>
    <message>
        <source>pixels of images</source>
        <translation>图片像素</translation>
    </message>
    <message>
        <source>%1: score %2, bytes %3, %4</source>
        <translation>%1：分值 %2，字节数 %3，%4</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>the path is longer than %1 bytes</source>
        <translation>路径超过 %1 字节</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>文件不存在</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>文件无法读取</translation>
    </message>
    <message>
        <source>larger than %1 MiB</source>
        <translation>文件大于 %1 MiB</translation>
    </message>
    <message>
        <source>expected the number of choice questions</source>
        <translation>此处应为选择题数</translation>
    </message>
    <message>
        <source>expected the number of non-choice questions</source>
        <translation>此处应为非选择题数</translation>
    </message>
    <message>
        <source>a number of questions cannot be negative</source>
        <translation>题数不能为负数</translation>
    </message>
    <message>
        <source>%1 choice questions: at most %2</source>
        <translation>选择题 %1 道：最多 %2 道</translation>
    </message>
    <message>
        <source>%1 non-choice questions: at most %2</source>
        <translation>非选择题 %1 道：最多 %2 道</translation>
    </message>
    <message>
        <source>expected the score of %1</source>
        <translation>此处应为%1的分值</translation>
    </message>
    <message>
        <source>the file ends before the text of %1, text %2 of %3</source>
        <translation>文件已经结束，找不到%1的题目文字（共需 %3 段题目文字，缺第 %2 段）</translation>
    </message>
    <message>
        <source>the text of %1 has no closing &apos;$&apos;</source>
        <translation>%1的题目文字缺少结尾的“$”</translation>
    </message>
    <message>
        <source>loads; choice questions: %1, non-choice questions: %2, total score: %3</source>
        <translation>可以导入；选择题 %1 道，非选择题 %2 道，总分 %3</translation>
    </message>
    <message>
        <source>characters, lines and changes of direction</source>
        <translation>字符、行数和书写方向的变化</translation>
    </message>
    <message>
        <source>Usage: tavik-check [--json] [--preview FOLDER] EXAM...
Tells whether each exam file loads in the student&apos;s program, and how each question shows there. EXAM - reads the exam from standard input.
  --json             the findings as JSON, one object per file and line
  --preview FOLDER   for each file that loads, a picture of each question as the student sees it, in FOLDER/&lt;file name&gt;/
  --version          the version of the program
  -h, --help         this text
Exit status: 0 loads with nothing to report, 1 loads with warnings, 2 does not load, 64 a wrong command line or a picture folder it cannot write, 74 the report cannot be written.</source>
        <translation>用法：tavik-check [--json] [--preview 文件夹] 试题文件...
说明每个试题文件能否在学生端导入，以及每道题在学生端怎样显示。试题文件写 - 时从标准输入读取。
  --json             以 JSON 输出结果，每个文件一个对象，各占一行
  --preview 文件夹   为每个能导入的文件，把每道题在学生端的样子存成图片，放在“文件夹/文件名/”中
  --version          显示程序版本
  -h, --help         显示本说明
退出状态：0 能导入且没有问题，1 能导入但有警告，2 不能导入，64 命令行有误或图片文件夹无法写入，74 结果无法写出。</translation>
    </message>
    <message>
        <source>%1 (tavik-check --help tells how to use it)</source>
        <translation>%1（用法见 tavik-check --help）</translation>
    </message>
    <message>
        <source>%1: cannot write the pictures into %2</source>
        <translation>%1：无法把图片写入 %2</translation>
    </message>
    <message>
        <source>cannot write the report: %1</source>
        <translation>无法写出结果：%1</translation>
    </message>
    <message>
        <source>the file is saved as GBK (ANSI), not as UTF-8: the students see rows of � in place of its Chinese text (%1 bytes, the first here). Save it as UTF-8: in Notepad, File, Save As, Encoding UTF-8</source>
        <translation>文件是以 GBK（ANSI）编码保存的，不是 UTF-8：学生看到的中文会变成一串串“�”（共 %1 个字节，第一个在此处）。请另存为 UTF-8：在记事本中选“文件”→“另存为”，编码选“UTF-8”</translation>
    </message>
    <message>
        <source>a byte 0x1A (Ctrl+Z): on Windows the students&apos; program reads the file only up to here, and does not load it</source>
        <translation>这里有一个 0x1A 字节（Ctrl+Z）：在 Windows 上学生端只读到这里，试卷无法导入</translation>
    </message>
    <message>
        <source>%1: cut after %2 of its %3 bytes: from here on it is not shown</source>
        <translation>%1：被截断，共 %3 字节，只显示前 %2 字节，从此处起不显示</translation>
    </message>
    <message>
        <source>%1 reads as plain text, but this &apos;&lt;&apos; makes the display take it all for markup: the students do not see &quot;%2&quot;, and its line breaks are lost (options run together); write &amp;lt; for &apos;&lt;&apos;</source>
        <translation>%1本是纯文本，但这个“&lt;”使学生端把整道题当作 HTML：学生看不到“%2”，题中的换行也全部丢失（选项挤在一行）；请把“&lt;”写成 &amp;lt;</translation>
    </message>
    <message>
        <source>%1 reads as plain text, but this &apos;&lt;&apos; makes the display take it all for markup: the students do not see &quot;%2&quot;; write &amp;lt; for &apos;&lt;&apos;</source>
        <translation>%1本是纯文本，但这个“&lt;”使学生端把整道题当作 HTML：学生看不到“%2”；请把“&lt;”写成 &amp;lt;</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>%1: shown as plain text: too many %2</source>
        <translation>%1：按纯文本显示：%2超出限度</translation>
    </message>
    <message>
        <source>the score of %1 is read from &quot;%2&quot;, the number before the first text: is a score missing?</source>
        <translation>%1的分值读成了第一道题前的题号“%2”：是不是漏写了一个分值？</translation>
    </message>
    <message>
        <source>the score of %1 reads as %2: &quot;%3&quot; after it is not read; write a decimal point: %4</source>
        <translation>%1的分值读成 %2，后面的“%3”没有读入；小数请用小数点：%4</translation>
    </message>
    <message>
        <source>&quot;%1&quot; after the score of %2, the last, is not read: one score too many?</source>
        <translation>最后一个分值（%2的）之后的“%1”没有读入：是不是多写了一个分值？</translation>
    </message>
    <message>
        <source>text after the &apos;$&apos; that ends the text of %1 is in no question: the students do not see it. A &apos;$&apos; inside a question ends it (a price, $x^2$): write ＄ there</source>
        <translation>结束%1题目文字的“$”之后的文字不属于任何一道题，学生看不到。题目中的“$”会结束这道题（如价格、$x^2$），请在题目中改用全角“＄”</translation>
    </message>
    <message>
        <source>texts after the last question: %1, the first here. The students do not get them: are the numbers of questions right?</source>
        <translation>最后一道题之后还有 %1 段题目文字，第一段在此处。学生拿不到这些题：题数写对了吗？</translation>
    </message>
    <message>
        <source>this &apos;@&apos; inside a word (an e-mail address?) starts the text of %1: every &apos;@&apos; between texts starts one</source>
        <translation>词语中的这个“@”（电子邮件地址？）成了%1题目文字的开头：题目之间的每个“@”都会开始一段题目文字</translation>
    </message>
    <message>
        <source>a full-width ＄ does not end the text of %1, which runs on: type $ in half-width</source>
        <translation>全角“＄”不能结束%1的题目文字，题目会一直延续下去：请用半角输入“$”</translation>
    </message>
    <message>
        <source>what looks like the start of a question inside the text of %1: is the &apos;$&apos; before it missing? The students get both as one question</source>
        <translation>%1的题目文字里出现了像下一道题开头的内容：它前面是不是漏了“$”？学生会把两道题当作一道题看到</translation>
    </message>
    <message>
        <source>the text of %1 is empty: the students see a blank question</source>
        <translation>%1的题目文字是空的：学生看到的是一道空白题</translation>
    </message>
    <message>
        <source>the text of %1 is the same as that of %2</source>
        <translation>%1的题目文字与%2的相同</translation>
    </message>
    <message>
        <source>the score of %1 is %2: the question counts for nothing</source>
        <translation>%1的分值是 %2：这道题不计分</translation>
    </message>
    <message>
        <source>with the score of %1 the total goes beyond the largest number a program holds</source>
        <translation>加上%1的分值后，总分超出了程序能表示的最大数</translation>
    </message>
    <message>
        <source>an exam without questions: the students have nothing to answer</source>
        <translation>试卷中没有题目：学生无题可答</translation>
    </message>
    <message>
        <source>the text of %1 starts here</source>
        <translation>%1的题目文字从这里开始</translation>
    </message>
    <message>
        <source>the file announces %1 choice and %2 non-choice questions here</source>
        <translation>文件在这里写明选择题 %1 道、非选择题 %2 道</translation>
    </message>
    <message>
        <source>a &apos;$&apos; outside every text: is the &apos;@&apos; before it missing? What stands before it is in no question</source>
        <translation>这个“$”不在任何题目文字中：它前面是不是漏了“@”？它前面的文字不属于任何一道题</translation>
    </message>
    <message>
        <source>a full-width ＠ does not start a text: type @ in half-width</source>
        <translation>全角“＠”不能开始一段题目文字：请用半角输入“@”</translation>
    </message>
    <message>
        <source>a folder, not an exam file</source>
        <translation>这是文件夹，不是试题文件</translation>
    </message>
    <message>
        <source>not a file but a device or a pipe</source>
        <translation>这不是文件，而是设备或管道</translation>
    </message>
    <message>
        <source>the score of %1 is not a number the program can use (nan, inf, or too large)</source>
        <translation>%1的分值不是程序能用的数（nan、inf 或过大的数）</translation>
    </message>
    <message>
        <source>found the full-width digit %1: type digits in half-width</source>
        <translation>这里是全角数字“%1”：请用半角输入数字</translation>
    </message>
    <message>
        <source>found a full-width space: type spaces in half-width</source>
        <translation>这里是全角空格：请用半角输入空格</translation>
    </message>
    <message>
        <source>found a full-width comma ，: put spaces between numbers</source>
        <translation>这里是全角逗号“，”：数字之间请用空格隔开</translation>
    </message>
    <message>
        <source>found a full-width point ．: type it in half-width</source>
        <translation>这里是全角句点“．”：请用半角输入</translation>
    </message>
    <message>
        <source>the score of %1 has a decimal comma: write %2</source>
        <translation>%1的分值用了逗号作小数点：请写成 %2</translation>
    </message>
    <message>
        <source>the number of choice questions is not a whole number</source>
        <translation>选择题数不是整数</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1，%2</translation>
    </message>
    <message>
        <source>this &apos;$&apos; ends no text: the &apos;@&apos; before it is missing, so each later text goes to the question before it</source>
        <translation>这个“$”没有结束任何题目文字：它前面漏了“@”，于是后面每段题目文字都算到了前一道题上</translation>
    </message>
    <message>
        <source>the text of %1 has no &apos;$&apos; of its own: it runs on into the next question</source>
        <translation>%1的题目文字缺少自己的“$”：一直延续到了下一道题</translation>
    </message>
    <message>
        <source>this full-width ＄ does not end it</source>
        <translation>这个全角“＄”不能结束题目文字</translation>
    </message>
    <message>
        <source>what looks like the next question starts here</source>
        <translation>像是下一道题从这里开始</translation>
    </message>
    <message>
        <source>the text ran on to here</source>
        <translation>题目文字一直延续到这里</translation>
    </message>
    <message>
        <source>the system&apos;s encoding cannot hold this path</source>
        <translation>系统的文字编码无法表示此路径</translation>
    </message>
    <message>
        <source>the file is saved as UTF-16 (&quot;Unicode&quot; in Notepad): save it as UTF-8</source>
        <translation>文件是以 UTF-16（记事本中的“Unicode”）保存的：请另存为 UTF-8</translation>
    </message>
    <message>
        <source>on Windows the file ends at this byte 0x1A (Ctrl+Z)</source>
        <translation>在 Windows 上文件在这个 0x1A 字节（Ctrl+Z）处结束</translation>
    </message>
    <message>
        <source>text</source>
        <translation>文字</translation>
    </message>
    <message>
        <source>a picture the file does not carry</source>
        <translation>文件中没有的图片</translation>
    </message>
    <message>
        <source>a formula</source>
        <translation>公式</translation>
    </message>
    <message>
        <source>a colour</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>a size</source>
        <translation>大小</translation>
    </message>
    <message>
        <source>a font</source>
        <translation>字体</translation>
    </message>
    <message>
        <source>formatting</source>
        <translation>格式</translation>
    </message>
    <message>
        <source>%1 (%2) ×%3</source>
        <translation>%1（%2）×%3</translation>
    </message>
    <message>
        <source>the students will not see %1</source>
        <translation>学生看不到：%1</translation>
    </message>
    <message>
        <source>error:</source>
        <translation>错误：</translation>
    </message>
    <message>
        <source>warning:</source>
        <translation>警告：</translation>
    </message>
    <message>
        <source>note:</source>
        <translation>附注：</translation>
    </message>
    <message>
        <source>bytes of the texts not in UTF-8: %1, the first here: the students see � for each. Save the file as UTF-8</source>
        <translation>题目文字中不是 UTF-8 的字节：%1 个，第一个在此处：学生看到的每个这样的字节都是“�”。请把文件另存为 UTF-8</translation>
    </message>
    <message>
        <source>%1 files: %2 load with nothing to report, %3 load with warnings, %4 do not load</source>
        <translation>共 %1 个文件：%2 个能导入且没有问题，%3 个能导入但有警告，%4 个不能导入</translation>
    </message>
    <message>
        <source>%1: marks on one character beyond the first %3 are not shown (%2 in all)</source>
        <translation>%1：同一个字符上的附加符号（如声调、重音）超过 %3 个的部分不显示（共 %2 个）</translation>
    </message>
</context>
</TS>
