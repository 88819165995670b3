#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <optional>

// A home folder of its own while it lives: HOME, XDG_DATA_HOME and XDG_CONFIG_HOME
// point into a temporary folder, so that shortcuts land there and nowhere else.
class TemporaryHome {
public:
    TemporaryHome() {
        QDir().mkpath(path(QString()));
        for (const auto& [name, relative] : m_variables) {
            m_saved.append(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
            qputenv(name, path(QString::fromLatin1(relative)).toUtf8());
        }
    }
    ~TemporaryHome() {
        for (qsizetype i = 0; i < m_saved.size(); ++i)
            m_saved[i] ? qputenv(m_variables[i].first, *m_saved[i]) : qunsetenv(m_variables[i].first);
    }

    QString path(const QString& relative) const { return m_dir.filePath(QStringLiteral("home/") + relative); }

private:
    const std::pair<const char*, const char*> m_variables[3]{
        {"HOME", ""}, {"XDG_DATA_HOME", ".local/share"}, {"XDG_CONFIG_HOME", ".config"}};
    QTemporaryDir m_dir;
    QList<std::optional<QByteArray>> m_saved;
};
