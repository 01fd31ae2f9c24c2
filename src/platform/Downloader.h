#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <memory>
#include <optional>

namespace kora {

// What one download is to fetch and where it goes.
struct DownloadRequest
{
    QString address;     // as the user typed it
    QString targetPath;  // receives the body; written only when the whole body has arrived
    qint64 maxBytes = 0; // a larger body is refused; 0: no limit
};

enum class DownloadStatus {
    Finished,   // the whole body is in the target file
    BadAddress, // not an http or https address
    Failed,     // no such host, no connection, an HTTP error status, a broken transfer
    TimedOut,   // no connection or no data within the time limits
    TooLarge,   // the body is larger than maxBytes
    Cancelled,  // cancel() stopped it
};

struct DownloadResult
{
    DownloadStatus status = DownloadStatus::Failed;
    QString error; // Czech and naming the address; empty when finished
    int httpStatus = 0;
    qint64 bytes = 0;
};

// One running download. Its signals arrive on the thread that started it.
class DownloadJob : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Stops the transfer soon; the job still finishes, with the status Cancelled.
    virtual void cancel() = 0;
    virtual bool isFinished() const = 0;
    // Valid once finished.
    virtual DownloadResult result() const = 0;
    // Blocks until the job has finished; after cancel() that takes a moment at most.
    virtual void waitForFinished() = 0;

signals:
    // `total` is -1 while the size is not known.
    void progress(qint64 received, qint64 total);
    void finished();
};

// Fetches web addresses into files; every request runs as its own job.
class Downloader
{
public:
    virtual ~Downloader() = default;
    virtual std::unique_ptr<DownloadJob> start(const DownloadRequest &request) = 0;
};

// The address with surrounding spaces dropped and "http://" put in front when it names no scheme
// ("localhost:8080" names a port, not a scheme).
QString withWebScheme(const QString &typed);

// The address to fetch for what the user typed: surrounding spaces dropped, "http://" put in
// front when no scheme is given, spaces in the path encoded, host names in any script. Nothing,
// with the Czech reason in `error`, when the scheme is not http or https or no host is named.
std::optional<QUrl> webAddress(const QString &typed, QString *error = nullptr);

} // namespace kora
