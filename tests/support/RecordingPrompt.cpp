#include "RecordingPrompt.h"

RecordingPrompt::RecordingPrompt()
    : m_previous(zantor::prompt::setHandler(this)) {}

RecordingPrompt::~RecordingPrompt() {
    zantor::prompt::setHandler(m_previous);
}

void RecordingPrompt::message(QWidget*, zantor::PromptIcon icon, const QString& title, const QString& text) {
    messages.append({icon, title, text});
}

void RecordingPrompt::offer(QWidget* parent, zantor::PromptIcon icon, const QString& title,
                            const QString& text, const zantor::PromptAction& action) {
    message(parent, icon, title, text);
    offered.append(action);
}

void RecordingPrompt::choosePath(QWidget*, const QString&, zantor::PathKind kind, const QString& folder,
                                 const std::function<void(const QString&)>& chosen) {
    chooserFolders.append(folder);
    chooserKinds.append(kind);
    if (!nextPath.isEmpty())
        chosen(nextPath);
}
