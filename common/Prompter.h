#pragma once

#include <string>
#include <string_view>

namespace olv {

// Every message box, OK/Cancel question and password entry of the programs goes through
// this interface. Texts are UTF-8. The windows implement it with real dialogs; tests
// script the answers and record every text.
class Prompter
{
public:
    virtual ~Prompter() = default;

    // A message with an OK button. An empty caption means the program's title.
    virtual void message(std::string_view text, std::string_view caption = {}) = 0;
    // A question with OK and Cancel: true for OK.
    virtual bool confirm(std::string_view text, std::string_view caption = {}) = 0;
    // The password dialog ("请输入操作口令:"): the text typed. Closing it without its button
    // gives what the previous call gave (empty the first time).
    virtual std::string password() = 0;
};

} // namespace olv
