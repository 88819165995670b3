#pragma once

#include <QString>

class QWidget;

namespace zantor {

enum class PromptIcon { Information, Warning, Critical };

// How the program speaks to the user in message boxes and beeps. Tests install their
// own handler so that nothing modal ever blocks them.
class PromptHandler {
public:
    virtual ~PromptHandler() = default;
    virtual void message(QWidget* parent, PromptIcon icon, const QString& title, const QString& text) = 0;
    virtual void beep() = 0;
};

namespace prompt {
void message(QWidget* parent, PromptIcon icon, const QString& title, const QString& text);
void beep();
// Replaces the handler and returns the one it replaced; nullptr goes back to the real
// message boxes and beep.
PromptHandler* setHandler(PromptHandler* handler);
} // namespace prompt

} // namespace zantor
