// Printing through a real print queue: a private print server with a PDF queue, started for the
// test and gone after it. The queue's backend writes each job to a PDF file named by its title.
#include "exchange/OutputCommands.h"
#include "exchange/TForm3.h"
#include "platform/Printer.h"
#include "platform/PrinterSetupDialog.h"
#include "richedit/RichEdit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "support/Poppler.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <grp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

using namespace kora;

namespace {

const char kCupsd[] = "/usr/sbin/cupsd";
const char kPdfBackend[] = "/usr/lib/cups/backend/cups-pdf";
const char kPdfDriver[] = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";

// A print server of its own on a local socket, with one PDF queue that is the default.
class PrintServer
{
public:
    ~PrintServer()
    {
        if (m_cupsd.state() != QProcess::NotRunning) {
            m_cupsd.terminate();
            m_cupsd.waitForFinished(10000);
        }
        if (!m_backendConfig.isEmpty())
            QFile::remove(m_backendConfig);
    }

    // Empty when the server runs with its queue; else why not.
    QString start()
    {
        if (!QFileInfo::exists(kCupsd) || !QFileInfo::exists(kPdfBackend) || !QFileInfo::exists(kPdfDriver))
            return "the print server or its PDF backend is not installed";
        if (geteuid() != 0)
            return "the PDF backend runs only for a server started as root";
        const group *lp = getgrnam("lp");
        if (!lp)
            return "there is no group lp";
        const QString root = m_dir.path();
        for (const char *sub : {"etc", "spool", "cache", "state", "tmp", "log", "out"})
            QDir(root).mkdir(sub);
        // Filters run as lp: the folders they use must be theirs too.
        QFile::setPermissions(root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                        | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        for (const char *sub : {"spool", "cache", "state", "tmp"}) {
            const QByteArray path = QDir(root).filePath(sub).toLocal8Bit();
            if (chown(path.constData(), 0, lp->gr_gid) != 0 || chmod(path.constData(), 01775) != 0)
                return "cannot hand the spool folders to lp";
        }
        write("cups-files.conf", QString("ServerRoot %1/etc\nRequestRoot %1/spool\nCacheDir %1/cache\n"
                                         "StateDir %1/state\nTempDir %1/tmp\nServerBin /usr/lib/cups\n"
                                         "DataDir /usr/share/cups\nErrorLog %1/log/error_log\n"
                                         "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n"
                                         "User lp\nGroup lp\nSystemGroup root\nSandboxing Relaxed\n")
                                     .arg(root));
        write("cupsd.conf", QString("Listen %1\nLogLevel warn\nBrowsing No\nWebInterface No\n"
                                    "DefaultAuthType None\n<Location />\n  Order allow,deny\n  Allow all\n"
                                    "</Location>\n<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                                    "  </Limit>\n</Policy>\n")
                                .arg(socket()));
        m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
        // The server goes with the test even when the test is killed.
        m_cupsd.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_cupsd.start(kCupsd, {"-f", "-c", m_dir.filePath("cupsd.conf"), "-s", m_dir.filePath("cups-files.conf")});
        if (!m_cupsd.waitForStarted(10000))
            return "cupsd does not start";
        QElapsedTimer clock;
        clock.start();
        while (!QFileInfo::exists(socket()) && clock.elapsed() < 15000 && m_cupsd.state() == QProcess::Running)
            QThread::msleep(50);
        if (!QFileInfo::exists(socket()))
            return "cupsd does not listen: " + QString::fromLocal8Bit(m_cupsd.readAll());

        // The backend reads its settings for this queue from a file named after the queue. Files
        // of killed earlier runs go first.
        for (const QFileInfo &stale : QDir("/etc/cups").entryInfoList({"cups-pdf-KoraTest*.conf"}, QDir::Files)) {
            const pid_t owner = stale.completeBaseName().mid(int(qstrlen("cups-pdf-KoraTest"))).toInt();
            if (owner > 0 && kill(owner, 0) != 0 && errno == ESRCH)
                QFile::remove(stale.filePath());
        }
        m_queue = QString("KoraTest%1").arg(getpid());
        m_backendConfig = QString("/etc/cups/cups-pdf-%1.conf").arg(m_queue);
        QFile config(m_backendConfig);
        if (!config.open(QIODevice::WriteOnly))
            return "cannot write " + m_backendConfig;
        config.write(QString("Out %1\nAnonDirName %1\nLabel 0\n").arg(outFolder()).toLocal8Bit());
        config.close();
        for (const QStringList &arguments :
             {QStringList{"-p", m_queue, "-E", "-v", "cups-pdf:/" + m_queue, "-P", kPdfDriver},
              QStringList{"-d", m_queue}}) {
            QProcess lpadmin;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("CUPS_SERVER", socket());
            lpadmin.setProcessEnvironment(environment);
            lpadmin.start("lpadmin", arguments);
            if (!lpadmin.waitForFinished(30000) || lpadmin.exitCode() != 0)
                return "lpadmin failed: " + QString::fromLocal8Bit(lpadmin.readAllStandardError());
        }
        return {};
    }

    QString socket() const { return m_dir.filePath("cups.sock"); }
    QString queue() const { return m_queue; }
    QString outFolder() const { return m_dir.filePath("out"); }

    // The PDF file of the next finished job, waiting for it as long as the job may take.
    QString nextJobFile()
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 60000) {
            for (const QFileInfo &file : QDir(outFolder()).entryInfoList({"*.pdf"}, QDir::Files, QDir::Time)) {
                if (!m_seen.contains(file.fileName()) && file.size() > 0 && file.lastModified().msecsTo(
                                                                                   QDateTime::currentDateTime())
                                                                               > 500) {
                    m_seen << file.fileName();
                    return file.filePath();
                }
            }
            QThread::msleep(100);
        }
        return {};
    }

private:
    void write(const char *name, const QString &text)
    {
        QFile file(m_dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(text.toLocal8Bit());
    }

    QTemporaryDir m_dir;
    QProcess m_cupsd;
    QString m_queue;
    QString m_backendConfig;
    QStringList m_seen;
};

class CupsQueue : public ::testing::Test
{
protected:
    // One server for the process: the print support keeps asking the first server it found.
    static void SetUpTestSuite()
    {
        server = new PrintServer;
        why = server->start();
        if (why.isEmpty())
            qputenv("CUPS_SERVER", server->socket().toLocal8Bit());
    }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }
    void SetUp() override
    {
        if (!why.isEmpty())
            GTEST_SKIP() << why.toStdString();
    }

    static inline PrintServer *server = nullptr;
    static inline QString why;
    RichEdit editor;
    test::ScriptedPrompter prompter;
    SystemPrinter printer;
    TForm3 form3;
    OutputCommands commands{editor, prompter, printer, form3};
};

} // namespace

TEST_F(CupsQueue, MenuAndToolbarPrintReachTheQueueWithTheirJobTitles)
{
    ASSERT_TRUE(printer.isInstalled());
    EXPECT_EQ(printer.device().printerName(), server->queue()) << "the default printer";
    QString text;
    for (int i = 0; i < 90; ++i)
        text += QString("Řádek %1: příliš žluťoučký kůň\r\n").arg(i);
    editor.setText(text);

    prompter.answerPrinter(true);
    commands.mTiskClick();
    EXPECT_TRUE(prompter.messageTexts().isEmpty()) << prompter.messageTexts().join(", ").toStdString();
    const QString menuJob = server->nextJobFile();
    ASSERT_FALSE(menuJob.isEmpty()) << "the queue wrote no file";
    EXPECT_TRUE(QFileInfo(menuJob).fileName().startsWith("jmenosouboru")) << menuJob.toStdString();
    // The queue's backend sets the text again in fonts of its own, whose letters read back as
    // other characters: the words can be counted, not read.
    EXPECT_EQ(test::wordsOf(test::pdfText(menuJob)).size(), test::wordsOf(text).size());
    EXPECT_EQ(test::pdfPages(menuJob), 2);

    commands.tbTiskClick();
    EXPECT_TRUE(prompter.messageTexts().isEmpty()) << prompter.messageTexts().join(", ").toStdString();
    const QString toolbarJob = server->nextJobFile();
    ASSERT_FALSE(toolbarJob.isEmpty()) << "the queue wrote no file";
    EXPECT_FALSE(QFileInfo(toolbarJob).fileName().contains("jmenosouboru")) << toolbarJob.toStdString();
    EXPECT_EQ(test::wordsOf(test::pdfText(toolbarJob)).size(), test::wordsOf(text).size());
}

TEST_F(CupsQueue, SetUpDialogOffersTheQueueWithItsPaperSizes)
{
    const QList<PrinterDescription> printers = PrinterSetupDialog::systemPrinters();
    ASSERT_EQ(printers.size(), 1);
    EXPECT_EQ(printers[0].name, server->queue());
    bool a4 = false;
    for (const QPageSize &size : printers[0].pageSizes)
        a4 = a4 || size.id() == QPageSize::A4;
    EXPECT_TRUE(a4);

    PrinterSetupDialog dialog(printers);
    dialog.readFrom(printer.device());
    EXPECT_EQ(dialog.printerName(), server->queue());
}
