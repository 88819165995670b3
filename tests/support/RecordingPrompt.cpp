#include "RecordingPrompt.h"

RecordingPrompt::RecordingPrompt()
    : m_previous(zantor::prompt::setHandler(this)) {}

RecordingPrompt::~RecordingPrompt() {
    zantor::prompt::setHandler(m_previous);
}

void RecordingPrompt::message(QWidget*, zantor::PromptIcon icon, const QString& title, const QString& text) {
    messages.append({icon, title, text});
}
