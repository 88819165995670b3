#include "Prompt.h"

#include <QApplication>
#include <QMessageBox>
#include <utility>

namespace zantor {

namespace {

class DesktopPromptHandler final : public PromptHandler {
public:
    void message(QWidget* parent, PromptIcon icon, const QString& title, const QString& text) override {
        auto* box = new QMessageBox(toBoxIcon(icon), title, text, QMessageBox::Ok, parent);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
    void fatal(const QString& title, const QString& text) override {
        QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok);
        box.exec();
    }
    void beep() override { QApplication::beep(); }

private:
    static QMessageBox::Icon toBoxIcon(PromptIcon icon) {
        switch (icon) {
        case PromptIcon::Information:
            return QMessageBox::Information;
        case PromptIcon::Warning:
            return QMessageBox::Warning;
        case PromptIcon::Critical:
            return QMessageBox::Critical;
        }
        return QMessageBox::NoIcon;
    }
};

DesktopPromptHandler& desktopHandler() {
    static DesktopPromptHandler handler;
    return handler;
}

PromptHandler* installedHandler = nullptr;

PromptHandler& currentHandler() {
    return installedHandler ? *installedHandler : desktopHandler();
}

} // namespace

namespace prompt {

void message(QWidget* parent, PromptIcon icon, const QString& title, const QString& text) {
    currentHandler().message(parent, icon, title, text);
}

void fatal(const QString& title, const QString& text) {
    currentHandler().fatal(title, text);
}

void beep() {
    currentHandler().beep();
}

PromptHandler* setHandler(PromptHandler* handler) {
    return std::exchange(installedHandler, handler);
}

} // namespace prompt

} // namespace zantor
