// The bank editor's rules through a fake window: opening, the four edits with the form's
// tests, the lists after each change, selection, saving and leaving.
#include "admin/bank/BankEditor.h"

#include "common/ByteSwap.h"
#include "common/QuestionBankFile.h"
#include "support/FaultCases.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <cerrno>
#include <gtest/gtest.h>
#include <optional>

namespace olv {
namespace {

using test::gbk;
using test::messagePrompt;
using test::ScriptedPrompter;

struct FakeView : BankEditorView
{
    void showPath(const std::string& shown) override { path = shown; }
    void listsChanging() override { }
    void showLists(const std::vector<RenderedLine>& questions, const std::vector<RenderedLine>& answers) override
    {
        questionLines = questions;
        answerLines = answers;
        questionRow.reset();
        answerRow.reset();
    }
    void selectQuestionLine(std::size_t row) override { questionRow = row; }
    void selectAnswer(std::size_t row) override { answerRow = row; }
    void showCurrentNumber(int number) override { currentNumber = number; }
    void enableCurrentQuestionButtons(bool enabled) override { currentButtonsEnabled = enabled; }
    void enableOptions(bool enabled) override { optionsEnabled = enabled; }
    BankForm form() const override { return typed; }
    void showFormTexts(const BankForm& form) override { typed = { form.stem, form.options, form.answer, typed.kind }; }
    void showProgress(int minimum, int maximum, int position) override { progress = { minimum, maximum, position }; }
    void closeEditor() override { closed = true; }

    std::string path;
    std::vector<RenderedLine> questionLines, answerLines;
    std::optional<std::size_t> questionRow, answerRow;
    int currentNumber = -1;
    bool currentButtonsEnabled = true, optionsEnabled = true, closed = false;
    BankForm typed;
    std::array<int, 3> progress {};
};

Question question(QuestionKind kind, const std::string& stem, const std::string& answer)
{
    Question q { kind, gbk(stem), {}, answer };
    if (kind != QuestionKind::TrueFalse)
        q.options = { gbk("甲"), gbk("乙"), gbk("丙"), gbk("丁") };
    return q;
}

// S = 2, M = 3, T = 1.
QuestionBank sixQuestions()
{
    using enum QuestionKind;
    QuestionBank bank;
    bank.singleChoiceQuestions = { question(SingleChoice, "单一", "A"), question(SingleChoice, "单二/n第二行", "b") };
    bank.multipleChoiceQuestions = { question(MultipleChoice, "多一", "AB"), question(MultipleChoice, "多二", "dca"),
        question(MultipleChoice, "多三", "BD") };
    bank.trueFalseQuestions = { question(TrueFalse, "判一", "A") };
    return bank;
}

BankForm form(QuestionKind kind, const std::string& stem, const std::string& answer)
{
    return { gbk(stem), { gbk("甲"), gbk("乙"), "", "" }, answer, kind };
}

// A stem line of 110 bytes: 55 double-byte characters.
const std::string chars55 = [] {
    std::string line;
    for (int i = 0; i < 55; ++i)
        line += "题";
    return line;
}();

std::vector<RenderedLine> answerList(const QuestionBank& bank)
{
    std::vector<RenderedLine> lines;
    int number = 0;
    for (QuestionKind kind : allQuestionKinds)
        for (const auto& q : bank.questionsOf(kind))
            lines.push_back({ std::to_string(++number) + "--" + q.answer, number });
    return lines;
}

class BankEditorTest : public ::testing::Test
{
protected:
    std::filesystem::path bankPath() const { return dir / "bank.kst"; }

    void openOn(const QuestionBank& bank)
    {
        ASSERT_EQ(writeQuestionBank(bank, bankPath()), BankWriteResult::Written);
        ASSERT_TRUE(editor.open());
    }

    // The lists as the fake window shows them equal a full layout of the editor's bank.
    void expectListsOf(const QuestionBank& bank)
    {
        EXPECT_EQ(editor.bank(), bank);
        EXPECT_EQ(view.questionLines, renderQuestionList(QuestionListVariant::BankView, bank));
        EXPECT_EQ(view.answerLines, answerList(bank));
    }

    test::TempDir dir;
    test::WorkingDirectory workingDirectory { dir.path() };
    FakeView view;
    ScriptedPrompter prompter;
    BankEditor editor { view, prompter, bankPath() };
};

TEST_F(BankEditorTest, NewPathIsAnEmptyBankCreatedAtOnceAndSavedAsTheThreeMarkers)
{
    ASSERT_TRUE(editor.open());
    EXPECT_TRUE(std::filesystem::exists(bankPath()));
    EXPECT_EQ(test::readBytes(bankPath()), "");
    EXPECT_EQ(view.path, bankPath().string());
    expectListsOf({});
    EXPECT_EQ(view.currentNumber, 1);
    EXPECT_FALSE(view.questionRow);
    EXPECT_FALSE(view.currentButtonsEnabled);

    editor.save();
    std::string expected = gbk("●单选题:\r\n●多选题:\r\n●判断题:\r\n");
    swapBytePairs(expected);
    EXPECT_EQ(test::readBytes(bankPath()), expected);
    EXPECT_TRUE(prompter.prompts().empty());
}

TEST_F(BankEditorTest, OpeningNormalisesAnswersAndSelectsTheFirstQuestion)
{
    openOn(sixQuestions());
    QuestionBank expected = sixQuestions();
    expected.singleChoiceQuestions[1].answer = "B";
    expected.multipleChoiceQuestions[1].answer = "ACD";
    expectListsOf(expected);
    EXPECT_EQ(view.currentNumber, 1);
    EXPECT_EQ(view.questionRow, 1u);
    EXPECT_EQ(view.answerRow, 0u);
    EXPECT_TRUE(view.currentButtonsEnabled);
    EXPECT_FALSE(editor.isModified());
}

TEST_F(BankEditorTest, EachEditRenumbersTheListsAndSelectsTheCurrentQuestion)
{
    using enum QuestionKind;
    openOn(sixQuestions());
    QuestionBank expected = editor.bank();

    // Appending a single-choice question makes it 3; the former 3 to 6 become 4 to 7.
    const auto options = form(SingleChoice, "", "").options;
    view.typed = form(SingleChoice, "单三", "c");
    editor.append();
    expected.singleChoiceQuestions.push_back({ SingleChoice, gbk("单三"), options, "C" });
    expectListsOf(expected);
    EXPECT_EQ(view.currentNumber, 3);
    EXPECT_EQ(view.typed, (BankForm { {}, {}, {}, SingleChoice })); // emptied, kind kept
    EXPECT_TRUE(editor.isModified());

    // Insert before question 5 (the second multiple-choice question); the number stays. Line
    // ends pasted alone are line breaks too.
    editor.answerSelected(4);
    view.typed = form(MultipleChoice, "多新\n两\r行", "dba");
    editor.insert();
    expected.multipleChoiceQuestions.insert(
        expected.multipleChoiceQuestions.begin() + 1, { MultipleChoice, gbk("多新/n两/n行"), options, "ABD" });
    expectListsOf(expected);
    EXPECT_EQ(view.currentNumber, 5);
    EXPECT_EQ(view.questionRow, editor.layout().firstLineOf(5));
    EXPECT_EQ(view.answerRow, 4u);

    // A true/false question keeps no options; replace keeps the number.
    editor.answerSelected(7);
    view.typed = form(TrueFalse, "判新\r\n第二行", "b");
    editor.replace();
    expected.trueFalseQuestions[0] = { TrueFalse, gbk("判新/n第二行"), {}, "B" };
    expectListsOf(expected);
    EXPECT_EQ(view.currentNumber, 8);

    // Deleting keeps the number (now the next question) and the form; the last one steps back.
    view.typed = form(SingleChoice, "留在表中", "A");
    editor.answerSelected(0);
    editor.remove();
    expected.singleChoiceQuestions.erase(expected.singleChoiceQuestions.begin());
    expectListsOf(expected);
    EXPECT_EQ(view.currentNumber, 1);
    EXPECT_EQ(view.typed.stem, gbk("留在表中"));
    editor.answerSelected(6);
    editor.remove();
    expected.trueFalseQuestions.clear();
    expectListsOf(expected);
    EXPECT_EQ(view.currentNumber, 6);
    EXPECT_TRUE(prompter.prompts().empty());
}

TEST_F(BankEditorTest, DeletingTheOnlyQuestionLeavesNoCurrentQuestion)
{
    QuestionBank bank;
    bank.trueFalseQuestions = { question(QuestionKind::TrueFalse, "唯一", "A") };
    openOn(bank);
    editor.remove();
    expectListsOf({});
    EXPECT_EQ(view.currentNumber, 0);
    EXPECT_EQ(editor.currentNumber(), 0);
    EXPECT_FALSE(view.currentButtonsEnabled);
    EXPECT_TRUE(editor.isModified());
}

TEST_F(BankEditorTest, RefusedFormsLeaveBankAndFormAsTheyWere)
{
    using enum QuestionKind;
    using enum EditOperation;
    const struct
    {
        BankForm typed;
        EditOperation operation;
        int current;
        std::string message;
    } cases[] = {
        // Each rule on its own is QuestionRulesTest's and BankCheckTest's; here the messages
        // those do not word, the form's own tests and the order that depends on the operation.
        { form(SingleChoice, "含/n", ""), Append, 1, "题目中不能含有符号/n,请改用其它" },
        { form(MultipleChoice, "题", ""), Append, 1, "你还没输入正确答案" },
        { form(MultipleChoice, "题", "e"), Append, 1, "多选题的正确答案应为两个以上的字母" },
        { form(MultipleChoice, "题", "e"), Replace, 3,
            "正确答案中含有非法字符" }, // replace tests this after the letters
        { form(MultipleChoice, "题", "a"), Replace, 3, "多选题的正确答案应为两个以上的字母" },
        { form(MultipleChoice, "题", "abcde"), Append, 1, "正确答案不能超过4个字母" },
        { form(MultipleChoice, "题", "aA"), Append, 1, "正确答案中有重复选项" },
        { form(MultipleChoice, "题", "AB"), Insert, 2, "你输入的题型为多选题,不能插入到其它题型中" },
        { form(TrueFalse, "题", "c"), Replace, 1, "你输入的题型为判选题,不能替换到其它题型中" },
        // 110 bytes a line are accepted (QuestionRulesTest); the GBK bytes are counted.
        { form(SingleChoice, "短\r\n" + chars55 + "x", "A"), Append, 1, "题目中有些行太长,请您换行!" },
    };
    openOn(sixQuestions());
    const QuestionBank before = editor.bank();
    for (const auto& c : cases) {
        ScriptedPrompter casePrompter;
        BankEditor caseEditor(view, casePrompter, bankPath());
        ASSERT_TRUE(caseEditor.open());
        caseEditor.answerSelected(static_cast<std::size_t>(c.current - 1));
        view.typed = c.typed;
        if (c.operation == Append)
            caseEditor.append();
        else if (c.operation == Insert)
            caseEditor.insert();
        else
            caseEditor.replace();
        EXPECT_EQ(casePrompter.prompts(), std::vector { messagePrompt(c.message) }) << c.message;
        EXPECT_EQ(caseEditor.bank(), before) << c.message;
        EXPECT_EQ(view.typed, c.typed) << c.message;
        EXPECT_FALSE(caseEditor.isModified()) << c.message;
    }
}

TEST_F(BankEditorTest, DuplicateStemsAreAskedAboutWithinTheKind)
{
    using enum QuestionKind;
    using test::confirmPrompt;
    openOn(sixQuestions());
    const QuestionBank before = editor.bank();

    // A stem that begins with question 2's first line counts as the same; Cancel stops.
    prompter.answerConfirms({ false, true });
    view.typed = form(SingleChoice, "单二\r\n第二行还有", "A");
    editor.append();
    EXPECT_EQ(editor.bank(), before);
    editor.append();
    EXPECT_EQ(editor.bank().singleChoiceQuestions.size(), 3u);
    const auto asked = confirmPrompt("此题与2题相同\n继续写入吗？", "有相同题");
    EXPECT_EQ(prompter.prompts(), (std::vector { asked, asked }));

    // A stem of another kind is not compared; the question replaced by itself is not asked.
    view.typed = form(TrueFalse, "多一", "B");
    editor.append();
    editor.answerSelected(3);
    view.typed = form(MultipleChoice, "多一", "ABCD");
    editor.replace();
    EXPECT_EQ(editor.bank().multipleChoiceQuestions[0].answer, "ABCD");
    EXPECT_EQ(prompter.prompts().size(), 2u);

    // Replacing question 5 by question 4's stem asks about 4.
    prompter.answerConfirm(false);
    editor.answerSelected(4);
    view.typed = form(MultipleChoice, "多一", "AB");
    editor.replace();
    EXPECT_EQ(prompter.prompts().back(), confirmPrompt("此题与4题相同\n继续写入吗？", "有相同题"));
    EXPECT_TRUE(prompter.allAnswersUsed());
}

TEST_F(BankEditorTest, SelectionWalksUpToTheTaggedLineAndCopiesIntoTheForm)
{
    // A line within a question selects it: BankEditorDialogTest clicks one.
    openOn(sixQuestions());
    editor.answerSelected(1);
    editor.questionLineSelected(0); // the first heading: nothing changes
    EXPECT_EQ(editor.currentNumber(), 2);
    editor.questionLineSelected(editor.layout().firstLineOf(6) - 1); // the true/false heading
    EXPECT_EQ(editor.currentNumber(), 5);

    view.typed.kind = QuestionKind::TrueFalse;
    editor.answerSelected(1);
    EXPECT_EQ(view.questionRow, editor.layout().firstLineOf(2));
    editor.copyToForm();
    EXPECT_EQ(view.typed,
        (BankForm {
            gbk("单二\r\n第二行"), sixQuestions().singleChoiceQuestions[1].options, "B", QuestionKind::TrueFalse }));
    editor.kindChosen();
    EXPECT_FALSE(view.optionsEnabled);
    EXPECT_EQ(editor.form(), view.typed);
    editor.clearForm();
    EXPECT_EQ(view.typed, (BankForm { {}, {}, {}, QuestionKind::TrueFalse }));
}

// The bytes of a saved bank are QuestionBankFileTest's; that the editor saves its bank is
// BankEditorDialogTest's and AdminEndToEndTest's, read back.
TEST_F(BankEditorTest, FailedSaveKeepsFileBankAndModifiedFlag)
{
    openOn(sixQuestions());
    const std::string before = test::readBytes(bankPath());
    editor.remove();
    const QuestionBank edited = editor.bank();

    faults::failWritesAfter(0, ENOSPC); // the temporary cannot be written
    editor.save();
    faults::disarm();
    // A folder now stands where the bank was, so it cannot be replaced.
    std::filesystem::rename(bankPath(), dir / "kept.kst");
    std::filesystem::create_directory(bankPath());
    test::writeBytes(bankPath() / "inside", "x");
    editor.save();

    EXPECT_EQ(
        prompter.texts(), (std::vector<std::string> { "不能创建临时文件", "不能写入文件" + bankPath().string() }));
    EXPECT_EQ(test::readBytes(dir / "kept.kst"), before);
    EXPECT_EQ(test::readBytes(bankPath() / "inside"), "x");
    EXPECT_FALSE(std::filesystem::exists(dir / "linshist.bak"));
    EXPECT_TRUE(editor.isModified());
    EXPECT_EQ(editor.bank(), edited);
    EXPECT_EQ(view.progress, (std::array { 1, 10, 1 })); // two steps a question
}

TEST_F(BankEditorTest, OpeningFailuresAreReported)
{
    BankEditor noFolder(view, prompter, dir / "missing" / "bank.kst");
    EXPECT_FALSE(noFolder.open());
    std::filesystem::create_directory(dir / "stk.bak"); // the temporary of every read
    EXPECT_FALSE(editor.open());
    EXPECT_EQ(prompter.texts(), (std::vector<std::string> { "不能打开试题库文件", "不能创建临时文件stk.bak" }));
}

// The import asks first, listing at most 30 refusals and counting the rest; only a yes appends.
TEST_F(BankEditorTest, ImportPreviewListsThirtyRefusalsAndCountsTheRest)
{
    openOn(QuestionBank {});
    for (const int refused : { 31, 30 }) {
        std::string aiken = "首都是哪里?\nA. 北京\nB. 上海\nANSWER: A\n";
        for (int i = 0; i < refused; ++i)
            aiken += "\n没有答案\nA. x\nB. y\n";
        test::writeBytes(dir / "q.txt", aiken);
        prompter.answerOpenFile((dir / "q.txt").string());
        prompter.answerConfirm(refused == 30);
        editor.importQuestions();
        const std::string preview = prompter.prompts().back().text;
        EXPECT_EQ(std::count(preview.begin(), preview.end(), '\n'), refused == 30 ? 30 : 31) << refused;
        EXPECT_EQ(preview.find("另有1道不能导入") != std::string::npos, refused == 31) << refused;
    }
    EXPECT_EQ(editor.bank().questionsOf(QuestionKind::SingleChoice).size(), 1u);
}

} // namespace
} // namespace olv
