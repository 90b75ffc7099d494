#include "admin/bank/FormStem.h"

namespace olv {

namespace {

constexpr std::string_view storedBreak = "/n";
constexpr std::string_view typedBreak = "\r\n";

} // namespace

std::string storedStem(std::string_view typed)
{
    std::string stored;
    stored.reserve(typed.size());
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (typed[i] == '\r' && i + 1 < typed.size() && typed[i + 1] == '\n')
            ++i;
        if (typed[i] == '\r' || typed[i] == '\n')
            stored += storedBreak;
        else
            stored += typed[i];
    }
    return stored;
}

std::string typedStem(std::string_view stored)
{
    std::string typed;
    typed.reserve(stored.size());
    for (std::size_t at = stored.find(storedBreak); at != std::string_view::npos; at = stored.find(storedBreak)) {
        typed += stored.substr(0, at);
        typed += typedBreak;
        stored.remove_prefix(at + storedBreak.size());
    }
    typed += stored;
    return typed;
}

} // namespace olv
