#include "text/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kora {

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

bool readWholeFile(const QString &path, QByteArray *data, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        setError(error, QStringLiteral("Soubor „%1“ neexistuje.").arg(shown(path)));
        return false;
    }
    if (info.isDir()) {
        setError(error, QStringLiteral("„%1“ je složka, ne soubor.").arg(shown(path)));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString reason = file.error() == QFileDevice::PermissionsError ? QStringLiteral("přístup odepřen")
                                                                             : file.errorString();
        setError(error, QStringLiteral("Soubor „%1“ nelze otevřít (%2).").arg(shown(path), reason));
        return false;
    }
    *data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        setError(error, QStringLiteral("Soubor „%1“ nelze přečíst (%2).").arg(shown(path), file.errorString()));
        return false;
    }
    return true;
}

bool saveFileSafely(const QString &path, const QByteArray &data, const QString &writeFailureText, QString *error)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        setError(error, QStringLiteral("„%1“ je složka, ne soubor.").arg(shown(path)));
        return false;
    }
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir()) {
        setError(error, QStringLiteral("Soubor „%1“ nelze vytvořit: složka „%2“ neexistuje.")
                            .arg(shown(path), shown(info.absolutePath())));
        return false;
    }
    // A file without write permission stays unchanged even for a user who could override it.
    const auto writeBits = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (info.exists() && (!info.isWritable() || !(info.permissions() & writeBits))) {
        setError(error, QStringLiteral("Soubor „%1“ je jen pro čtení a nelze jej přepsat.").arg(shown(path)));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        const QString reason = folder.isWritable() ? file.errorString() : QStringLiteral("do složky nelze zapisovat");
        setError(error, QStringLiteral("Soubor „%1“ nelze vytvořit (%2).").arg(shown(path), reason));
        return false;
    }
    if (file.write(data) != data.size() || !file.flush()) {
        file.cancelWriting();
        file.commit();
        setError(error, writeFailureText);
        return false;
    }
    if (!file.commit()) {
        setError(error, writeFailureText);
        return false;
    }
    return true;
}

} // namespace kora
