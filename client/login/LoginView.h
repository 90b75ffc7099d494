#pragma once

#include <string>

namespace olv {

// What the login rules need from the login dialog. Field texts are GBK.
class LoginView
{
public:
    virtual ~LoginView() = default;
    virtual void setFields(const std::string& className, const std::string& name, const std::string& examNumber) = 0;
    virtual void setClassAndNameEnabled(bool enabled) = 0;
    // Ends the dialog as accepted (the rules then say whether the login counts).
    virtual void accept() = 0;
};

} // namespace olv
