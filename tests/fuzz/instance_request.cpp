// The one-copy socket: any line a later start (or anything else) sends is read as some
// request, and that request, written out again, is one line that reads back as the same
// request. The same holds for answers.
#include "FuzzCheck.h"
#include "app/InstanceProtocol.h"

using namespace zantor;
using zantor::fuzz::check;
using zantor::fuzz::checkEqual;

namespace {

QString described(const InstanceRequest& request) {
    QStringList ids;
    for (const int id : request.ids)
        ids << QString::number(id);
    return QStringLiteral("kind %1 titles [%2] ids [%3] file %4 shortcuts %5 unknown \"%6\" token \"%7\"")
        .arg(int(request.kind))
        .arg(request.titles.join(QStringLiteral("|")), ids.join(QLatin1Char(',')),
             QString::fromLatin1(request.importFile.toHex()))
        .arg(request.withShortcuts)
        .arg(request.unknownKind, request.activationToken);
}

// One line, ending with its break: the reader parts requests at line breaks.
QByteArray lineBody(const QByteArray& line) {
    check(line.endsWith('\n'), "a written line ends with its break");
    const QByteArray body = line.chopped(1);
    check(!body.contains('\n'), "a written line holds no other break");
    return body;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray line(reinterpret_cast<const char*>(data), qsizetype(size));

    const InstanceRequest request = instance_protocol::decodeRequest(line);
    const InstanceRequest again =
        instance_protocol::decodeRequest(lineBody(instance_protocol::encodeRequest(request)));
    checkEqual(described(again), described(request), "a request, written and read");
    check(again == request, "a request reads back equal");

    if (const std::optional<CommandResult> answer = instance_protocol::decodeAnswer(line)) {
        const std::optional<CommandResult> answerAgain =
            instance_protocol::decodeAnswer(lineBody(instance_protocol::encodeAnswer(*answer)));
        check(answerAgain.has_value(), "a written answer reads as an answer");
        checkEqual(answerAgain->status, answer->status, "an answer's status");
        checkEqual(answerAgain->output, answer->output, "an answer's output");
        checkEqual(answerAgain->errors, answer->errors, "an answer's errors");
    }
    return 0;
}
