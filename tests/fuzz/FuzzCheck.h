#pragma once

#include <QDebug>
#include <QString>
#include <cstdint>
#include <cstdlib>

// Every target's entry, called by libFuzzer or by the replay main with one input.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace zantor::fuzz {

// A failed round trip is a fault like a crash: it stops the run, with the values that
// differ, so that libFuzzer keeps the input that found it.
template <typename T> void checkEqual(const T& actual, const T& expected, const char* what) {
    if (actual == expected)
        return;
    qCritical().noquote() << "Round trip failed:" << what;
    qCritical() << "  got     " << actual;
    qCritical() << "  expected" << expected;
    std::abort();
}

// `about` names what was checked, for the report.
inline void check(bool holds, const char* what, const QString& about = {}) {
    if (holds)
        return;
    qCritical().noquote() << "Check failed:" << what;
    if (!about.isNull())
        qCritical() << "  about" << about;
    std::abort();
}

// The input cut into texts at each `separator` byte, each read as UTF-8: one corpus file
// holds several fields and stays readable.
inline QStringList fields(const uint8_t* data, size_t size, char separator = '\0') {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList texts;
    for (const QByteArray& field : bytes.split(separator))
        texts << QString::fromUtf8(field);
    return texts;
}

} // namespace zantor::fuzz
