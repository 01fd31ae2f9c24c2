// Test helper: `registry_writer ID COUNT` writes COUNT dwords v0, v1, … into
// HKEY_CURRENT_USER\Software\Writers\ID and as many strings ID-0, ID-1, … into
// HKEY_CURRENT_USER\Software\Writers\Shared, each as its own change, in the folder named by
// KORA_CONFIG_DIR. Exits with 1 and a message on stderr when a write fails.
#include "settings/Registry.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fputs("usage: registry_writer ID COUNT\n", stderr);
        return 2;
    }
    const QString id = args[1];
    const int count = args[2].toInt();
    kora::Registry registry;
    QString error;
    for (int i = 0; i < count; ++i) {
        const auto own = registry.openKey(kora::Hive::CurrentUser, QStringLiteral("Software\\Writers\\") + id, true, &error);
        const auto shared = registry.openKey(kora::Hive::CurrentUser, QStringLiteral("Software\\Writers\\Shared"), true, &error);
        if (!own || !shared || !own->writeDword(QStringLiteral("v%1").arg(i), quint32(i), &error)
            || !shared->writeString(QStringLiteral("%1-%2").arg(id).arg(i), id, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    return 0;
}
