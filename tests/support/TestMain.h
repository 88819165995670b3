#pragma once

#include "chrome/Prompt.h"

#include <QApplication>
#include <QTest>

// Outside a RecordingPrompt no test expects a message box: one that would open fails
// the test at once, with its text, instead of waiting for a click that never comes.
class UnexpectedPromptGuard : public zantor::PromptHandler {
public:
    UnexpectedPromptGuard() { zantor::prompt::setHandler(this); }
    ~UnexpectedPromptGuard() override { zantor::prompt::setHandler(nullptr); }
    void message(QWidget*, zantor::PromptIcon, const QString& title, const QString& text) override {
        qFatal("A message box the test did not expect would open: %s: %s", qPrintable(title),
               qPrintable(text));
    }
    void offer(QWidget* parent, zantor::PromptIcon icon, const QString& title, const QString& text,
               const zantor::PromptAction&) override {
        message(parent, icon, title, text);
    }
    void choosePath(QWidget*, const QString& title, zantor::PathKind, const QString&,
                    const std::function<void(const QString&)>&) override {
        qFatal("A chooser the test did not expect would open: %s", qPrintable(title));
    }
    void beep() override {}
};

// QTEST_MAIN with the guard in place.
#define ZANTOR_TEST_MAIN(TestObject)                                                                         \
    int main(int argc, char* argv[]) {                                                                       \
        QApplication app(argc, argv);                                                                        \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                             \
        UnexpectedPromptGuard guard;                                                                         \
        TestObject test;                                                                                     \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
