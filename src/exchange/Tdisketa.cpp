#include "exchange/Tdisketa.h"

#include "platform/FloppyDrive.h"
#include "platform/Prompter.h"
#include "richedit/RichEdit.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kora {

namespace {

QComboBox *nameBox(QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("cbcesta"));
    box->setEditable(true);
    return box;
}

} // namespace

Tdisketa::Tdisketa(RichEdit &editor, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_editor(editor)
    , m_prompter(prompter)
    , m_cbcesta(nameBox(this))
    , m_button2(new QPushButton(QStringLiteral("Uložit"), this))
    , m_button1(new QPushButton(QStringLiteral("Storno"), this))
    , m_history(*m_cbcesta, kHistoryFile, prompter)
{
    setObjectName(QStringLiteral("disketa"));
    setWindowTitle(QStringLiteral("Odeslání na disketu "));

    auto *label = new QLabel(QStringLiteral("Zadejte &název souboru (i s příponou) : "), this);
    label->setBuddy(m_cbcesta);
    m_button2->setObjectName(QStringLiteral("Button2"));
    m_button2->setDefault(true);
    m_button1->setObjectName(QStringLiteral("Button1"));

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(label);
    nameRow->addWidget(m_cbcesta, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_button2);
    buttons->addWidget(m_button1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addLayout(buttons);

    connect(m_button2, &QPushButton::clicked, this, &Tdisketa::Button2Click);
    connect(m_button1, &QPushButton::clicked, this, &Tdisketa::Button1Click);

    const QSize hint = sizeHint();
    setFixedSize(std::max(505, hint.width()), std::max(73, hint.height()));
    FormCreate();
}

void Tdisketa::FormCreate()
{
    m_history.load();
}

void Tdisketa::FormClose()
{
    m_history.save();
}

void Tdisketa::done(int result)
{
    FormClose();
    QDialog::done(result);
}

bool Tdisketa::isPlainFileName(const QString &name)
{
    if (name.trimmed().isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control;
    });
}

void Tdisketa::Button2Click()
{
    const QString name = m_cbcesta->currentText();
    const std::optional<QString> folder = m_drive ? m_drive->folder() : std::nullopt;
    // The name must stay inside the medium; the document goes there in one safe save.
    if (!folder || !isPlainFileName(name) || !m_editor.saveToFile(QDir(*folder).filePath(name))) {
        m_prompter.ask(MessageKind::Error, kFailed, ButtonOk);
        return;
    }
    m_history.append(name);
    accept();
}

void Tdisketa::Button1Click()
{
    reject();
}

} // namespace kora
