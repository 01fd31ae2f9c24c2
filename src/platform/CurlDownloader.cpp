#include "platform/CurlDownloader.h"

#include <QDir>
#include <QSaveFile>

#include <curl/curl.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace kora {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kProgressInterval = std::chrono::milliseconds(100);

QString sizeText(qint64 bytes)
{
    if (bytes >= 1024 * 1024)
        return QStringLiteral("%1 MB").arg(bytes / (1024 * 1024));
    return QStringLiteral("%1 kB").arg(std::max<qint64>(bytes / 1024, 1));
}

class CurlJob : public DownloadJob
{
public:
    CurlJob(const DownloadRequest &request, CurlDownloader::Limits limits)
        : m_request(request)
        , m_limits(limits)
    {
        QString error;
        const std::optional<QUrl> url = webAddress(request.address, &error);
        if (!url) {
            finish({DownloadStatus::BadAddress, error});
            return;
        }
        m_url = *url;
        m_thread = std::thread([this] { run(); });
    }

    ~CurlJob() override
    {
        cancel();
        waitForFinished();
    }

    void cancel() override { m_cancel = true; }
    bool isFinished() const override { return m_done.load(std::memory_order_acquire); }
    DownloadResult result() const override
    {
        std::lock_guard lock(m_mutex);
        return m_result;
    }
    void waitForFinished() override
    {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    void finish(const DownloadResult &result)
    {
        {
            std::lock_guard lock(m_mutex);
            m_result = result;
        }
        m_done.store(true, std::memory_order_release);
        QMetaObject::invokeMethod(
            this, [this] { emit finished(); }, Qt::QueuedConnection);
    }

    QString shownAddress() const { return m_url.toDisplayString(); }

    void run()
    {
        QSaveFile file(m_request.targetPath);
        if (!file.open(QIODevice::WriteOnly)) {
            finish(
                {DownloadStatus::Failed, QStringLiteral("Soubor „%1“ nelze vytvořit: %2")
                                             .arg(QDir::toNativeSeparators(m_request.targetPath), file.errorString())});
            return;
        }
        m_file = &file;
        CURL *curl = curl_easy_init();
        if (!curl) {
            finish({DownloadStatus::Failed, QStringLiteral("Stahování nelze spustit.")});
            return;
        }
        char errorBuffer[CURL_ERROR_SIZE] = {};
        const QByteArray address = m_url.toEncoded();
        curl_easy_setopt(curl, CURLOPT_URL, address.constData());
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
        curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, long(m_limits.connectSeconds));
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, long(m_limits.stallSeconds));
        curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
        curl_easy_setopt(curl, CURLOPT_USERAGENT, "KORA Editor");
        curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
        if (m_request.maxBytes > 0)
            curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(m_request.maxBytes));
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &CurlJob::write);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &CurlJob::transferInfo);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);

        const CURLcode code = curl_easy_perform(curl);
        long httpStatus = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &httpStatus);
        curl_easy_cleanup(curl);
        m_file = nullptr;

        DownloadResult result = outcome(code, errorBuffer);
        result.httpStatus = int(httpStatus);
        result.bytes = m_received;
        if (code == CURLE_HTTP_RETURNED_ERROR)
            result.error = QStringLiteral("Server odpověděl na „%1“ chybou %2.").arg(shownAddress()).arg(httpStatus);
        if (result.status == DownloadStatus::Finished && !file.commit()) {
            result = {DownloadStatus::Failed,
                      QStringLiteral("Soubor „%1“ nelze zapsat: %2")
                          .arg(QDir::toNativeSeparators(m_request.targetPath), file.errorString())};
        }
        finish(result);
    }

    DownloadResult outcome(CURLcode code, const char *errorBuffer) const
    {
        if (m_cancel)
            return {DownloadStatus::Cancelled, QStringLiteral("Stahování bylo přerušeno.")};
        switch (code) {
        case CURLE_OK:
            return {DownloadStatus::Finished, QString()};
        case CURLE_FILESIZE_EXCEEDED:
            return tooLarge();
        case CURLE_WRITE_ERROR:
            if (m_tooLarge)
                return tooLarge();
            return {DownloadStatus::Failed,
                    QStringLiteral("Soubor „%1“ nelze zapsat.").arg(QDir::toNativeSeparators(m_request.targetPath))};
        case CURLE_OPERATION_TIMEDOUT:
            return {DownloadStatus::TimedOut,
                    QStringLiteral("Server stránky „%1“ neodpověděl včas.").arg(shownAddress())};
        default:
            break;
        }
        const QString reason =
            errorBuffer[0] ? QString::fromUtf8(errorBuffer) : QString::fromUtf8(curl_easy_strerror(code));
        return {DownloadStatus::Failed, QStringLiteral("Stránku „%1“ nelze stáhnout: %2").arg(shownAddress(), reason)};
    }

    DownloadResult tooLarge() const
    {
        return {DownloadStatus::TooLarge, QStringLiteral("Stránka „%1“ je větší než %2; tak velkou KORA Editor "
                                                         "nestahuje.")
                                              .arg(shownAddress(), sizeText(m_request.maxBytes))};
    }

    static size_t write(char *data, size_t size, size_t count, void *user)
    {
        auto *job = static_cast<CurlJob *>(user);
        const qint64 length = qint64(size * count);
        if (job->m_cancel)
            return 0;
        if (job->m_request.maxBytes > 0 && job->m_received + length > job->m_request.maxBytes) {
            job->m_tooLarge = true;
            return 0;
        }
        if (job->m_file->write(data, length) != length)
            return 0;
        job->m_received += length;
        return size_t(length);
    }

    static int transferInfo(void *user, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t)
    {
        auto *job = static_cast<CurlJob *>(user);
        if (job->m_cancel)
            return 1;
        const Clock::time_point time = Clock::now();
        if (time - job->m_lastProgress >= kProgressInterval) {
            job->m_lastProgress = time;
            const qint64 received = now;
            const qint64 expected = total > 0 ? qint64(total) : -1;
            QMetaObject::invokeMethod(
                job, [job, received, expected] { emit job->progress(received, expected); }, Qt::QueuedConnection);
        }
        return 0;
    }

    const DownloadRequest m_request;
    const CurlDownloader::Limits m_limits;
    QUrl m_url;
    std::atomic_bool m_cancel{false};
    std::atomic_bool m_done{false};
    mutable std::mutex m_mutex;
    DownloadResult m_result;
    // Used by the transfer thread alone.
    QSaveFile *m_file = nullptr;
    qint64 m_received = 0;
    bool m_tooLarge = false;
    Clock::time_point m_lastProgress;
    std::thread m_thread;
};

} // namespace

CurlDownloader::CurlDownloader()
    : CurlDownloader(Limits{})
{
}

CurlDownloader::CurlDownloader(Limits limits)
    : m_limits(limits)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::unique_ptr<DownloadJob> CurlDownloader::start(const DownloadRequest &request)
{
    return std::make_unique<CurlJob>(request, m_limits);
}

} // namespace kora
