#include "LaunchReport.h"

#include "chrome/Prompt.h"
#include "state/Launcher.h"

namespace zantor {

void showLaunchReport(QWidget* parent, const LaunchResult& result) {
    if (result.hasProblems())
        prompt::message(parent, PromptIcon::Warning, QStringLiteral("Erro"), result.report());
}

} // namespace zantor
