#pragma once

#include "admin/settings/SettingsView.h"

#include <array>
#include <optional>
#include <string>

namespace olv::test {

// The settings dialog's controls as plain fields; a test plays the examiner by changing them.
class FakeSettingsView : public SettingsView
{
public:
    std::array<std::string, settingsBoxCount> texts;
    std::array<bool, settingsFlagCount> flags {};
    int mode = -1;
    bool fixedNumberEnabled = true;
    std::optional<SettingsBox> focused;

    std::string& operator[](SettingsBox box) { return texts[static_cast<std::size_t>(box)]; }

    void setText(SettingsBox box, const std::string& text) override { (*this)[box] = text; }
    std::string text(SettingsBox box) const override { return texts[static_cast<std::size_t>(box)]; }
    void setChecked(SettingsFlag flag, bool checked) override { flags[static_cast<std::size_t>(flag)] = checked; }
    bool isChecked(SettingsFlag flag) const override { return flags[static_cast<std::size_t>(flag)]; }
    void setDrawMode(int drawMode) override { mode = drawMode >= 0 && drawMode <= 3 ? drawMode : -1; }
    int drawMode() const override { return mode; }
    void setFixedNumberEnabled(bool enabled) override { fixedNumberEnabled = enabled; }
    void focus(SettingsBox box) override { focused = box; }
};

} // namespace olv::test
