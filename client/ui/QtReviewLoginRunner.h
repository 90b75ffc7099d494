#pragma once

#include "client/startup/ReviewStartup.h"

namespace olv {

// Shows the real dialog that asks for the exam number of the paper to look at.
class QtReviewLoginRunner : public ReviewLoginRunner
{
public:
    std::optional<std::string> run() override;
};

} // namespace olv
