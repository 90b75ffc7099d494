#include "client/login/LoginForm.h"

#include "client/login/LoginView.h"
#include "client/login/RosterLookUp.h"
#include "common/GbkCut.h"
#include "common/Prompter.h"
#include "common/ScoreRecord.h"
#include "common/TextFields.h"
#include "platform/Gbk.h"

#include <array>

namespace olv {

namespace {

std::string fieldOf(std::string_view typed, std::size_t width)
{
    return padRight(removeSpaces(cutGbk(typed, width)), width);
}

std::string identityHead(const ScoreRecord& record)
{
    return "考号:" + gbkToUtf8(record.examNumber) + "  姓名是:" + gbkToUtf8(record.name) + "\n";
}

} // namespace

LoginForm::LoginForm(LoginView& view, Prompter& prompter, std::filesystem::path scoreFile, bool rosterRequired)
    : m_view(view)
    , m_prompter(prompter)
    , m_scoreFile(std::move(scoreFile))
    , m_rosterRequired(rosterRequired)
{ }

void LoginForm::init()
{
    if (m_rosterRequired)
        m_view.setClassAndNameEnabled(false);
}

void LoginForm::confirm(std::string_view className, std::string_view name, std::string_view examNumber)
{
    takeFields(className, name, examNumber);
    showFields();
    if (hasForbiddenCharacter())
        return;
    if (m_examNumber.find_first_not_of(' ') == std::string::npos) {
        m_prompter.message("必须填写考号.");
        return;
    }
    if (passesRoster() && candidateConfirms())
        m_view.accept();
}

void LoginForm::exit()
{
    m_loginAccepted = false;
    m_view.accept();
}

void LoginForm::takeFields(std::string_view className, std::string_view name, std::string_view examNumber)
{
    m_className = fieldOf(className, schoolClassWidth);
    m_name = fieldOf(name, nameWidth);
    m_examNumber = fieldOf(examNumber, examNumberWidth);
}

void LoginForm::showFields() { m_view.setFields(m_className, m_name, m_examNumber); }

bool LoginForm::hasForbiddenCharacter()
{
    // Each is a separator of the score database line. None of them can be the second byte
    // of a GBK character, so a plain byte search is enough.
    for (char forbidden : std::array { '*', '.', '-' }) {
        if (m_className.find(forbidden) != std::string::npos || m_name.find(forbidden) != std::string::npos
            || m_examNumber.find(forbidden) != std::string::npos) {
            m_prompter.message(std::string("考生信息中不能含有'") + forbidden + "'符号");
            return true;
        }
    }
    return false;
}

bool LoginForm::passesRoster()
{
    const RosterEntry entry = lookUpRoster(m_scoreFile, m_examNumber, m_rosterRequired);
    switch (entry.standing) {
    case RosterStanding::CannotOpen:
        refuseOpen();
        return false;
    case RosterStanding::LoggedIn:
        m_prompter.message(
            identityHead(entry.record) + "该考号已登陆.请重输!\n如果要用此考号重新登陆,请报告监考员取消登陆标记.");
        return false;
    case RosterStanding::Examined:
        m_prompter.message(identityHead(entry.record) + "该考号已完成考试.请重输!");
        return false;
    case RosterStanding::NotExamined:
        m_className = entry.record.schoolClass;
        m_name = entry.record.name;
        showFields();
        return true;
    case RosterStanding::NotOnRoster:
        break;
    }
    if (!m_rosterRequired)
        return true;
    m_prompter.message("考号:" + gbkToUtf8(m_examNumber)
        + "没有找到.请核对后重输!\n\n\n    如果仍然没找到,请报告监考员核对成绩库文件中\n的考生名单.");
    return false;
}

void LoginForm::refuseOpen()
{
    m_prompter.message(m_rosterRequired
            ? "不能打开成绩库文件\n\n    请报告监考员检查设置的成绩库文件是\n否存在以及能不能进行读写操作."
            : "不能打开成绩库文件\n\n\n请报告监考员检查设置的成绩库文件能不能进行读写操作.");
    m_loginAccepted = false;
    m_view.accept();
}

bool LoginForm::candidateConfirms()
{
    return m_prompter.confirm("班级:" + gbkToUtf8(m_className) + "\n姓名:" + gbkToUtf8(m_name)
            + "\n考号:" + gbkToUtf8(m_examNumber) + "\n请确认是否正确!",
        "考生信息");
}

} // namespace olv
