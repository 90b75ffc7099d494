#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace olv {

// Every message box, OK/Cancel question, password entry, file picker and save-name dialog
// of the programs goes through this interface. Texts are UTF-8. The windows implement it
// with real dialogs; tests script the answers and record every text.
class Prompter
{
public:
    virtual ~Prompter() = default;

    // A message with an OK button. An empty caption means the program's title.
    virtual void message(std::string_view text, std::string_view caption = {}) = 0;
    // A question with OK and Cancel: true for OK.
    virtual bool confirm(std::string_view text, std::string_view caption = {}) = 0;
    // The password dialog ("请输入操作口令:"): the text typed and confirmed with its button.
    // Every call starts with an empty box; closing it without the button gives the empty text.
    virtual std::string password() = 0;

    // The file-open picker. `filter` lists description and pattern pairs, each item ended by
    // "|" ("试题库文件(*.kst)|*.kst|所有文件(*.*)|*.*|"). The full path of the chosen file
    // (UTF-8), nothing when cancelled; a name typed that does not exist yet is taken as well. The working directory stays as it was. A program
    // without pickers (the exam client) cancels.
    virtual std::optional<std::string> openFileName(std::string_view filter)
    {
        (void)filter;
        return std::nullopt;
    }
    // The file-save picker for a new file: the full path of the name typed or chosen (UTF-8), as
    // given; nothing when cancelled. `filter` as for openFileName ("请输入新成绩库文件(*.kcj)|NULL|").
    virtual std::optional<std::string> saveFileName(std::string_view filter)
    {
        (void)filter;
        return std::nullopt;
    }
    // The save-name dialog "保存文件名:": the name typed or picked, with `defaultExtension`
    // (".txt", ".kst") added when it holds no "." (withDefaultExtension); nothing when
    // cancelled. Never empty.
    virtual std::optional<std::string> saveName(std::string_view defaultExtension)
    {
        (void)defaultExtension;
        return std::nullopt;
    }
    // The examiner's operator password prompt "口令" ("请输入操作员口令:", "确定" and "退出"),
    // its box empty each time: the text typed (UTF-8), nothing for "退出" or the close box.
    virtual std::optional<std::string> askOperatorPassword() { return std::nullopt; }
};

} // namespace olv
