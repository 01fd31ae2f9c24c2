#include "editing/insertion/PasteSpecialDialog.h"

#include "richedit/RtfReader.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace kora {

QList<PasteForm> pasteForms(const QMimeData *data)
{
    QList<PasteForm> forms;
    if (!data)
        return forms;
    for (const QLatin1StringView mime : {QLatin1StringView("text/rtf"), QLatin1StringView("application/rtf")}) {
        if (data->hasFormat(mime) && rtf::looksLikeRtf(data->data(mime))) {
            forms << PasteForm::Rtf << PasteForm::RtfWithoutObjects;
            break;
        }
    }
    if (data->hasText() && !data->text().isEmpty())
        forms << PasteForm::PlainText;
    if (data->hasImage())
        forms << PasteForm::Picture;
    const QList<QUrl> urls = data->urls();
    if (!urls.isEmpty() && std::all_of(urls.begin(), urls.end(), [](const QUrl &url) { return url.isLocalFile(); }))
        forms << PasteForm::EmbeddedFiles << PasteForm::LinkedFiles;
    return forms;
}

PasteSpecialDialog::PasteSpecialDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("VlozitSpecial"));
    setWindowTitle(tr("Vložit speciál"));

    m_lbJako = new QListWidget(this);
    m_lbJako->setObjectName(QStringLiteral("lbJako"));
    m_lbJako->setMinimumWidth(260);
    auto *label = new QLabel(tr("&Jako:"), this);
    label->setBuddy(m_lbJako);
    m_lVysledek = new QLabel(this);
    m_lVysledek->setObjectName(QStringLiteral("lVysledek"));
    m_lVysledek->setWordWrap(true);
    m_lVysledek->setMinimumHeight(m_lVysledek->fontMetrics().lineSpacing() * 3);

    m_bOK = new QPushButton(tr("OK"), this);
    m_bOK->setObjectName(QStringLiteral("bOK"));
    m_bOK->setDefault(true);
    m_bStorno = new QPushButton(tr("Storno"), this);
    m_bStorno->setObjectName(QStringLiteral("bStorno"));
    m_bStorno->setAutoDefault(false);

    auto *result = new QGroupBox(tr("Výsledek"), this);
    auto *resultLayout = new QVBoxLayout(result);
    resultLayout->addWidget(m_lVysledek);
    auto *fields = new QVBoxLayout;
    fields->addWidget(label);
    fields->addWidget(m_lbJako, 1);
    fields->addWidget(result);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_bOK);
    buttons->addWidget(m_bStorno);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
    resize(440, 300);

    connect(m_lbJako, &QListWidget::currentRowChanged, this,
            [this](int row) { m_lVysledek->setText(row >= 0 ? description(m_forms.value(row)) : QString()); });
    connect(m_lbJako, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(m_bOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_bStorno, &QPushButton::clicked, this, &QDialog::reject);
}

QString PasteSpecialDialog::caption(PasteForm form)
{
    switch (form) {
    case PasteForm::Rtf:
        return tr("Rich Text Format");
    case PasteForm::RtfWithoutObjects:
        return tr("Rich Text Format bez objektů");
    case PasteForm::PlainText:
        return tr("Neformátovaný text");
    case PasteForm::Picture:
        return tr("Obrázek");
    case PasteForm::EmbeddedFiles:
        return tr("Soubor jako objekt");
    case PasteForm::LinkedFiles:
        return tr("Propojení se souborem");
    }
    return {};
}

QString PasteSpecialDialog::description(PasteForm form)
{
    switch (form) {
    case PasteForm::Rtf:
        return tr("Vloží obsah schránky jako formátovaný text i s obrázky a objekty.");
    case PasteForm::RtfWithoutObjects:
        return tr("Vloží obsah schránky jako formátovaný text bez obrázků a objektů.");
    case PasteForm::PlainText:
        return tr("Vloží obsah schránky jako text bez jakéhokoli formátování.");
    case PasteForm::Picture:
        return tr("Vloží obsah schránky jako obrázek.");
    case PasteForm::EmbeddedFiles:
        return tr("Vloží soubory ze schránky do dokumentu jako objekty.");
    case PasteForm::LinkedFiles:
        return tr("Vloží propojení se soubory ze schránky. Dvojitým kliknutím se soubor otevře.");
    }
    return {};
}

void PasteSpecialDialog::setForms(const QList<PasteForm> &forms)
{
    m_forms = forms;
    m_lbJako->clear();
    for (const PasteForm form : forms)
        m_lbJako->addItem(caption(form));
    m_lbJako->setCurrentRow(forms.isEmpty() ? -1 : 0);
}

PasteForm PasteSpecialDialog::chosen() const
{
    return m_forms.value(std::max(m_lbJako->currentRow(), 0), PasteForm::PlainText);
}

} // namespace kora
