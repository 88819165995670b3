#include "GroupExchange.h"

#include "AlphabeticalOrder.h"
#include "CategoryStore.h"
#include "ControlCharacters.h"
#include "DbSession.h"
#include "GroupRules.h"
#include "GroupSave.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace zantor {

namespace {

const QString kVersion = QStringLiteral("versao");
const QString kBackup = QStringLiteral("copiaDeSeguranca");
const QString kGroups = QStringLiteral("grupos");
const QString kTitle = QStringLiteral("titulo");
const QString kCategory = QStringLiteral("categoria");
const QString kOrder = QStringLiteral("ordem");
const QString kDate = QStringLiteral("data");
const QString kItems = QStringLiteral("itens");
const QString kAddress = QStringLiteral("endereco");
const QString kArguments = QStringLiteral("argumentos");
const QString kShortcuts = QStringLiteral("atalhos");
// In the order of GroupShortcutFlags.
const QString kShortcutPlaces[] = {QStringLiteral("areaDeTrabalho"), QStringLiteral("menu"),
                                   QStringLiteral("sessao")};
const QString kDateFormat = QStringLiteral("dd/MM/yyyy");
constexpr int kFormatVersion = 1;

// A group of the file, checked, with its category still a title.
struct ImportedGroup {
    GroupContent content;
    QString categoryTitle;
    // Only orders the file's groups among themselves.
    double ordem = 0;
    GroupShortcutFlags shortcuts{};
};

QString categoryTitle(const QVector<Category>& categories, int id) {
    for (const Category& category : categories) {
        if (category.id == id)
            return category.titulo1;
    }
    return {};
}

[[noreturn]] void refuse(const QString& place, const QString& field, const QString& problem) {
    throw ExchangeFormatError(QStringLiteral("Campo \"%1\" %2: %3.").arg(field, place, problem));
}

// What the import refuses stands in no field that an export writes: the rule is that
// whatever the export wrote, the import takes back.
QString readText(const QJsonObject& object, const QString& field, const QString& place) {
    const QJsonValue value = object.value(field);
    if (!value.isString())
        refuse(place, field, QStringLiteral("precisa ser um texto"));
    const QString text = value.toString();
    // A line break or the unit separator would break the stored list and the one-line
    // readers; the other controls would steer the terminal that lists the groups.
    if (holdsControlCharacters(text))
        refuse(place, field,
               QStringLiteral("não pode conter quebras de linha nem outros caracteres de controle"));
    return text;
}

// New input meets the editor's rules; a backup brings back whatever was stored.
bool refuses(bool backup, auto fault) {
    return fault != decltype(fault)::None && !(backup && storedGroupsMayHave(fault));
}

QVector<GroupItem> readItems(const QJsonObject& group, const QString& groupPlace, bool backup) {
    const QJsonValue value = group.value(kItems);
    if (!value.isArray())
        refuse(groupPlace, kItems, QStringLiteral("precisa ser uma lista de itens"));
    QVector<GroupItem> items;
    const QJsonArray array = value.toArray();
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QString place = QStringLiteral("do item %1 %2").arg(i + 1).arg(groupPlace);
        if (!array[i].isObject())
            throw ExchangeFormatError(
                QStringLiteral("O item %1 %2 precisa ser um objeto com \"titulo\" e \"endereco\".")
                    .arg(i + 1)
                    .arg(groupPlace));
        const QJsonObject item = array[i].toObject();
        // An export from before arguments existed has none.
        const GroupItem read{readText(item, kTitle, place), readText(item, kAddress, place),
                             item.contains(kArguments) ? readText(item, kArguments, place) : QString()};
        // Control characters, the unit separator among them, were refused with their field.
        switch (const ItemFault fault = itemFault(read); refuses(backup, fault) ? fault : ItemFault::None) {
        case ItemFault::EmptyText:
            refuse(place, read.title.isEmpty() ? kTitle : kAddress, QStringLiteral("não pode ficar vazio"));
        case ItemFault::TitleSeparator:
            refuse(place, kTitle, QStringLiteral("não pode conter \", \""));
        case ItemFault::OpenQuote:
            refuse(place, kArguments, QStringLiteral("tem aspas que não foram fechadas"));
        case ItemFault::TabInArguments:
            refuse(place, kArguments, QStringLiteral("não pode conter TAB"));
        default:
            break;
        }
        items.append(read);
    }
    return items;
}

GroupShortcutFlags readShortcuts(const QJsonObject& group, const QString& place) {
    GroupShortcutFlags flags{};
    if (!group.contains(kShortcuts))
        return flags;
    if (!group.value(kShortcuts).isObject())
        refuse(place, kShortcuts, QStringLiteral("precisa ser um objeto"));
    const QJsonObject shortcuts = group.value(kShortcuts).toObject();
    for (std::size_t i = 0; i < flags.size(); ++i) {
        const QJsonValue flag = shortcuts.value(kShortcutPlaces[i]);
        if (!flag.isUndefined() && !flag.isBool())
            refuse(place, kShortcuts + QLatin1Char('.') + kShortcutPlaces[i],
                   QStringLiteral("precisa ser true ou false"));
        flags[i] = flag.toBool();
    }
    return flags;
}

ImportedGroup readGroup(const QJsonValue& value, int index, const QDate& today, bool backup) {
    const QString number = QStringLiteral("do grupo %1").arg(index + 1);
    if (!value.isObject())
        throw ExchangeFormatError(QStringLiteral("O grupo %1 precisa ser um objeto.").arg(index + 1));
    const QJsonObject group = value.toObject();
    ImportedGroup read;
    read.content.title = readText(group, kTitle, number);
    // From here on the user finds the group by its title.
    const QString place = QStringLiteral("%1 (\"%2\")").arg(number, read.content.title);

    if (group.contains(kCategory))
        read.categoryTitle = readText(group, kCategory, place);

    read.ordem = index;
    if (group.contains(kOrder)) {
        if (!group.value(kOrder).isDouble())
            refuse(place, kOrder, QStringLiteral("precisa ser um número"));
        read.ordem = group.value(kOrder).toDouble();
    }

    // The date is shown as stored, as the editor's own dates are.
    const QString date = group.contains(kDate) ? readText(group, kDate, place) : QString();
    read.content.dataUpd = date.isEmpty() ? today.toString(kDateFormat) : date;

    read.content.items = readItems(group, place, backup);
    // Control characters in the title were refused with its field.
    if (const GroupFault fault = groupFault(read.content.title, read.content.items.size());
        refuses(backup, fault))
        fault == GroupFault::BlankTitle
            ? refuse(number, kTitle, QStringLiteral("não pode ficar em branco"))
            : refuse(place, kItems, QStringLiteral("precisa ter pelo menos um item"));
    read.shortcuts = readShortcuts(group, place);
    return read;
}

// Line and column of a byte of the file, as a text editor counts them.
QString placeIn(const QByteArray& json, qsizetype offset) {
    const QByteArray before = json.left(offset);
    const qsizetype line = before.count('\n') + 1;
    const qsizetype column = offset - before.lastIndexOf('\n');
    return QStringLiteral("linha %1, coluna %2").arg(line).arg(column);
}

// Where a \u escape in a string names half a surrogate pair without its other half. The
// JSON reader would pair it with whatever character follows and silently change the
// text, so such a file is refused before it is read.
std::optional<qsizetype> loneSurrogate(const QByteArray& json) {
    const auto codeAt = [&json](qsizetype at) -> std::optional<uint> {
        if (at + 6 > json.size() || json[at] != '\\' || json[at + 1] != 'u')
            return std::nullopt;
        bool hex = false;
        const uint code = json.mid(at + 2, 4).toUInt(&hex, 16);
        return hex ? std::optional(code) : std::nullopt;
    };
    bool inString = false;
    for (qsizetype i = 0; i < json.size(); ++i) {
        if (json[i] == '"') {
            inString = !inString;
            continue;
        }
        if (!inString || json[i] != '\\')
            continue;
        const std::optional<uint> code = codeAt(i);
        if (!code) {
            ++i; // The escaped character, which may be a quote.
            continue;
        }
        if (QChar::isLowSurrogate(*code))
            return i;
        if (QChar::isHighSurrogate(*code)) {
            const std::optional<uint> low = codeAt(i + 6);
            if (!low || !QChar::isLowSurrogate(*low))
                return i;
            i += 6;
        }
        i += 5;
    }
    return std::nullopt;
}

QVector<ImportedGroup> readDocument(const QByteArray& json, const QDate& today) {
    if (const std::optional<qsizetype> at = loneSurrogate(json))
        throw ExchangeFormatError(
            QStringLiteral("O arquivo tem meio caractere (%1 sem o seu par, %2): não é um texto válido.")
                .arg(QString::fromLatin1(json.mid(*at, 6)), placeIn(json, *at)));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        throw ExchangeFormatError(
            QStringLiteral("O arquivo não é um JSON válido (%1).").arg(placeIn(json, parseError.offset)));
    if (!document.isObject())
        throw ExchangeFormatError(
            QStringLiteral("O arquivo precisa conter um objeto JSON com o campo \"grupos\"."));
    const QJsonObject root = document.object();
    if (root.contains(kVersion) && root.value(kVersion).toDouble() != kFormatVersion)
        throw ExchangeFormatError(
            QStringLiteral("Campo \"versao\": este Zantor lê a versão %1 do formato.").arg(kFormatVersion));
    if (!root.value(kGroups).isArray())
        throw ExchangeFormatError(QStringLiteral("Campo \"grupos\": precisa ser uma lista de grupos."));
    if (root.contains(kBackup) && !root.value(kBackup).isBool())
        throw ExchangeFormatError(QStringLiteral("Campo \"%1\": precisa ser true ou false.").arg(kBackup));
    const bool backup = root.value(kBackup).toBool();
    const QJsonArray groups = root.value(kGroups).toArray();
    QVector<ImportedGroup> read;
    for (qsizetype i = 0; i < groups.size(); ++i)
        read.append(readGroup(groups[i], int(i), today, backup));
    return read;
}

// The category a title names: the same text, else the same letters as the lists sort
// them. Empty is no category, as the editor stores a group saved without one.
std::optional<int> categoryNamed(const QVector<Category>& categories, const QString& title) {
    if (title.isEmpty())
        return 0;
    for (const Category& category : categories) {
        if (category.titulo1 == title)
            return category.id;
    }
    TitleFolder folder;
    const QString letters = folder.key(title.trimmed()).letters;
    for (const Category& category : categories) {
        if (folder.key(category.titulo1.trimmed()).letters == letters)
            return category.id;
    }
    return std::nullopt;
}

QJsonObject shortcutsObject(const GroupShortcutFlags& flags) {
    QJsonObject object;
    for (std::size_t i = 0; i < flags.size(); ++i)
        object.insert(kShortcutPlaces[i], flags[i]);
    return object;
}

} // namespace

ExchangeFormatError::ExchangeFormatError(const QString& message)
    : std::runtime_error(message.toStdString())
    , m_message(message) {}

GroupExport exportGroups(const DatabasePaths& paths,
                         const std::function<GroupShortcutFlags(int groupId)>& shortcutsOf) {
    const QVector<Category> categories = loadCategories(paths.categories);
    DbSession db(paths.groups);
    QJsonArray groups;
    for (const QSqlRecord& row :
         db.select(QStringLiteral("SELECT * FROM Tabela1 order by ordem asc, id asc"))) {
        // A stored text is the text as typed (a typed TAB is stored as backslash-t, and so
        // is a typed backslash-t): written out as stored, it comes back byte for byte. Only
        // control characters, which no typed text holds, are written out visibly.
        const auto text = [&row](const QString& column) { return visibleText(columnText(row, column)); };
        QJsonArray items;
        // Every column, so that a database without the arguments column (a read-only one
        // from before they existed) still exports.
        for (const GroupItem& item :
             viewerItems(columnText(row, QStringLiteral("texto1")), columnText(row, QStringLiteral("texto2")),
                         columnText(row, QStringLiteral("texto3")))) {
            QJsonObject written{{kTitle, visibleText(item.title)}, {kAddress, visibleText(item.address)}};
            if (!item.arguments.isEmpty())
                // As the program reads them: a TAB written by hand is a backslash-t.
                written.insert(kArguments, visibleText(addressAsTyped(item.arguments)));
            items.append(written);
        }
        groups.append(QJsonObject{
            {kTitle, text(QStringLiteral("titulo1"))},
            {kCategory,
             visibleText(categoryTitle(categories, row.value(QStringLiteral("categoria")).toInt()))},
            // The place in the custom order as the lists show it, where a group with no
            // place comes first: the stored number would put it after those below zero.
            {kOrder, groups.size() + 1},
            {kDate, text(QStringLiteral("dataUpd"))},
            {kItems, items},
            {kShortcuts, shortcutsObject(shortcutsOf ? shortcutsOf(row.value(QStringLiteral("id")).toInt())
                                                     : GroupShortcutFlags{})},
        });
    }
    return {QJsonDocument(QJsonObject{{kVersion, kFormatVersion}, {kBackup, true}, {kGroups, groups}})
                .toJson(QJsonDocument::Indented),
            int(groups.size())};
}

ImportReport importGroups(const DatabasePaths& paths, const QByteArray& json, const QDate& today) {
    QVector<ImportedGroup> groups = readDocument(json, today);
    if (groups.isEmpty())
        return {};

    ImportReport report;
    const QVector<Category> categories = loadCategories(paths.categories);
    for (ImportedGroup& group : groups) {
        if (const std::optional<int> id = categoryNamed(categories, group.categoryTitle)) {
            group.content.categoria = *id;
            continue;
        }
        const QString replacement = categories.isEmpty() ? QString() : categories.first().titulo1;
        group.content.categoria = categories.isEmpty() ? 0 : categories.first().id;
        report.notes << QStringLiteral("Grupo \"%1\": a categoria \"%2\" não existe; ficou \"%3\".")
                            .arg(group.content.title, group.categoryTitle, replacement);
    }

    // The groups keep their order among themselves and take the places right after the
    // groups already there, one each: the file's numbers only order them, so that places
    // stay small however often a backup comes back.
    std::stable_sort(groups.begin(), groups.end(),
                     [](const auto& a, const auto& b) { return a.ordem < b.ordem; });
    DbSession db(paths.groups);
    db.inTransaction([&] {
        // Numbered as the editor numbers a new group: from 1, after the largest place.
        qint64 place = db.select(QStringLiteral("select coalesce(max(ordem),0)+1 from Tabela1"))
                           .first()
                           .value(0)
                           .toLongLong();
        for (const ImportedGroup& group : std::as_const(groups)) {
            db.execute(QStringLiteral(
                           "insert into Tabela1 (titulo1,texto1,texto2,qtd,dataUpd,categoria,texto3,ordem) "
                           "values (?,?,?,?,?,?,?,?)"),
                       storedGroupValues(group.content) << place++);
            if (std::any_of(group.shortcuts.begin(), group.shortcuts.end(),
                            [](bool wanted) { return wanted; }))
                report.shortcuts.append(
                    {db.select(QStringLiteral("select last_insert_rowid()")).first().value(0).toInt(),
                     group.shortcuts});
        }
    });
    report.imported = int(groups.size());
    return report;
}

} // namespace zantor
