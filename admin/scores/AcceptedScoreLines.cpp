#include "admin/scores/AcceptedScoreLines.h"

#include <algorithm>

namespace olv {

AcceptedScoreLines acceptScoreLines(const std::vector<std::string>& storedLines)
{
    AcceptedScoreLines accepted;
    accepted.records.reserve(storedLines.size());
    for (std::size_t i = 0; i < storedLines.size(); ++i) {
        DecodedScoreLine decoded = decodeScoreLineAdminRule(storedLines[i]);
        if (decoded.status == ScoreLineStatus::Valid)
            accepted.records.push_back(std::move(decoded.record));
        else
            accepted.damaged.push_back({ i + 1, decoded.status });
    }
    return accepted;
}

std::vector<std::string> damagedLineMessages(const std::vector<DamagedScoreLine>& damaged,
    const std::function<std::string(const DamagedScoreLine&)>& lineMessage,
    const std::function<std::string(std::size_t rest)>& restMessage)
{
    const std::size_t shown = std::min(damaged.size(), damagedLineMessageCount);
    std::vector<std::string> messages;
    for (std::size_t i = 0; i < shown; ++i)
        messages.push_back(lineMessage(damaged[i]));
    if (damaged.size() > shown)
        messages.push_back(restMessage(damaged.size() - shown));
    return messages;
}

} // namespace olv
