#pragma once

#include "Prompt.h"
#include "data/DatabaseError.h"

#include <QWidget>

namespace zantor {

// Tells the user of a database failure, naming the file and the reason.
inline void reportDatabaseError(QWidget* parent, const DatabaseError& error) {
    prompt::message(parent, PromptIcon::Critical, QStringLiteral("Erro"), error.userMessage());
}

// Runs the database work of an event handler. A failure is told to the user in a
// message that names the file and the reason, and the program goes on: no exception
// ever leaves an event handler. True when the work ran through.
template <typename Work> bool runDatabaseAction(QWidget* parent, Work&& work) {
    try {
        work();
        return true;
    } catch (const DatabaseError& error) {
        reportDatabaseError(parent, error);
        return false;
    }
}

} // namespace zantor
