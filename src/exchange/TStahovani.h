#pragma once

#include "platform/Downloader.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kora {

class Prompter;

// "Stahování": shows how a download goes while the window keeps answering; "Storno" (also Esc
// and the close box) stops it. The window closes itself when the download has finished.
class TStahovani : public QDialog
{
    Q_OBJECT

public:
    TStahovani(const QString &address, QWidget *parent = nullptr);

    // Starts the download, shows this window through the prompter until it has finished and
    // returns how it ended. A window closed before the end cancels the download.
    static DownloadResult fetch(Downloader &downloader, Prompter &prompter, const DownloadRequest &request,
                                QWidget *parent);

    QLabel *lStav() const { return m_lStav; }
    QProgressBar *pbPrubeh() const { return m_pbPrubeh; }
    QPushButton *bStorno() const { return m_bStorno; }

    // Stopping waits for the transfer to end; the window closes then.
    void reject() override;

private:
    void follow(DownloadJob &job);
    void showProgress(qint64 received, qint64 total);
    void bStornoClick();

    DownloadJob *m_job = nullptr;
    QLabel *m_lAdresa;
    QProgressBar *m_pbPrubeh;
    QLabel *m_lStav;
    QPushButton *m_bStorno;
};

} // namespace kora
