#pragma once

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>
#include <QtGlobal>

// A home folder of its own while it lives: HOME, XDG_DATA_HOME and XDG_CONFIG_HOME
// point into a temporary folder, so that shortcuts land there and nowhere else.
class TemporaryHome {
public:
    TemporaryHome() {
        QDir().mkpath(m_dir.filePath(QStringLiteral("home")));
        set("HOME", QStringLiteral("home"));
        set("XDG_DATA_HOME", QStringLiteral("home/.local/share"));
        set("XDG_CONFIG_HOME", QStringLiteral("home/.config"));
    }
    ~TemporaryHome() {
        for (const Saved& saved : m_saved) {
            if (saved.wasSet)
                qputenv(saved.name, saved.value);
            else
                qunsetenv(saved.name);
        }
    }
    TemporaryHome(const TemporaryHome&) = delete;
    TemporaryHome& operator=(const TemporaryHome&) = delete;

    QString path(const QString& relative) const { return m_dir.filePath(QStringLiteral("home/") + relative); }

private:
    struct Saved {
        const char* name;
        bool wasSet;
        QByteArray value;
    };

    void set(const char* name, const QString& relative) {
        m_saved.append({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
        qputenv(name, m_dir.filePath(relative).toUtf8());
    }

    QTemporaryDir m_dir;
    QList<Saved> m_saved;
};
