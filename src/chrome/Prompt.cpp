#include "Prompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

namespace zantor {

namespace {

class DesktopPromptHandler final : public PromptHandler {
public:
    void message(QWidget* parent, PromptIcon icon, const QString& title, const QString& text) override {
        box(parent, icon, title, text)->open();
    }
    void offer(QWidget* parent, PromptIcon icon, const QString& title, const QString& text,
               const PromptAction& action) override {
        QMessageBox* shown = box(parent, icon, title, text);
        QPushButton* command = shown->addButton(action.label, QMessageBox::ActionRole);
        command->setAccessibleName(action.label);
        QObject::connect(command, &QAbstractButton::clicked, command, action.run);
        shown->open();
    }
    void choosePath(QWidget* parent, const QString& title, PathKind kind, const QString& folder,
                    const std::function<void(const QString&)>& chosen) override {
        auto* dialog = new QFileDialog(parent, title, folder);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setFileMode(kind == PathKind::Folder ? QFileDialog::Directory : QFileDialog::ExistingFile);
        QObject::connect(dialog, &QFileDialog::fileSelected, dialog, chosen);
        dialog->open();
    }
    void fatal(const QString& title, const QString& text) override {
        QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok);
        box.exec();
    }
    void beep() override { QApplication::beep(); }

private:
    // Informs without waiting: no event loop of its own, gone once read.
    static QMessageBox* box(QWidget* parent, PromptIcon icon, const QString& title, const QString& text) {
        auto* box = new QMessageBox(toBoxIcon(icon), title, text, QMessageBox::Ok, parent);
        box->setAttribute(Qt::WA_DeleteOnClose);
        return box;
    }
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

void offer(QWidget* parent, PromptIcon icon, const QString& title, const QString& text,
           const PromptAction& action) {
    currentHandler().offer(parent, icon, title, text, action);
}

void choosePath(QWidget* parent, const QString& title, PathKind kind, const QString& folder,
                const std::function<void(const QString&)>& chosen) {
    currentHandler().choosePath(parent, title, kind, folder, chosen);
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
