#include "client/login/LoginForm.h"

#include "client/StartupFixture.h"
#include "client/login/LoginView.h"

namespace olv {
namespace {

using test::gbk;

class FakeLoginView : public LoginView
{
public:
    void setFields(const std::string& className, const std::string& name, const std::string& examNumber) override
    {
        fields = { className, name, examNumber };
    }
    void setClassAndNameEnabled(bool enabled) override { classAndNameEnabled = enabled; }
    void accept() override { ++accepted; }

    std::vector<std::string> fields;
    bool classAndNameEnabled = true;
    int accepted = 0;
};

std::string padded(const std::string& utf8, std::size_t width)
{
    std::string text = gbk(utf8);
    return text + std::string(width - text.size(), ' ');
}

class LoginFormTest : public test::StartupFixture
{
protected:
    LoginForm& form(bool rosterRequired)
    {
        m_form.emplace(view, prompter, "cj.kcj", rosterRequired);
        m_form->init();
        return *m_form;
    }

    FakeLoginView view;

private:
    std::optional<LoginForm> m_form;
};

TEST_F(LoginFormTest, RefusalsComeInTheirOrderAndKeepTheDialogOpen)
{
    writeRoster({ test::rosterLine("一班", "张三", "1001"), test::rosterLine("一班", "李四", "1002", "登陆"),
        test::rosterLine("二班", "王五", "1003", "85") });
    const struct
    {
        std::string className, name, examNumber;
        std::string message;
    } cases[] = {
        { "a.b", "x*y", "", "考生信息中不能含有'*'符号" }, // before the empty exam number and the "."
        { "a-b", "x.y", "1001", "考生信息中不能含有'.'符号" },
        { "", "", "10-1", "考生信息中不能含有'-'符号" },
        { "一班", "张三", "   ", "必须填写考号." },
        { "", "", "1002",
            "考号:1002            姓名是:李四            \n该考号已登陆.请重输!\n"
            "如果要用此考号重新登陆,请报告监考员取消登陆标记." },
        { "", "", "1003", "考号:1003            姓名是:王五            \n该考号已完成考试.请重输!" },
        { "", "", "1004",
            "考号:1004          没有找到.请核对后重输!\n\n\n    如果仍然没找到,"
            "请报告监考员核对成绩库文件中\n的考生名单." },
    };
    LoginForm& login = form(true);
    std::vector<std::string> messages;
    for (const auto& c : cases) {
        login.confirm(gbk(c.className), gbk(c.name), c.examNumber);
        messages.push_back(c.message);
    }
    EXPECT_EQ(prompter.texts(), messages);
    EXPECT_EQ(view.accepted, 0);
    EXPECT_TRUE(login.loginAccepted());
    EXPECT_FALSE(view.classAndNameEnabled);
}

TEST_F(LoginFormTest, BlankRosterLineGivesClassAndNameAndAsksForConfirmation)
{
    writeRoster({ test::rosterLine("一班", "张三", "1001") });
    const std::string before = test::readBytes("cj.kcj");
    prompter.answerConfirms({ false, true });
    LoginForm& login = form(true);

    login.confirm("", "", "10 01");
    EXPECT_EQ(view.accepted, 0); // Cancel keeps the dialog open
    login.confirm("", "", "1001");

    EXPECT_EQ(view.accepted, 1);
    EXPECT_TRUE(login.loginAccepted());
    EXPECT_EQ(view.fields, (std::vector<std::string> { padded("一班", 16), padded("张三", 16), padded("1001", 14) }));
    EXPECT_EQ(login.examNumber(), padded("1001", 14));
    EXPECT_EQ(prompter.prompts().back(),
        test::confirmPrompt(
            "班级:一班            \n姓名:张三            \n考号:1001          \n请确认是否正确!", "考生信息"));
    EXPECT_EQ(test::readBytes("cj.kcj"), before); // the login mark is written later
}

TEST_F(LoginFormTest, WithoutARosterTheTypedFieldsAreCutFreedOfSpacesAndPadded)
{
    prompter.answerConfirm(true);
    LoginForm& login = form(false);
    EXPECT_TRUE(view.classAndNameEnabled);
    // 15 bytes of a class then a double-byte character that would be split by the cut at 16.
    login.confirm("abcdefghijklmno" + gbk("班"), gbk("张 三"), "123456789012345678");

    EXPECT_EQ(login.className(), "abcdefghijklmno ");
    EXPECT_EQ(login.name(), padded("张三", 16));
    EXPECT_EQ(login.examNumber(), "12345678901234");
    EXPECT_EQ(view.accepted, 1);
    EXPECT_TRUE(std::filesystem::exists("cj.kcj")); // created when missing
}

TEST_F(LoginFormTest, ScoreDatabaseThatCannotBeOpenedEndsTheLogin)
{
    const struct
    {
        bool rosterRequired;
        std::string message;
    } cases[] = {
        { true, "不能打开成绩库文件\n\n    请报告监考员检查设置的成绩库文件是\n否存在以及能不能进行读写操作." },
        { false, "不能打开成绩库文件\n\n\n请报告监考员检查设置的成绩库文件能不能进行读写操作." },
    };
    std::filesystem::create_directory("cj.kcj"); // cannot be opened, nor created
    for (const auto& c : cases) {
        test::ScriptedPrompter casePrompter;
        FakeLoginView caseView;
        LoginForm login(caseView, casePrompter, "cj.kcj", c.rosterRequired);
        login.confirm("", "", "1001");
        EXPECT_EQ(casePrompter.texts(), std::vector<std::string> { c.message });
        EXPECT_EQ(caseView.accepted, 1);
        EXPECT_FALSE(login.loginAccepted());
    }
}

} // namespace
} // namespace olv
