#include "platform/XdgMailClient.h"

#include "text/SafeSave.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <memory>

namespace kora {

namespace {

// xdg-email's exit statuses.
enum XdgExit { Syntax = 1, FileMissing = 2, NoMethod = 3, OperationFailed = 4, FileNotReadable = 5 };

// Simple mail interface codes.
constexpr int kGeneralFailure = 2;
constexpr int kLoginFailure = 3;
constexpr int kAttachmentNotFound = 11;
constexpr int kAttachmentOpenFailure = 12;

MailResult failure(int code)
{
    return {code, mailErrorText(code)};
}

} // namespace

XdgMailClient::XdgMailClient(QString spillFolder, QString program)
    : m_spillFolder(std::move(spillFolder))
    , m_program(std::move(program))
{
}

MailResult XdgMailClient::compose(const MailMessage &message)
{
    QStringList attachments = message.attachments;
    for (const QString &path : attachments) {
        if (!QFileInfo(path).isFile())
            return {kAttachmentNotFound, missingAttachmentText(path)};
    }
    QString body = message.body;
    if (body.toUtf8().size() > kMaxBodyBytes) {
        const QString path = QDir(m_spillFolder).filePath(kBodyFileName);
        QString error;
        if (!saveFileSafely(path, body.toUtf8(),
                            QStringLiteral("Soubor „%1“ nelze uložit.").arg(QDir::toNativeSeparators(path)), &error)) {
            return {kGeneralFailure, error};
        }
        attachments.prepend(path);
        body = QStringLiteral("Text dokumentu je na tělo zprávy příliš dlouhý, je v příloze %1.").arg(kBodyFileName);
    }

    QStringList arguments{QStringLiteral("--utf8")};
    if (!message.subject.isEmpty())
        arguments << QStringLiteral("--subject") << message.subject;
    if (!body.isEmpty())
        arguments << QStringLiteral("--body") << body;
    for (const QString &path : attachments)
        arguments << QStringLiteral("--attach") << QFileInfo(path).absoluteFilePath();

    auto process = std::make_unique<QProcess>();
    // A client started by xdg-email may live on and talk: nobody reads it.
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start(m_program, arguments);
    if (!process->waitForStarted()) {
        return {MailResult::kNotStarted,
                QStringLiteral("Poštovní program nelze spustit: „%1“ (%2)").arg(m_program, process->errorString())};
    }

    // The windows stay painted but take no input while the message is handed over.
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(process.get(), &QProcess::finished, &loop, &QEventLoop::quit);
    timeout.start(kHandOverMilliseconds);
    if (process->state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (process->state() != QProcess::NotRunning) {
        // The client keeps the message: it goes on alone and the process object goes when it ends.
        QProcess *running = process.release();
        running->setParent(QCoreApplication::instance());
        QObject::connect(running, &QProcess::finished, running, &QObject::deleteLater);
        return {};
    }

    if (process->exitStatus() != QProcess::NormalExit)
        return failure(kGeneralFailure);
    switch (process->exitCode()) {
    case 0:
        return {};
    case FileMissing:
        for (const QString &path : attachments) {
            if (!QFileInfo(path).isFile())
                return {kAttachmentNotFound, missingAttachmentText(path)};
        }
        return failure(kAttachmentNotFound);
    case FileNotReadable:
        return failure(kAttachmentOpenFailure);
    case NoMethod:
        return failure(kLoginFailure);
    case Syntax:
    case OperationFailed:
    default:
        return failure(kGeneralFailure);
    }
}

} // namespace kora
