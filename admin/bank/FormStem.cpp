#include "admin/bank/FormStem.h"

namespace olv {

namespace {

constexpr std::string_view storedBreak = "/n";
constexpr std::string_view typedBreak = "\r\n";

} // namespace

std::string storedStem(std::string_view typed)
{
    std::string stored;
    stored.reserve(typed.size() + 2);
    // The text between line breaks goes over whole.
    for (std::size_t at = 0; at < typed.size();) {
        std::size_t end = at;
        while (end < typed.size() && typed[end] != '\r' && typed[end] != '\n')
            ++end;
        stored.append(typed.substr(at, end - at));
        if (end == typed.size())
            break;
        stored += storedBreak;
        at = end + (typed[end] == '\r' && end + 1 < typed.size() && typed[end + 1] == '\n' ? 2 : 1);
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
