#include "InstanceProtocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace zantor {

InstanceRequest InstanceRequest::show(const QString& activationToken) {
    InstanceRequest request(Kind::Show);
    request.activationToken = activationToken;
    return request;
}

InstanceRequest InstanceRequest::openTitles(const QStringList& titles) {
    InstanceRequest request(Kind::OpenByTitles);
    request.titles = titles;
    return request;
}

InstanceRequest InstanceRequest::openIds(const QVector<int>& ids) {
    InstanceRequest request(Kind::OpenByIds);
    request.ids = ids;
    return request;
}

InstanceRequest InstanceRequest::importGroups(const QByteArray& file, bool withShortcuts) {
    InstanceRequest request(Kind::Import);
    request.importFile = file;
    request.withShortcuts = withShortcuts;
    return request;
}

namespace instance_protocol {

namespace {

const QString kKind = QStringLiteral("pedido");
const QString kShow = QStringLiteral("mostrar");
const QString kOpenByTitles = QStringLiteral("abrir");
const QString kOpenByIds = QStringLiteral("abrir-id");
const QString kImport = QStringLiteral("importar");
const QString kTitles = QStringLiteral("titulos");
const QString kIds = QStringLiteral("ids");
// The export file in base64, as JSON holds no raw bytes.
const QString kImportFile = QStringLiteral("conteudo");
const QString kWithShortcuts = QStringLiteral("atalhos");
const QString kActivationToken = QStringLiteral("ativacao");

const QString kStatus = QStringLiteral("status");
const QString kOutput = QStringLiteral("saida");
const QString kErrors = QStringLiteral("erros");

QByteArray line(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

} // namespace

QByteArray encodeRequest(const InstanceRequest& request) {
    using Kind = InstanceRequest::Kind;
    switch (request.kind) {
    case Kind::Show:
        if (request.activationToken.isEmpty())
            return line({{kKind, kShow}});
        return line({{kKind, kShow}, {kActivationToken, request.activationToken}});
    case Kind::OpenByTitles:
        return line({{kKind, kOpenByTitles}, {kTitles, QJsonArray::fromStringList(request.titles)}});
    case Kind::OpenByIds: {
        QJsonArray ids;
        for (const int id : request.ids)
            ids.append(id);
        return line({{kKind, kOpenByIds}, {kIds, ids}});
    }
    case Kind::Import: {
        QByteArray whole;
        sendRequest(request, [&whole](const QByteArray& piece) {
            whole += piece;
            return true;
        });
        return whole;
    }
    case Kind::Unknown:
        break;
    }
    return line({{kKind, request.unknownKind}});
}

bool sendRequest(const InstanceRequest& request, const std::function<bool(const QByteArray&)>& send) {
    if (request.kind != InstanceRequest::Kind::Import)
        return send(encodeRequest(request));
    // The line QJsonDocument would write, its keys in order, made by hand: base64 needs
    // no escaping, and the file goes through in pieces of whole base64 groups.
    const QByteArray start = "{\"" + kWithShortcuts.toLatin1() +
                             "\":" + (request.withShortcuts ? "true" : "false") + ",\"" +
                             kImportFile.toLatin1() + "\":\"";
    if (!send(start))
        return false;
    constexpr qsizetype kPiece = 3 << 16;
    const QByteArray& file = request.importFile;
    for (qsizetype at = 0; at < file.size(); at += kPiece) {
        if (!send(QByteArray::fromRawData(file.constData() + at, std::min(kPiece, file.size() - at))
                      .toBase64()))
            return false;
    }
    return send("\",\"" + kKind.toLatin1() + "\":\"" + kImport.toLatin1() + "\"}\n");
}

InstanceRequest decodeRequest(const QByteArray& line) {
    const QJsonObject object = QJsonDocument::fromJson(line).object();
    const QString kind = object.value(kKind).toString();
    if (kind == kShow)
        return InstanceRequest::show(object.value(kActivationToken).toString());
    if (kind == kOpenByTitles) {
        QStringList titles;
        for (const QJsonValue& title : object.value(kTitles).toArray())
            titles << title.toString();
        return InstanceRequest::openTitles(titles);
    }
    if (kind == kOpenByIds) {
        QVector<int> ids;
        for (const QJsonValue& id : object.value(kIds).toArray())
            ids << id.toInt();
        return InstanceRequest::openIds(ids);
    }
    if (kind == kImport)
        return InstanceRequest::importGroups(
            QByteArray::fromBase64(object.value(kImportFile).toString().toLatin1()),
            object.value(kWithShortcuts).toBool());
    InstanceRequest unknown;
    unknown.unknownKind = kind;
    return unknown;
}

QByteArray encodeAnswer(const CommandResult& answer) {
    return line({{kStatus, answer.status}, {kOutput, answer.output}, {kErrors, answer.errors}});
}

std::optional<CommandResult> decodeAnswer(const QByteArray& line) {
    const QJsonObject object = QJsonDocument::fromJson(line).object();
    if (!object.value(kStatus).isDouble())
        return std::nullopt;
    return CommandResult{object.value(kStatus).toInt(), object.value(kOutput).toString(),
                         object.value(kErrors).toString()};
}

CommandResult unknownRequestAnswer(const InstanceRequest& request) {
    return CommandResult::failure(
        exit_status::kUsage,
        QStringLiteral("Pedido desconhecido para o Zantor aberto: \"%1\".\n").arg(request.unknownKind));
}

} // namespace instance_protocol

} // namespace zantor
