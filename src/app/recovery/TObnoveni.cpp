#include "app/recovery/TObnoveni.h"

#include "platform/Prompter.h"
#include "richedit/DocumentCodec.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace kora {

namespace {

constexpr int kPreviewLength = 80;

QString documentName(const RecoveryCopy &copy)
{
    return copy.fileName.isEmpty() ? QStringLiteral("Bez Názvu") : QFileInfo(copy.fileName).fileName();
}

QString preview(const QByteArray &rtf)
{
    QTextDocument document;
    documentcodec::loadBytes(rtf, DocumentKind::Rtf, document);
    QString text = documentcodec::plainText(document).simplified();
    if (text.size() > kPreviewLength)
        text = text.left(kPreviewLength) + QStringLiteral("…");
    return text;
}

} // namespace

QString TObnoveni::describe(const RecoveryCopy &copy)
{
    QString line = documentName(copy);
    if (!copy.fileName.isEmpty())
        line += QStringLiteral(" (%1)").arg(QFileInfo(copy.fileName).absolutePath());
    line += QStringLiteral(", uloženo %1").arg(copy.written.toString(QStringLiteral("d. M. yyyy H:mm")));
    const QString text = preview(copy.rtf);
    return text.isEmpty() ? line : line + u'\n' + text;
}

TObnoveni::TObnoveni(Prompter &prompter, QList<RecoveryCopy> copies, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_copies(std::move(copies))
{
    setObjectName(QStringLiteral("Obnoveni"));
    setWindowTitle(QStringLiteral("Obnovení dokumentů"));

    auto *intro = new QLabel(QStringLiteral("Program minule skončil dřív, než se tyto dokumenty uložily. "
                                            "Vyberte dokument, který chcete obnovit:"),
                             this);
    intro->setWordWrap(true);
    m_lbKopie = new QListWidget(this);
    m_lbKopie->setObjectName(QStringLiteral("lbKopie"));
    m_lbKopie->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lbKopie->setWordWrap(true);
    m_lbKopie->setAlternatingRowColors(true);
    intro->setBuddy(m_lbKopie);
    for (int i = 0; i < m_copies.size(); ++i) {
        auto *item = new QListWidgetItem(describe(m_copies[i]), m_lbKopie);
        item->setToolTip(m_copies[i].fileName.isEmpty() ? documentName(m_copies[i]) : m_copies[i].fileName);
        m_rows.append(i);
    }
    m_lbKopie->setCurrentRow(0);
    auto *later = new QLabel(QStringLiteral("Dokumenty, které neobnovíte ani nezahodíte, program nabídne "
                                            "při příštím spuštění."),
                             this);
    later->setWordWrap(true);

    m_bObnovit = new QPushButton(QStringLiteral("&Obnovit"), this);
    m_bObnovit->setObjectName(QStringLiteral("bObnovit"));
    m_bObnovit->setDefault(true);
    m_bZahodit = new QPushButton(QStringLiteral("&Zahodit"), this);
    m_bZahodit->setObjectName(QStringLiteral("bZahodit"));
    m_bPozdeji = new QPushButton(QStringLiteral("&Později"), this);
    m_bPozdeji->setObjectName(QStringLiteral("bPozdeji"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_bObnovit);
    buttons->addWidget(m_bZahodit);
    buttons->addWidget(m_bPozdeji);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_lbKopie, 1);
    layout->addWidget(later);
    layout->addLayout(buttons);
    resize(520, 320);

    connect(m_bObnovit, &QPushButton::clicked, this, &TObnoveni::bObnovitClick);
    connect(m_bZahodit, &QPushButton::clicked, this, &TObnoveni::bZahoditClick);
    connect(m_bPozdeji, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_lbKopie, &QListWidget::itemDoubleClicked, this, &TObnoveni::bObnovitClick);
    connect(m_lbKopie, &QListWidget::currentRowChanged, this, &TObnoveni::updateButtons);
    updateButtons();
}

void TObnoveni::updateButtons()
{
    const bool chosen = m_lbKopie->currentRow() >= 0;
    m_bObnovit->setEnabled(chosen);
    m_bZahodit->setEnabled(chosen);
}

void TObnoveni::bObnovitClick()
{
    const int row = m_lbKopie->currentRow();
    if (row < 0)
        return;
    m_restoreIndex = m_rows[row];
    accept();
}

void TObnoveni::bZahoditClick()
{
    const int row = m_lbKopie->currentRow();
    if (row < 0)
        return;
    const RecoveryCopy &copy = m_copies[m_rows[row]];
    const PromptButton answer = m_prompter.ask(
        MessageKind::Confirmation,
        QStringLiteral("Zahodit neuložený dokument „%1“? Jeho obsah bude ztracen.").arg(documentName(copy)),
        ButtonYes | ButtonNo);
    if (answer != ButtonYes)
        return;
    m_discarded.append(copy.id);
    m_rows.removeAt(row);
    delete m_lbKopie->takeItem(row);
    if (m_rows.isEmpty())
        reject();
}

void offerRecoveryCopies(RecoveryStore &store, Prompter &prompter, QWidget *parent,
                         const std::function<bool(const RecoveryCopy &)> &restore)
{
    const QList<RecoveryCopy> copies = store.claimOrphans();
    if (copies.isEmpty())
        return;
    TObnoveni dialog(prompter, copies, parent);
    prompter.execDialog(&dialog);
    for (const QString &id : dialog.discardedIds())
        store.discard(id);
    if (dialog.restoreIndex() >= 0) {
        const RecoveryCopy &chosen = copies[dialog.restoreIndex()];
        if (restore(chosen))
            store.discard(chosen.id);
    }
    store.releaseOrphans();
}

} // namespace kora
