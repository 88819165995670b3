#include "GroupExchange.h"

#include "AlphabeticalOrder.h"
#include "CategoryStore.h"
#include "DbSession.h"
#include "GroupSave.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zantor {

namespace {

const QString kVersion = QStringLiteral("versao");
const QString kGroups = QStringLiteral("grupos");
const QString kTitle = QStringLiteral("titulo");
const QString kCategory = QStringLiteral("categoria");
const QString kOrder = QStringLiteral("ordem");
const QString kDate = QStringLiteral("data");
const QString kItems = QStringLiteral("itens");
const QString kAddress = QStringLiteral("endereco");
const QString kDateFormat = QStringLiteral("dd/MM/yyyy");
constexpr int kFormatVersion = 1;
constexpr int kLargestOrder = 1000000;

// A group of the file, checked, with its category still a title.
struct ImportedGroup {
    GroupContent content;
    QString categoryTitle;
    int ordem = 0;
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

// Texts of one line: a line break or the unit separator would break the stored list and
// the one-line readers.
bool isOneLine(const QString& text) {
    return !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')) &&
           !text.contains(QChar(31));
}

QString readText(const QJsonObject& object, const QString& field, const QString& place) {
    const QJsonValue value = object.value(field);
    if (!value.isString())
        refuse(place, field, QStringLiteral("precisa ser um texto"));
    const QString text = value.toString();
    if (!isOneLine(text))
        refuse(place, field, QStringLiteral("não pode conter quebras de linha nem o caractere de código 31"));
    return text;
}

QString readFilledText(const QJsonObject& object, const QString& field, const QString& place) {
    const QString text = readText(object, field, place);
    if (text.isEmpty())
        refuse(place, field, QStringLiteral("não pode estar vazio"));
    return text;
}

QVector<GroupItem> readItems(const QJsonObject& group, const QString& groupPlace) {
    const QJsonValue value = group.value(kItems);
    if (!value.isArray() || value.toArray().isEmpty())
        refuse(groupPlace, kItems, QStringLiteral("precisa ser uma lista com pelo menos um item"));
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
        const GroupItem read{readFilledText(item, kTitle, place), readFilledText(item, kAddress, place)};
        if (!fitsItemList(read))
            refuse(place, kTitle, QStringLiteral("não pode conter \", \""));
        items.append(read);
    }
    return items;
}

ImportedGroup readGroup(const QJsonValue& value, int index, const QDate& today) {
    const QString number = QStringLiteral("do grupo %1").arg(index + 1);
    if (!value.isObject())
        throw ExchangeFormatError(QStringLiteral("O grupo %1 precisa ser um objeto.").arg(index + 1));
    const QJsonObject group = value.toObject();
    ImportedGroup read;
    read.content.title = readText(group, kTitle, number);
    if (isBlankTitle(read.content.title))
        refuse(number, kTitle, QStringLiteral("não pode estar vazio"));
    // From here on the user finds the group by its title.
    const QString place = QStringLiteral("%1 (\"%2\")").arg(number, read.content.title);

    if (group.contains(kCategory))
        read.categoryTitle = readText(group, kCategory, place);

    read.ordem = index;
    if (group.contains(kOrder)) {
        const double ordem = group.value(kOrder).toDouble(-1);
        if (ordem < 0 || ordem > kLargestOrder || ordem != int(ordem))
            refuse(place, kOrder,
                   QStringLiteral("precisa ser um número inteiro de 0 a %1").arg(kLargestOrder));
        read.ordem = int(ordem);
    }

    read.content.dataUpd = today.toString(kDateFormat);
    if (group.contains(kDate)) {
        const QString date = readText(group, kDate, place);
        if (!QDate::fromString(date, kDateFormat).isValid())
            refuse(place, kDate, QStringLiteral("precisa ser uma data no formato dd/mm/aaaa"));
        read.content.dataUpd = date;
    }

    read.content.items = readItems(group, place);
    return read;
}

QVector<ImportedGroup> readDocument(const QByteArray& json, const QDate& today) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        const QByteArray before = json.left(parseError.offset);
        const qsizetype line = before.count('\n') + 1;
        const qsizetype column = parseError.offset - before.lastIndexOf('\n');
        throw ExchangeFormatError(
            QStringLiteral("O arquivo não é um JSON válido (linha %1, coluna %2).").arg(line).arg(column));
    }
    if (!document.isObject())
        throw ExchangeFormatError(
            QStringLiteral("O arquivo precisa conter um objeto JSON com o campo \"grupos\"."));
    const QJsonObject root = document.object();
    if (root.contains(kVersion) && root.value(kVersion).toDouble() != kFormatVersion)
        throw ExchangeFormatError(
            QStringLiteral("Campo \"versao\": este Zantor lê a versão %1 do formato.").arg(kFormatVersion));
    if (!root.value(kGroups).isArray())
        throw ExchangeFormatError(QStringLiteral("Campo \"grupos\": precisa ser uma lista de grupos."));
    const QJsonArray groups = root.value(kGroups).toArray();
    QVector<ImportedGroup> read;
    for (qsizetype i = 0; i < groups.size(); ++i)
        read.append(readGroup(groups[i], int(i), today));
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

} // namespace

ExchangeFormatError::ExchangeFormatError(const QString& message)
    : std::runtime_error(message.toStdString())
    , m_message(message) {}

GroupExport exportGroups(const DatabasePaths& paths) {
    const QVector<Category> categories = loadCategories(paths.categories);
    DbSession db(paths.groups);
    QJsonArray groups;
    for (const QSqlRecord& row :
         db.select(QStringLiteral("SELECT titulo1,texto1,texto2,dataUpd,categoria,ordem FROM Tabela1 order "
                                  "by ordem asc, id asc"))) {
        // A stored text is the text as typed (a typed TAB is stored as backslash-t, and so
        // is a typed backslash-t): written out as stored, it comes back byte for byte.
        QJsonArray items;
        for (const GroupItem& item : viewerItems(columnText(row, QStringLiteral("texto1")),
                                                 columnText(row, QStringLiteral("texto2"))))
            items.append(QJsonObject{{kTitle, item.title}, {kAddress, item.address}});
        groups.append(QJsonObject{
            {kTitle, columnText(row, QStringLiteral("titulo1"))},
            {kCategory, categoryTitle(categories, row.value(QStringLiteral("categoria")).toInt())},
            {kOrder, row.value(QStringLiteral("ordem")).toInt()},
            {kDate, columnText(row, QStringLiteral("dataUpd"))},
            {kItems, items},
        });
    }
    return {QJsonDocument(QJsonObject{{kVersion, kFormatVersion}, {kGroups, groups}})
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

    const int firstOrder = std::min_element(groups.begin(), groups.end(), [](const auto& a, const auto& b) {
                               return a.ordem < b.ordem;
                           })->ordem;
    DbSession db(paths.groups);
    db.inTransaction([&] {
        // The groups keep their order among themselves and come after the groups already
        // there; into an empty list they come with their own places.
        const QSqlRecord stored =
            db.select(QStringLiteral("select count(*), coalesce(max(ordem),0) from Tabela1")).first();
        const int shift =
            stored.value(0).toInt() == 0 ? 0 : qMax(0, stored.value(1).toInt() + 1 - firstOrder);
        for (const ImportedGroup& group : std::as_const(groups)) {
            db.execute(
                QStringLiteral("insert into Tabela1 (titulo1,texto1,texto2,qtd,dataUpd,categoria,ordem) "
                               "values (?,?,?,?,?,?,?)"),
                storedGroupValues(group.content) << group.ordem + shift);
        }
    });
    report.imported = int(groups.size());
    return report;
}

} // namespace zantor
