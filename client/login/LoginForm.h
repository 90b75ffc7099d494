#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace olv {

class LoginView;
class Prompter;

// The rules of the login dialog: the candidate types class, name and exam number, the form
// checks them against the roster and asks for confirmation. Texts are GBK.
class LoginForm
{
public:
    LoginForm(LoginView& view, Prompter& prompter, std::filesystem::path scoreFile, bool rosterRequired);

    // With a roster, class and name come from it: only the exam number is typed.
    void init();
    // The confirm button, with the texts of the three boxes. Ends the dialog once the
    // candidate has confirmed, or when the score database cannot be opened.
    void confirm(std::string_view className, std::string_view name, std::string_view examNumber);
    // The exit button: ends the dialog without a login.
    void exit();

    // Whether an accepted dialog means a login.
    bool loginAccepted() const { return m_loginAccepted; }
    // Filled out to 16, 16 and 14 bytes after a confirm.
    const std::string& className() const { return m_className; }
    const std::string& name() const { return m_name; }
    const std::string& examNumber() const { return m_examNumber; }

private:
    void takeFields(std::string_view className, std::string_view name, std::string_view examNumber);
    void showFields();
    bool hasForbiddenCharacter();
    bool passesRoster();
    void refuseOpen();
    bool candidateConfirms();

    LoginView& m_view;
    Prompter& m_prompter;
    std::filesystem::path m_scoreFile;
    bool m_rosterRequired;
    bool m_loginAccepted = true;
    std::string m_className;
    std::string m_name;
    std::string m_examNumber;
};

} // namespace olv
