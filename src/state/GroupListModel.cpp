#include "GroupListModel.h"

#include "data/DatabaseError.h"
#include "data/TextEscaping.h"
#include "platform/Pictures.h"

#include <QColor>
#include <QThread>
#include <algorithm>

namespace zantor {

GroupListModel::GroupListModel(QString groupsPath, QObject* parent)
    : QAbstractTableModel(parent)
    , m_groupsPath(std::move(groupsPath)) {}

void GroupListModel::setCategoryPictures(QStringList files) {
    m_categoryPictures = std::move(files);
    m_categoryIcons = QVector<std::optional<QIcon>>(m_categoryPictures.size());
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, GroupColumn), index(rowCount() - 1, GroupColumn), {Qt::DecorationRole});
}

namespace {

// Rows any list shows at once, and more: the main list shows 10, the compact list 15 at
// most.
constexpr int kFirstScreenRows = 32;
// Rows added to the views at a time while the rest comes in: each addition has the
// views lay out their rows again, which must leave the user's events their turn.
constexpr int kRowsPerSlice = 4096;

} // namespace

GroupListModel::~GroupListModel() {
    if (m_restReader)
        m_restReader->wait();
}

namespace {

QByteArray shownText(const QString& stored) {
    // A stored backslash-n is a line break in every list, whichever fill came last.
    QByteArray text = unescapeTextWithLineBreaks(stored).toUtf8();
    // The conversion leaves room for three bytes a character.
    text.squeeze();
    return text;
}

} // namespace

GroupListModel::Row GroupListModel::shownRow(const GroupListRow& stored) {
    return {stored.id, stored.categoria, shownText(stored.titulo1), shownText(stored.texto1)};
}

QVector<GroupListModel::Row> GroupListModel::readRows(const QString& groupsPath, GroupOrder order,
                                                      int expected) {
    QVector<Row> rows;
    rows.reserve(expected);
    forEachGroup(groupsPath, order, [&rows](GroupListRow&& group) { rows.append(shownRow(group)); });
    return rows;
}

void GroupListModel::show(GroupOrder order, QVector<Row> rows, int groupCount) {
    beginResetModel();
    ++m_fills;
    m_order = order;
    m_rows = std::move(rows);
    m_shown = int(m_rows.size());
    m_groupCount = groupCount;
    endResetModel();
}

void GroupListModel::fillGroupList(GroupOrder order) {
    QVector<Row> rows = readRows(m_groupsPath, order, m_groupCount);
    const int count = int(rows.size());
    show(order, std::move(rows), count);
}

void GroupListModel::fillFirstScreen(GroupOrder order) {
    const FirstGroups first = listFirstGroups(m_groupsPath, order, kFirstScreenRows);
    QVector<Row> rows;
    for (const GroupListRow& group : first.rows)
        rows.append(shownRow(group));
    show(order, std::move(rows), first.total);
}

void GroupListModel::readRest(std::function<void(const DatabaseError&)> failed) {
    if (m_rows.size() == m_groupCount) {
        emit restShown();
        return;
    }
    struct Reading {
        QVector<Row> rows;
        std::optional<DatabaseError> error;
    };
    auto reading = std::make_shared<Reading>();
    m_restReader.reset(QThread::create([reading, path = m_groupsPath, order = m_order, count = m_groupCount] {
        try {
            reading->rows = readRows(path, order, count);
        } catch (const DatabaseError& error) {
            reading->error = error;
        }
    }));
    connect(m_restReader.get(), &QThread::finished, this,
            [this, reading, fill = m_fills, failed = std::move(failed)] {
                m_restReader->wait();
                m_restReader.release()->deleteLater();
                if (fill != m_fills)
                    return;
                if (reading->error)
                    failed(*reading->error);
                else
                    takeRest(std::move(reading->rows));
            });
    m_restReader->start();
}

void GroupListModel::takeRest(QVector<Row> rows) {
    // Something else may have written the database in between: then the whole list goes
    // again, as after any refill, its first screen at once and the rest in slices.
    const bool onlyAdded = rows.size() == m_groupCount && rows.size() >= m_rows.size() &&
                           std::equal(m_rows.begin(), m_rows.end(), rows.begin());
    if (onlyAdded) {
        m_rows = std::move(rows);
    } else {
        beginResetModel();
        m_rows = std::move(rows);
        m_shown = std::min(int(m_rows.size()), kFirstScreenRows);
        m_groupCount = int(m_rows.size());
        endResetModel();
    }
    showNextSlice();
}

void GroupListModel::showNextSlice() {
    if (m_shown == m_rows.size()) {
        emit restShown();
        return;
    }
    const int last = std::min(int(m_rows.size()), m_shown + kRowsPerSlice) - 1;
    beginInsertRows({}, m_shown, last);
    m_shown = last + 1;
    endInsertRows();
    // Queued, so that what the user did meanwhile, and the views' layout, come first.
    QMetaObject::invokeMethod(
        this,
        [this, fill = m_fills] {
            if (fill == m_fills)
                showNextSlice();
        },
        Qt::QueuedConnection);
}

void GroupListModel::refill() {
    fillGroupList(m_order);
}

int GroupListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_shown;
}

int GroupListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant GroupListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_shown)
        return {};
    const Row& row = m_rows[index.row()];
    const bool groupColumn = index.column() == GroupColumn;
    switch (role) {
    case Qt::DisplayRole:
        return groupColumn ? QStringLiteral(" ") + QString::fromUtf8(row.title)
                           : QString::fromUtf8(row.items);
    case Qt::DecorationRole:
        // A category with no picture (0 when none was chosen) gives a row without icon.
        if (groupColumn && row.categoria >= 1 && row.categoria <= m_categoryIcons.size()) {
            std::optional<QIcon>& icon = m_categoryIcons[row.categoria - 1];
            if (!icon) {
                const QString& file = m_categoryPictures[row.categoria - 1];
                icon = file.isEmpty() ? QIcon() : picture(file);
            }
            return *icon;
        }
        return {};
    case Qt::ForegroundRole:
        return groupColumn ? QColor(0, 0, 0) : QColor(128, 128, 128);
    case GroupIdRole:
        return row.id;
    case TitleRole:
        return QString::fromUtf8(row.title);
    case SummaryRole:
        return QString::fromUtf8(row.title + ": " + row.items);
    default:
        return {};
    }
}

QVariant GroupListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == GroupColumn ? QStringLiteral("Grupo") : QStringLiteral("Itens");
}

} // namespace zantor
