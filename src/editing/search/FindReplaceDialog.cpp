#include "editing/search/FindReplaceDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kora::search {

namespace {

QPushButton *button(const QString &caption, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

FindReplaceDialog::FindReplaceDialog(Mode mode, QWidget *parent)
    : QDialog(parent)
    , m_mode(mode)
{
    const bool replacing = mode == Replace;
    setObjectName(replacing ? QStringLiteral("rdNahradit") : QStringLiteral("fdNajit"));
    setWindowTitle(replacing ? tr("Nahradit") : tr("Najít"));
    setModal(false);

    auto *fields = new QGridLayout;
    m_findEdit = new QLineEdit(this);
    m_findEdit->setObjectName(QStringLiteral("eNajit"));
    auto *findLabel = new QLabel(tr("Co &hledat:"), this);
    findLabel->setBuddy(m_findEdit);
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(m_findEdit, 0, 1);
    if (replacing) {
        m_replaceEdit = new QLineEdit(this);
        m_replaceEdit->setObjectName(QStringLiteral("eNahradit"));
        auto *replaceLabel = new QLabel(tr("Nahradit &čím:"), this);
        replaceLabel->setBuddy(m_replaceEdit);
        fields->addWidget(replaceLabel, 1, 0);
        fields->addWidget(m_replaceEdit, 1, 1);
    }
    m_findEdit->setMinimumWidth(m_findEdit->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 32);

    m_wholeWord = new QCheckBox(tr("&Celá slova"), this);
    m_wholeWord->setObjectName(QStringLiteral("cbCelaSlova"));
    m_wholeWord->setChecked(replacing);
    m_matchCase = new QCheckBox(tr("Rozlišovat velká a &malá"), this);
    m_matchCase->setObjectName(QStringLiteral("cbVelkaMala"));
    auto *options = new QVBoxLayout;
    options->addWidget(m_wholeWord);
    options->addWidget(m_matchCase);
    options->addStretch();
    auto *lower = new QHBoxLayout;
    lower->addLayout(options);
    if (!replacing) {
        auto *direction = new QGroupBox(tr("Směr"), this);
        m_up = new QRadioButton(tr("N&ahoru"), direction);
        m_up->setObjectName(QStringLiteral("rbNahoru"));
        m_down = new QRadioButton(tr("D&olů"), direction);
        m_down->setObjectName(QStringLiteral("rbDolu"));
        m_down->setChecked(true);
        auto *directionLayout = new QHBoxLayout(direction);
        directionLayout->addWidget(m_up);
        directionLayout->addWidget(m_down);
        lower->addWidget(direction);
    }

    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(lower);
    left->addStretch();

    auto *buttons = new QVBoxLayout;
    m_findNext = button(tr("&Najít další"), "bNajitDalsi", this);
    m_findNext->setDefault(true);
    buttons->addWidget(m_findNext);
    if (replacing) {
        m_replace = button(tr("Nah&radit"), "bNahradit", this);
        m_replaceAll = button(tr("Nahradit &vše"), "bNahraditVse", this);
        buttons->addWidget(m_replace);
        buttons->addWidget(m_replaceAll);
    }
    m_cancel = button(tr("Storno"), "bStorno", this);
    buttons->addWidget(m_cancel);
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_findNext, &QPushButton::clicked, this, &FindReplaceDialog::findNextRequested);
    if (replacing) {
        connect(m_replace, &QPushButton::clicked, this, &FindReplaceDialog::replaceRequested);
        connect(m_replaceAll, &QPushButton::clicked, this, &FindReplaceDialog::replaceAllRequested);
    }
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_findEdit, &QLineEdit::textChanged, this, &FindReplaceDialog::updateButtons);
    updateButtons();
}

QString FindReplaceDialog::findText() const
{
    return m_findEdit->text();
}

QString FindReplaceDialog::replaceText() const
{
    return m_replaceEdit ? m_replaceEdit->text() : QString();
}

SearchOptions FindReplaceDialog::options() const
{
    return {m_matchCase->isChecked(), m_wholeWord->isChecked()};
}

bool FindReplaceDialog::searchUp() const
{
    return m_up && m_up->isChecked();
}

void FindReplaceDialog::showForInput()
{
    show();
    raise();
    activateWindow();
    m_findEdit->setFocus();
    m_findEdit->selectAll();
}

void FindReplaceDialog::updateButtons()
{
    // Nothing to look for: the buttons that search wait for a text.
    const bool hasText = !m_findEdit->text().isEmpty();
    for (QPushButton *b : {m_findNext, m_replace, m_replaceAll}) {
        if (b)
            b->setEnabled(hasText);
    }
}

} // namespace kora::search
