#pragma once

#include "client/startup/ClientStartup.h"

namespace olv {

class Prompter;
struct ClientEnvironment;

// Shows the real login dialog with the login rules behind it.
class QtLoginRunner : public LoginRunner
{
public:
    explicit QtLoginRunner(const ClientEnvironment& env)
        : m_env(env)
    { }
    std::optional<LoginResult> run(const std::string& scoreFile, bool rosterRequired) override;

private:
    const ClientEnvironment& m_env;
};

} // namespace olv
