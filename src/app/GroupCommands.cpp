#include "GroupCommands.h"

#include "data/ControlCharacters.h"
#include "data/DatabaseError.h"
#include "data/GroupExchange.h"
#include "data/GroupStore.h"
#include "data/SettingsStore.h"
#include "data/TextEscaping.h"
#include "data/TitleMatch.h"
#include "platform/WholeFile.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace zantor {

namespace {

// More suggestions than this would bury the message.
constexpr int kMostSuggestions = 10;
// Far more than any real list of groups: a file past it is no group file, and reading it
// whole (a disk image, /dev/zero) would only take the memory.
constexpr qint64 kLargestImport = qint64(64) << 20;

// Turns a database failure into the message and the status the command ends with.
template <typename Work> CommandResult onDatabase(Work&& work) {
    try {
        return work();
    } catch (const DatabaseError& error) {
        return CommandResult::failure(exit_status::kDatabase, error.userMessage() + QLatin1Char('\n'));
    }
}

QString counted(qsizetype count, const QString& one, const QString& many) {
    return (count == 1 ? one : many).arg(count);
}

// A field of a line of --listar: a TAB or a line break inside would break the line form.
QString oneField(QString text) {
    for (const QChar separator : {QLatin1Char('\t'), QLatin1Char('\n'), QLatin1Char('\r')})
        text.replace(separator, QLatin1Char(' '));
    return text;
}

// The entries the file asks for; the groups are in whatever happens to them.
void makeImportedShortcuts(const GroupShortcuts& shortcuts, const QVector<ImportedShortcuts>& wanted,
                           CommandResult& result) {
    int made = 0;
    for (const ImportedShortcuts& group : wanted) {
        for (std::size_t i = 0; i < kShortcutPlaces.size(); ++i) {
            if (!group.places[i])
                continue;
            const QString failure = shortcuts.set(group.groupId, kShortcutPlaces[i], true);
            if (failure.isEmpty()) {
                ++made;
                continue;
            }
            result.status = exit_status::kFailure;
            result.errors += QStringLiteral("Atalho não criado: %1.\n").arg(failure);
        }
    }
    if (made > 0)
        result.output +=
            counted(made, QStringLiteral("%1 atalho criado.\n"), QStringLiteral("%1 atalhos criados.\n"));
}

} // namespace

CommandResult listGroupsCommand(const DatabasePaths& paths) {
    return onDatabase([&] {
        const bool alphabetical = readSettings(paths.settings).groupOrder == GroupOrder::Alphabetical;
        CommandResult result;
        for (const GroupListRow& group :
             listGroups(paths.groups, alphabetical ? GroupOrder::Alphabetical : GroupOrder::Custom)) {
            result.output += oneField(unescapeText(group.titulo1)) + QLatin1Char('\t') +
                             oneField(unescapeText(group.texto1)) + QLatin1Char('\n');
        }
        return result;
    });
}

CommandResult exportGroupsCommand(const DatabasePaths& paths, const QString& file,
                                  const GroupShortcuts& shortcuts) {
    return onDatabase([&] {
        const GroupExport exported =
            exportGroups(paths, [&shortcuts](int groupId) { return shortcuts.placesOf(groupId); });
        if (file == QStringLiteral("-"))
            return CommandResult{exit_status::kSuccess, QString::fromUtf8(exported.json), {}};
        // Written whole or not at all: a backup cut short must not pass for one.
        if (const QString failure = writeWholeFile(file, exported.json); !failure.isEmpty())
            return CommandResult::failure(exit_status::kFailure,
                                          QStringLiteral("Exportação não feita: %1.\n").arg(failure));
        return CommandResult{exit_status::kSuccess,
                             counted(exported.groupCount, QStringLiteral("%1 grupo exportado para \"%2\".\n"),
                                     QStringLiteral("%1 grupos exportados para \"%2\".\n"))
                                 .arg(file),
                             {}};
    });
}

ImportFile readImportFile(const QString& file) {
    const bool standardInput = file == QStringLiteral("-");
    const QString name =
        standardInput ? QStringLiteral("entrada padrão") : QStringLiteral("\"%1\"").arg(file);
    QFile in;
    const bool opened = standardInput ? in.open(stdin, QIODevice::ReadOnly)
                                      : (in.setFileName(file), in.open(QIODevice::ReadOnly));
    if (!opened) {
        return {{},
                CommandResult::failure(exit_status::kFailure,
                                       (in.exists() ? QStringLiteral("Não foi possível ler o arquivo %1.\n")
                                                    : QStringLiteral("O arquivo %1 não existe.\n"))
                                           .arg(name))};
    }
    // In pieces up to the limit: a pipe tells its size only by ending.
    QByteArray json;
    while (json.size() <= kLargestImport) {
        const QByteArray piece = in.read(1 << 16);
        if (piece.isEmpty())
            break;
        json += piece;
    }
    if (in.error() != QFileDevice::NoError)
        return {{},
                CommandResult::failure(
                    exit_status::kFailure,
                    QStringLiteral("Não foi possível ler o arquivo %1 (%2).\n").arg(name, in.errorString()))};
    if (json.size() > kLargestImport)
        return {{},
                CommandResult::failure(
                    exit_status::kBadData,
                    QStringLiteral("O arquivo %1 passa de %2 MiB: não é um arquivo de grupos.\n"
                                   "Nenhum grupo foi importado.\n")
                        .arg(name)
                        .arg(kLargestImport >> 20))};
    return {json, std::nullopt};
}

CommandResult importGroupsCommand(const DatabasePaths& paths, const QByteArray& json,
                                  const GroupShortcuts* shortcuts) {
    return onDatabase([&] {
        try {
            const ImportReport report = importGroups(paths, json, QDate::currentDate());
            CommandResult result;
            for (const QString& note : report.notes)
                result.output += note + QLatin1Char('\n');
            result.output += report.imported == 0
                                 ? QStringLiteral("O arquivo não tem nenhum grupo.\n")
                                 : counted(report.imported, QStringLiteral("%1 grupo importado.\n"),
                                           QStringLiteral("%1 grupos importados.\n"));
            if (shortcuts)
                makeImportedShortcuts(*shortcuts, report.shortcuts, result);
            return result;
        } catch (const ExchangeFormatError& error) {
            return CommandResult::failure(
                exit_status::kBadData,
                QStringLiteral("%1\nNenhum grupo foi importado.\n").arg(error.message()));
        }
    });
}

GroupChoice chooseGroups(const QString& groupsPath, const QStringList& titles) {
    GroupChoice choice;
    QHash<int, QString> itemsOf;
    choice.result = onDatabase([&] {
        QVector<TitledGroup> groups;
        for (const GroupListRow& group : listGroups(groupsPath, GroupOrder::Alphabetical)) {
            groups.append({group.id, unescapeText(group.titulo1)});
            itemsOf.insert(group.id, unescapeText(group.texto1));
        }
        const TitleMatch match(groups);
        // Each candidate with its items, on one line: two groups may carry the same title.
        const auto listed = [&itemsOf](const QVector<TitledGroup>& candidates) {
            QString lines;
            for (qsizetype i = 0; i < candidates.size() && i < kMostSuggestions; ++i)
                lines +=
                    QStringLiteral("  %1 (%2)\n")
                        .arg(visibleText(candidates[i].title), visibleText(itemsOf.value(candidates[i].id)));
            if (candidates.size() > kMostSuggestions)
                lines += QStringLiteral("  e mais %1.\n").arg(candidates.size() - kMostSuggestions);
            return lines;
        };
        CommandResult result;
        for (const QString& title : titles) {
            const QVector<TitledGroup> named = match.named(title);
            if (named.size() == 1) {
                choice.ids.append(named.first().id);
                continue;
            }
            if (result.status == exit_status::kSuccess)
                result.status = named.isEmpty() ? exit_status::kNoSuchGroup : exit_status::kSeveralGroups;
            if (!named.isEmpty()) {
                result.errors +=
                    QStringLiteral("Mais de um grupo se chama \"%1\":\n").arg(title) + listed(named);
                continue;
            }
            result.errors += QStringLiteral("Nenhum grupo se chama \"%1\".\n").arg(title);
            const QVector<TitledGroup> similar = match.mentioning(title);
            result.errors += similar.isEmpty()
                                 ? QStringLiteral("Veja os grupos com: %1 --listar\n")
                                       .arg(QFileInfo(QCoreApplication::applicationFilePath()).fileName())
                                 : QStringLiteral("Grupos parecidos:\n") + listed(similar);
        }
        return result;
    });
    if (choice.result.status != exit_status::kSuccess)
        choice.ids.clear();
    return choice;
}

GroupChoice groupsWithIds(const QString& groupsPath, const QVector<int>& ids) {
    GroupChoice choice;
    choice.result = onDatabase([&] {
        CommandResult result;
        for (const int id : ids) {
            if (readResourceList(groupsPath, id)) {
                choice.ids.append(id);
                continue;
            }
            result.status = exit_status::kNoSuchGroup;
            result.errors +=
                QStringLiteral("Nenhum grupo tem o número %1; ele pode ter sido excluído.\n").arg(id);
        }
        return result;
    });
    if (choice.result.status != exit_status::kSuccess)
        choice.ids.clear();
    return choice;
}

} // namespace zantor
