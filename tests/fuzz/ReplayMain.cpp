// Feeds every file of the corpus folders named on the command line to the target, in
// name order, as libFuzzer would replay them. A folder with no files fails: a corpus that
// went missing must not pass as a clean run.
#include "FuzzCheck.h"

#include <QDir>
#include <QFile>
#include <cstdio>

extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const QDir corpus(QString::fromLocal8Bit(argv[i]));
        const QStringList files = corpus.entryList(QDir::Files | QDir::Hidden, QDir::Name);
        if (files.isEmpty()) {
            std::fprintf(stderr, "No inputs in %s\n", argv[i]);
            return 1;
        }
        for (const QString& name : files) {
            QFile file(corpus.filePath(name));
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "Cannot read %s\n", qPrintable(file.fileName()));
                return 1;
            }
            const QByteArray input = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.constData()), size_t(input.size()));
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
