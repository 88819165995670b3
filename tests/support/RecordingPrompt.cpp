#include "RecordingPrompt.h"

RecordingPrompt::RecordingPrompt() {
    zantor::prompt::setHandler(this);
}

RecordingPrompt::~RecordingPrompt() {
    zantor::prompt::setHandler(nullptr);
}

void RecordingPrompt::message(QWidget*, zantor::PromptIcon icon, const QString& title, const QString& text) {
    messages.append({icon, title, text});
}
