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
    // Kept as a message; the command is kept in `offered` for the test to run.
    void offer(QWidget* parent, zantor::PromptIcon icon, const QString& title, const QString& text,
               const zantor::PromptAction& action) override;
    // Answers at once with `nextPath`, as a user who picks it; an empty one gives up.
    void choosePath(QWidget* parent, const QString& title, zantor::PathKind kind, const QString& folder,
                    const std::function<void(const QString&)>& chosen) override;
    void beep() override { ++beeps; }

    QList<Message> messages;
    QList<zantor::PromptAction> offered;
    int beeps = 0;
    QString nextPath;
    // Where each chooser opened, and for what.
    QStringList chooserFolders;
    QList<zantor::PathKind> chooserKinds;

private:
    zantor::PromptHandler* m_previous;
};
