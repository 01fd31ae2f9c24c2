#include "platform/CurlDownloader.h"
#include "support/LocalHttpServer.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace kora {
namespace {

using test::LocalHttpServer;

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class Download : public ::testing::Test
{
protected:
    DownloadResult fetch(const QString &address, qint64 maxBytes = 0)
    {
        const std::unique_ptr<DownloadJob> job = downloader.start({address, target, maxBytes});
        job->waitForFinished();
        EXPECT_TRUE(job->isFinished());
        return job->result();
    }

    QTemporaryDir dir;
    QString target = dir.filePath(QStringLiteral("temp.htm"));
    LocalHttpServer server;
    CurlDownloader downloader{CurlDownloader::Limits{2, 2}};
};

TEST_F(Download, FetchesPagesFollowsRedirectsAndTreatsErrorStatusesAsFailures)
{
    server.route("/page", {200, "<html>stránka</html>"});
    server.route("/old", {302, "", "Location: /page\r\n"});
    server.route("/error", {500, "broken"});
    server.route("/a%20b", {200, "encoded"});

    DownloadResult result = fetch(server.url(QStringLiteral("/old")));
    EXPECT_EQ(result.status, DownloadStatus::Finished) << result.error.toStdString();
    EXPECT_EQ(result.httpStatus, 200);
    EXPECT_EQ(read(target), "<html>stránka</html>");
    EXPECT_EQ(server.requests(), (QStringList{"/old", "/page"}));

    result = fetch(QStringLiteral("  ") + server.url(QStringLiteral("/a b")));
    EXPECT_EQ(result.status, DownloadStatus::Finished) << "a space in the path is sent encoded";
    EXPECT_EQ(read(target), "encoded");

    for (const char *path : {"/missing", "/error"}) {
        result = fetch(server.url(QString::fromLatin1(path)));
        EXPECT_EQ(result.status, DownloadStatus::Failed) << path;
        EXPECT_TRUE(result.error.contains(server.url(QString::fromLatin1(path)))) << result.error.toStdString();
        EXPECT_EQ(read(target), "encoded") << "a failed download leaves the earlier file whole: " << path;
    }
    EXPECT_TRUE(fetch(server.url(QStringLiteral("/missing"))).error.contains(QStringLiteral("404")));
}

TEST_F(Download, RefusesEverythingButWebAddresses)
{
    const char *addresses[] = {"file:///etc/passwd", "javascript:alert(1)", "ftp://127.0.0.1/x", "", "   ", "http://",
                               "mailto:a@b"};
    for (const char *address : addresses) {
        const DownloadResult result = fetch(QString::fromUtf8(address));
        EXPECT_EQ(result.status, DownloadStatus::BadAddress) << address;
        EXPECT_FALSE(result.error.isEmpty()) << address;
    }
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(Download, RedirectsLeadOnlyToWebAddresses)
{
    server.route("/to-file", {302, "", "Location: file:///etc/passwd\r\n"});
    const DownloadResult result = fetch(server.url(QStringLiteral("/to-file")));
    EXPECT_NE(result.status, DownloadStatus::Finished);
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(Download, BodiesOverTheLimitAreRefusedWhetherAnnouncedOrNot)
{
    server.route("/announced", {200, "short", "", 100 * 1024 * 1024});
    server.route("/endless", {200, "", "", -1, LocalHttpServer::Behaviour::Endless});
    server.route("/fits", {200, QByteArray(1000, 'a')});
    for (const char *path : {"/announced", "/endless"}) {
        const DownloadResult result = fetch(server.url(QString::fromLatin1(path)), 1024 * 1024);
        EXPECT_EQ(result.status, DownloadStatus::TooLarge) << path;
        EXPECT_TRUE(result.error.contains(QStringLiteral("1 MB"))) << result.error.toStdString();
        EXPECT_FALSE(QFile::exists(target)) << path;
    }
    EXPECT_EQ(fetch(server.url(QStringLiteral("/fits")), 1000).status, DownloadStatus::Finished);
}

TEST_F(Download, ASilentServerTimesOutOrIsCancelled)
{
    server.route("/silent", {200, "", "", -1, LocalHttpServer::Behaviour::Silent});

    DownloadResult result = fetch(server.url(QStringLiteral("/silent")));
    EXPECT_EQ(result.status, DownloadStatus::TimedOut) << result.error.toStdString();
    EXPECT_FALSE(result.error.isEmpty());

    CurlDownloader patient;
    const std::unique_ptr<DownloadJob> job = patient.start({server.url(QStringLiteral("/silent")), target, 0});
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(job->isFinished());
    job->cancel();
    job->waitForFinished();
    EXPECT_EQ(job->result().status, DownloadStatus::Cancelled);
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(Download, ARefusedConnectionFailsWithAReason)
{
    QString address;
    {
        LocalHttpServer gone;
        address = gone.url(QStringLiteral("/page"));
    }
    const DownloadResult result = fetch(address);
    EXPECT_EQ(result.status, DownloadStatus::Failed);
    EXPECT_TRUE(result.error.startsWith(QStringLiteral("Stránku „"))) << result.error.toStdString();
}

TEST(WebAddress, AddsASchemeEncodesAndRefusesOtherSchemes)
{
    struct Case
    {
        const char *typed;
        const char *fetched; // empty: refused
    };
    const Case cases[] = {
        {"www.example.com", "http://www.example.com"},
        {"  https://example.com/a b  ", "https://example.com/a%20b"},
        {"localhost:8080/x", "http://localhost:8080/x"},
        {"HTTP://Example.com/", "http://example.com/"},
        {"http://příklad.cz/", "http://xn--pklad-zsa96e.cz/"},
        {"file:///etc/passwd", ""},
        {"javascript:alert(1)", ""},
        {"ftp://example.com/", ""},
        {"http://", ""},
        {"", ""},
    };
    for (const Case &c : cases) {
        QString error;
        const std::optional<QUrl> url = webAddress(QString::fromUtf8(c.typed), &error);
        if (*c.fetched == '\0') {
            EXPECT_FALSE(url) << c.typed;
            EXPECT_FALSE(error.isEmpty()) << c.typed;
        } else {
            ASSERT_TRUE(url) << c.typed << ": " << error.toStdString();
            EXPECT_EQ(url->toEncoded().toStdString(), c.fetched) << c.typed;
        }
    }
}

} // namespace
} // namespace kora
