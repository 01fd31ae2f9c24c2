#pragma once

#include "platform/Downloader.h"

namespace kora {

// Downloads over http and https with libcurl, each job on a thread of its own so that the
// window keeps answering: the system's certificates, redirects followed (only to http and
// https), an HTTP status of 400 or more a failure, compressed bodies unpacked (the size limit
// counts the unpacked bytes).
class CurlDownloader : public Downloader
{
public:
    struct Limits
    {
        int connectSeconds = 20; // to reach the server
        int stallSeconds = 30;   // without a single byte arriving
    };

    CurlDownloader();
    explicit CurlDownloader(Limits limits);

    std::unique_ptr<DownloadJob> start(const DownloadRequest &request) override;

private:
    Limits m_limits;
};

} // namespace kora
