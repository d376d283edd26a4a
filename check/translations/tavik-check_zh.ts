<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CheckText</name>
    <message>
        <source>Usage: tavik-check [--json] [--preview FOLDER] EXAM...
Tells whether each exam file loads in the student&apos;s program, and how each question shows there.
  --json             the findings as JSON, one object per file and line
  --preview FOLDER   for each file that loads, a picture of each question as the student sees it, in FOLDER/&lt;file name&gt;/
  -h, --help         this text
Exit status: 0 loads with nothing to report, 1 loads with warnings, 2 does not load, 64 a command line it cannot follow.</source>
        <translation>用法：tavik-check [--json] [--preview 文件夹] 试题文件...
说明每个试题文件能否在学生端导入，以及每道题在学生端怎样显示。
  --json             以 JSON 输出结果，每个文件一个对象，各占一行
  --preview 文件夹   为每个能导入的文件，把每道题在学生端的样子存成图片，放在“文件夹/文件名/”中
  -h, --help         显示本说明
退出状态：0 能导入且没有问题，1 能导入但有警告，2 不能导入，64 命令行无法执行。</translation>
    </message>
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
        <source>cannot write the pictures into %1</source>
        <translation>无法把图片写入 %1</translation>
    </message>
    <message>
        <source>choice question %1</source>
        <translation>选择题 %1</translation>
    </message>
    <message>
        <source>non-choice question %1</source>
        <translation>非选择题 %1</translation>
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
        <translation>标记按纯文本显示</translation>
    </message>
    <message>
        <source>tag %1</source>
        <translation>标签 %1</translation>
    </message>
    <message>
        <source>%1 with what it holds</source>
        <translation>%1 及其内容</translation>
    </message>
    <message>
        <source>attribute %1</source>
        <translation>属性 %1</translation>
    </message>
    <message>
        <source>value of attribute %1</source>
        <translation>属性 %1 的值</translation>
    </message>
    <message>
        <source>style property %1</source>
        <translation>样式属性 %1</translation>
    </message>
    <message>
        <source>value of style property %1</source>
        <translation>样式属性 %1 的值</translation>
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
        <source>warning: %1: %2</source>
        <translation>警告：%1：%2</translation>
    </message>
    <message>
        <source>%1: score %2, bytes %3, %4</source>
        <translation>%1：分值 %2，字节数 %3，%4</translation>
    </message>
    <message>
        <source>cut after %1 of its %2 bytes: from here on it is not shown</source>
        <translation>被截断：共 %2 字节，只显示前 %1 字节，从此处起不显示</translation>
    </message>
    <message>
        <source>bytes that are not UTF-8: %1, the first here; they read as GBK: the file was saved in the ANSI code page, not as UTF-8</source>
        <translation>不是 UTF-8 的字节：%1 个，第一个在此处；按 GBK 可以读出：文件是以 ANSI 代码页而不是以 UTF-8 保存的</translation>
    </message>
    <message>
        <source>bytes that are not UTF-8: %1, the first here; each shows as �</source>
        <translation>不是 UTF-8 的字节：%1 个，第一个在此处；每个都显示为 �</translation>
    </message>
    <message>
        <source>the display leaves out %1</source>
        <translation>显示时略去 %1</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>shown as plain text: too many %1</source>
        <translation>按纯文本显示：%1超出限度</translation>
    </message>
    <message>
        <source>the system&apos;s code page cannot hold this path</source>
        <translation>系统代码页无法表示此路径</translation>
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
        <source>not a regular file</source>
        <translation>不是普通文件</translation>
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
        <source>the score of %1 is not a finite number</source>
        <translation>%1的分值不是有限数</translation>
    </message>
    <message>
        <source>the file ends before the text of %1, text %2 of %3</source>
        <translation>文件在%1的题目文字之前结束（共 %3 段文字，缺第 %2 段）</translation>
    </message>
    <message>
        <source>the text of %1 has no closing &apos;$&apos;</source>
        <translation>%1的题目文字缺少结尾的“$”</translation>
    </message>
    <message>
        <source>error: %1</source>
        <translation>错误：%1</translation>
    </message>
    <message>
        <source>loads; choice questions: %1, non-choice questions: %2, total score: %3</source>
        <translation>可以导入；选择题：%1 道，非选择题：%2 道，总分：%3</translation>
    </message>
    <message>
        <source>characters, lines and changes of direction</source>
        <translation>字符、行数和书写方向的变化</translation>
    </message>
</context>
</TS>
