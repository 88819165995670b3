#pragma once

#include "chrome/Prompt.h"

#include <QStringList>

// Takes the place of the message boxes and the beep while it lives, and keeps what
// the program said.
class RecordingPrompt : public zantor::PromptHandler {
public:
    struct Message {
        zantor::PromptIcon icon;
        QString title;
        QString text;
    };

    RecordingPrompt();
    ~RecordingPrompt() override;
    RecordingPrompt(const RecordingPrompt&) = delete;
    RecordingPrompt& operator=(const RecordingPrompt&) = delete;

    void message(QWidget* parent, zantor::PromptIcon icon, const QString& title,
                 const QString& text) override;
    void beep() override { ++beeps; }

    QList<Message> messages;
    int beeps = 0;

private:
    zantor::PromptHandler* m_previous;
};
