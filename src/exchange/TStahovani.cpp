#include "exchange/TStahovani.h"

#include "platform/Prompter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kora {

TStahovani::TStahovani(const QString &address, QWidget *parent)
    : QDialog(parent)
    , m_lAdresa(new QLabel(this))
    , m_pbPrubeh(new QProgressBar(this))
    , m_lStav(new QLabel(QStringLiteral("Připojuji se…"), this))
    , m_bStorno(new QPushButton(QStringLiteral("Storno"), this))
{
    setObjectName(QStringLiteral("Stahovani"));
    setWindowTitle(QStringLiteral("Stahování"));
    m_lAdresa->setObjectName(QStringLiteral("lAdresa"));
    m_lAdresa->setTextFormat(Qt::PlainText);
    m_lAdresa->setMinimumWidth(400);
    m_lAdresa->setText(fontMetrics().elidedText(address, Qt::ElideMiddle, 400));
    m_lAdresa->setToolTip(address);
    m_pbPrubeh->setObjectName(QStringLiteral("pbPrubeh"));
    m_pbPrubeh->setRange(0, 0);
    m_lStav->setObjectName(QStringLiteral("lStav"));
    m_bStorno->setObjectName(QStringLiteral("bStorno"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_lStav, 1);
    buttons->addWidget(m_bStorno);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lAdresa);
    layout->addWidget(m_pbPrubeh);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_bStorno, &QPushButton::clicked, this, &TStahovani::bStornoClick);
}

DownloadResult TStahovani::fetch(Downloader &downloader, Prompter &prompter, const DownloadRequest &request,
                                 QWidget *parent)
{
    TStahovani window(request.address, parent);
    const std::unique_ptr<DownloadJob> job = downloader.start(request);
    window.follow(*job);
    prompter.execDialog(&window);
    if (!job->isFinished()) {
        job->cancel();
        job->waitForFinished();
    }
    return job->result();
}

void TStahovani::follow(DownloadJob &job)
{
    m_job = &job;
    connect(&job, &DownloadJob::progress, this, &TStahovani::showProgress);
    connect(&job, &DownloadJob::finished, this, [this] { QDialog::done(Accepted); });
}

void TStahovani::showProgress(qint64 received, qint64 total)
{
    const QLocale czech(QLocale::Czech);
    if (total > 0) {
        m_pbPrubeh->setRange(0, 1000);
        m_pbPrubeh->setValue(int(std::min<qint64>(received, total) * 1000 / total));
        m_lStav->setText(
            QStringLiteral("%1 z %2").arg(czech.formattedDataSize(received), czech.formattedDataSize(total)));
    } else {
        m_lStav->setText(czech.formattedDataSize(received));
    }
}

void TStahovani::bStornoClick()
{
    if (!m_job || m_job->isFinished()) {
        QDialog::done(Rejected);
        return;
    }
    m_job->cancel();
    m_bStorno->setEnabled(false);
    m_lStav->setText(QStringLiteral("Přerušuji…"));
}

void TStahovani::reject()
{
    bStornoClick();
}

} // namespace kora
