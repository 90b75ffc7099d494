#include "admin/bank/import/BankImport.h"
#include "admin/bank/import/ImportReaders.h"
#include "admin/bank/import/MoodleXmlExport.h"
#include "common/QuestionBankFile.h"
#include "platform/Gbk.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace olv {
namespace {

using namespace test;

// The imported bank as kind, stem, options and answer per line (UTF-8), then the refusals.
std::string shown(const ImportResult& result)
{
    if (result.failure)
        return "failure " + *result.failure + "\n";
    std::string text;
    for (QuestionKind kind : allQuestionKinds)
        for (const Question& question : result.questions.questionsOf(kind)) {
            text += std::to_string(static_cast<int>(kind)) + "|" + gbkToUtf8(question.stem);
            for (const std::string& option : question.options)
                text += "|" + gbkToUtf8(option);
            text += "|" + question.answer + "\n";
        }
    for (const ImportRefusal& refusal : result.refusals)
        text += refusal.position + "\t" + refusal.reason + "\n";
    return text;
}

struct Case
{
    const char* name;
    const char* fileName;
    std::string input;
    std::string expected;
};

TEST(BankImport, ReadsEachFormatsConstructsAndRefusesWhatTheBankCannotHold)
{
    const Case cases[] = {
        { "aiken", "q.txt",
            "首都是哪里?\nA. 北京\nB) 上海\nANSWER: A\n\n五个选项\nA. 1\nB. 2\nC. 3\nD. 4\nE. 5\nANSWER: E\n"
            "没有答案\nA. x\nB. y\n\n答案不是字母\nA. x\nB. y\nANSWER: 1\n",
            "0|首都是哪里?|北京|上海|||A\n第6行\t供选答案超过4个\n第13行\t缺少ANSWER行\n第17行\t正确答案中含有非法字符\n" },
        { "gift", "q.gift",
            "// 注释\n::标题::[html]一加一等于{=二 ~三 ~四#反馈}\n\n选出偶数{~%50%二 ~%50%四 ~%-100%三}\n\n"
            "[注意]地球是圆的{T}\n\n太阳绕地球转{FALSE}\n\n转义\\{\\}\\=\\~\\#\\:{=a\\=b ~c}\n\n"
            "写一篇作文{}\n\n圆周率{#3.14}\n\n配对{=a -> 1 =b -> 2}\n\n填空{=北京 =首都}\n\n"
            "五个{=1 ~2 ~3 ~4 ~5}\n",
            "0|一加一等于|二|三|四||A\n0|转义{}=~#:|a=b|c|||A\n1|选出偶数|二|四|三||AB\n2|[注意]地球是圆的|||||A\n"
            "2|太阳绕地球转|||||B\n第12行\t问答题不能导入\n第14行\t数值题不能导入\n第16行\t匹配题不能导入\n"
            "第18行\t填空题不能导入\n第20行\t供选答案超过4个\n" },
        { "moodle", "q.xml",
            "<?xml version=\"1.0\"?>\n<quiz>\n<question type=\"category\"><category><text>x</text></category></question>\n"
            "<question type=\"multichoice\"><name><text>单选</text></name>"
            "<questiontext format=\"html\"><text><![CDATA[<p>第一行<br>第二&amp;行&nbsp;</p>]]></text></questiontext>"
            "<single>true</single><answer fraction=\"100\"><text>对的</text></answer>"
            "<answer fraction=\"0\"><text>&lt;错&gt;</text></answer></question>\n"
            "<question type=\"multichoice\"><name><text>多选</text></name><questiontext><text>&lt;b&gt;多&lt;/b&gt;</text>"
            "</questiontext><single>false</single><answer fraction=\"50\"><text>a</text></answer>"
            "<answer fraction=\"-100\"><text>b</text></answer><answer fraction=\"50\"><text>c</text></answer></question>\n"
            "<question type=\"truefalse\"><name><text>判断</text></name><questiontext><text>天是蓝的</text></questiontext>"
            "<answer fraction=\"0\"><text>true</text></answer><answer fraction=\"100\"><text>false</text></answer></question>\n"
            "<question type=\"essay\"><name><text>作文</text></name><questiontext><text>写</text></questiontext></question>\n"
            "<question type=\"multichoice\"><name><text>图</text></name><questiontext><text>看图</text>"
            "<file name=\"a.png\">AAAA</file></questiontext><answer fraction=\"100\"><text>a</text></answer></question>\n"
            "</quiz>\n",
            "0|第一行/n第二&行|对的|<错>|||A\n1|多|a|b|c||AC\n2|天是蓝的|||||B\n第4题 作文\t问答题不能导入\n"
            "第5题 图\t含有图片, 不能导入\n" },
        { "sheet", "q.csv",
            "题型,题目,A,B,C,D,答案,E\n单选,\"一, 二\",甲,乙,丙,丁,b,\n多选,选两个,甲,乙,丙,丁,\"A,C\",\n"
            "判断,对吗,,,,,错,\n填空,空,,,,,x,\n单选,多一个,1,2,3,4,A,5\n多选,只一个,1,2,,,A,\n",
            "0|一, 二|甲|乙|丙|丁|B\n1|选两个|甲|乙|丙|丁|AC\n2|对吗|||||B\n第5行\t题型填空不能导入\n"
            "第6行\t供选答案超过4个\n第7行\t多选题的正确答案应为两个以上的字母\n" },
        { "sheet header after a row without 答案", "q.csv", "题型,题目,A\n题型,题目,A,B,C,D,答案\n判断,对吗,,,,,对\n",
            "2|对吗|||||A\n" },
        { "sheet without header", "q.csv", "题型,题目,A\n判断,对吗\n",
            "failure 第1行: 没有找到表头(题型, 题目, A, B, C, D, 答案)\n" },
        { "gbk aiken", "q.txt", gbk("题目\nA. 甲\nB. 乙\nANSWER: B\n"), "0|题目|甲|乙|||B\n" },
        { "neither utf-8 nor gbk", "q.txt", "ok\n\xFF\xFF\n", "failure 第2行: 文字既不是UTF-8也不是GBK编码\n" },
        { "unbalanced gift", "q.gift", "a{=b ~c}\n\nd{=e ~f\n\ng\n", "failure 第3行: 大括号不配对\n" },
        { "broken xml", "q.xml", "<quiz>\n<question type=\"truefalse\">\n</quiz>\n",
            "failure 第3行: XML格式错误, 结束标记</quiz>不配对\n" },
        { "gbk cannot hold", "q.txt", "题目😀\nA. 甲\nANSWER: A\n", "第1行\t含有GBK不能表示的字符\n" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(shown(importQuestions(c.input, c.fileName)), c.expected) << c.name;
}

// The sheet template as openpyxl writes it: numbers as numeric cells, a line break in a stem.
TEST(BankImport, ReadsTheSheetTemplateFromAnXlsxFileAndACsvFile)
{
    TempDir dir;
    writeBytes(dir / "rows.json",
        R"([["题型","题目","A","B","C","D","答案"],["单选","一加一\n等于",1,2,3,4,"B"],)"
        R"([],["判断","对吗",null,null,null,null,"对"],["问答","写",null,null,null,null,"x"]])");
    const std::string command = std::string(OLV_PYTHON) + " " + OLV_SHEETS_SCRIPT + " roster "
        + (dir / "q.xlsx").string() + " " + (dir / "rows.json").string();
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    writeBytes(dir / "q.csv", gbk("题型;题目;A;B;C;D;答案\r\n单选;\"一加一\n等于\";1;2;3;4;B\r\n\r\n判断;对吗;;;;;对\r\n"
                                  "问答;写;;;;;x\r\n"));
    const std::string expected = "0|一加一/n等于|1|2|3|4|B\n2|对吗|||||A\n第5行\t题型问答不能导入\n";
    EXPECT_EQ(shown(importQuestionFile(dir / "q.xlsx")), expected);
    EXPECT_EQ(shown(importQuestionFile(dir / "q.csv")), expected);
    writeBytes(dir / "bad.xlsx", "not a workbook");
    EXPECT_EQ(shown(importQuestionFile(dir / "bad.xlsx")), "failure 不是 XLSX 工作簿\n");
}

TEST(BankImport, MoodleRoundTripOfTheSampleBankKeepsItsText)
{
    TempDir dir;
    const auto read = readQuestionBank(std::filesystem::path(OLV_SAMPLE_DIR) / "WordE97.kst", dir.path() / "stk.bak");
    ASSERT_TRUE(read.bank);
    const ImportResult back = importQuestions(moodleXmlOfBank(*read.bank), "bank.xml");
    EXPECT_TRUE(back.refusals.empty());
    EXPECT_EQ(questionBankText(back.questions), questionBankText(*read.bank));
}

TEST(BankImport, RefusesAFileTooBigBeforeReadingIt)
{
    TempDir dir;
    const auto path = dir.path() / "big.xml";
    writeBytes(path, "<quiz>");
    std::filesystem::resize_file(path, maxImportBytes + 1);
    EXPECT_EQ(importQuestionFile(path).failure, "文件太大: 超过256MB");
}

} // namespace
} // namespace olv
