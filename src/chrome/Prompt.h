#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace zantor {

enum class PromptIcon { Information, Warning, Critical };

// A command a message offers below its text, beside "OK".
struct PromptAction {
    QString label;
    std::function<void()> run;
};

// What a chooser of a path is for.
enum class PathKind { File, Folder };

// How the program speaks to the user in message boxes and beeps. Tests install their
// own handler so that nothing modal ever blocks them.
class PromptHandler {
public:
    virtual ~PromptHandler() = default;
    virtual void message(QWidget* parent, PromptIcon icon, const QString& title, const QString& text) = 0;
    virtual void offer(QWidget* parent, PromptIcon icon, const QString& title, const QString& text,
                       const PromptAction& action) = 0;
    // Asks for an existing file or folder, starting in `folder`; `chosen` gets the path,
    // and is never called when the user gives up.
    virtual void choosePath(QWidget* parent, const QString& title, PathKind kind, const QString& folder,
                            const std::function<void(const QString&)>& chosen) = 0;
    // The error that ends the program before it has started.
    virtual void fatal(const QString& title, const QString& text) {
        message(nullptr, PromptIcon::Critical, title, text);
    }
    virtual void beep() = 0;
};

namespace prompt {
// A box that informs: it opens over `parent` (a window that outlives it) and returns at
// once, without an event loop of its own, and it deletes itself once read.
void message(QWidget* parent, PromptIcon icon, const QString& title, const QString& text);
// The same, with a command below the text.
void offer(QWidget* parent, PromptIcon icon, const QString& title, const QString& text,
           const PromptAction& action);
// A chooser that opens over `parent` and returns at once, like the messages.
void choosePath(QWidget* parent, const QString& title, PathKind kind, const QString& folder,
                const std::function<void(const QString&)>& chosen);
// The one box that waits for the user: a start-up error, before the event loop runs.
void fatal(const QString& title, const QString& text);
void beep();
// Replaces the handler and returns the one it replaced; nullptr goes back to the real
// message boxes and beep.
PromptHandler* setHandler(PromptHandler* handler);
} // namespace prompt

} // namespace zantor
