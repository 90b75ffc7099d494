#pragma once

#include "client/startup/ClientEnvironment.h"

namespace olv {

// The primary screen. This platform offers no temporary display-mode change, so the
// change always fails and the resolution check falls back on its size thresholds.
class QtScreen : public Screen
{
public:
    int width() const override;
    int height() const override;
    bool changeMode(int width, int height) override;
    void restoreMode() override;
};

} // namespace olv
