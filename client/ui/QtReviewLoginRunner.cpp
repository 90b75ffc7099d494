#include "client/ui/QtReviewLoginRunner.h"

#include "client/ui/ReviewLoginDialog.h"
#include "ui/GbkString.h"

namespace olv {

std::optional<std::string> QtReviewLoginRunner::run()
{
    ReviewLoginDialog dialog;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return toGbk(dialog.examNumber());
}

} // namespace olv
