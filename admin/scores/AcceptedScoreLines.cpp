#include "admin/scores/AcceptedScoreLines.h"

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

} // namespace olv
