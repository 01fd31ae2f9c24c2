#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kora {

bool installQtTranslations(QCoreApplication &application)
{
    auto *translator = new QTranslator(&application);
    if (!translator->load(QLocale(QLocale::Czech, QLocale::CzechRepublic), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace kora
