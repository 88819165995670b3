#include "QtTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zantor {

QLocale qtTextsLocale(const QLocale& system) {
    return system.language() == QLocale::Portuguese ? system : QLocale(QLocale::Portuguese, QLocale::Brazil);
}

bool installQtTranslations(QCoreApplication& app) {
    const QLocale locale = qtTextsLocale(QLocale::system());
    QLocale::setDefault(locale);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* translator = new QTranslator(&app);
    // Qt ships no translation for every variant (none for Portugal's): Brazil's then.
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder) &&
        !translator->load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
                          QStringLiteral("_"), folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace zantor
