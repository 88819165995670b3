#pragma once

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <QVector>
#include <memory>

namespace zantor {

// What the user asked for on Zantor's command line.
class CommandLine {
public:
    enum class Command {
        // No command: the window, or the running copy's window brought to the front.
        Start,
        Open,
        // Open groups by their ids, as a group's desktop entries do.
        OpenById,
        List,
        Export,
        Import,
        Help,
        Version,
        UsageError,
    };

    // The arguments as the program got them, the program's own path first. With an
    // application object in place, the parser's own texts are Portuguese too.
    explicit CommandLine(const QStringList& arguments);

    Command command() const { return m_command; }
    // Only these commands need a display; the others also run in a script or over ssh.
    bool showsWindows() const {
        return m_command == Command::Start || m_command == Command::Open || m_command == Command::OpenById;
    }
    // The titles of --abrir, in the order given.
    const QStringList& titles() const { return m_titles; }
    // The ids of --abrir-id, in the order given.
    const QVector<int>& groupIds() const { return m_groupIds; }
    // The file of --exportar or --importar.
    const QString& file() const { return m_file; }
    // --importar also makes the desktop entries the file asks for (--com-atalhos).
    bool withShortcuts() const { return m_withShortcuts; }
    // What is wrong with the command line, for Command::UsageError.
    const QString& usageError() const { return m_usageError; }
    // Needs the application object: it names the program and its version.
    QString helpText() const;

private:
    void read(const QStringList& arguments);

    QCommandLineParser m_parser;
    Command m_command = Command::Start;
    QStringList m_titles;
    QVector<int> m_groupIds;
    QString m_file;
    bool m_withShortcuts = false;
    QString m_usageError;
};

// The application object the command line needs: with windows, or without them (and
// without a display) for the commands that show none. Named and versioned.
std::unique_ptr<QCoreApplication> createApplication(int& argc, char** argv);

} // namespace zantor
