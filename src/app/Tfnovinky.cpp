#include "app/Tfnovinky.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kora {

namespace {

QLabel *heading(const QString &text, const QColor &colour, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

QPlainTextEdit *pane(const QString &name, const QStringList &lines, QWidget *parent)
{
    auto *edit = new QPlainTextEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // One block per line; joining keeps a final empty line as its own block.
    edit->setPlainText(lines.join(QLatin1Char('\n')));
    return edit;
}

} // namespace

Tfnovinky::Tfnovinky(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fnovinky"));
    setWindowTitle(QStringLiteral("Co je nového"));

    const QStringList added = {
        QStringLiteral("1. Přeškrtnuté písmo"),
        QString(),
        QStringLiteral("2. Lepší skrývání všech věcí na hlavním formuláři"),
        QString(),
        QStringLiteral("3. Písma s náhledem"),
        QString(),
        QStringLiteral("4. Možnost zobrazení “Tip Dne“"),
        QString(),
        QStringLiteral("5. Minimalizace do ikony"),
        QString(),
        QStringLiteral("6. Speciální hledání"),
        QString(),
        QStringLiteral("7. Kalkulačka"),
        QString(),
    };
    const QStringList fixed = {
        QStringLiteral("1.Při kliknutí prvým tlačítkem byly pořád funkční tlačítka Zpět "),
        QStringLiteral("a "),
        QStringLiteral("Vpřed"),
        QString(),
        QStringLiteral("2.Tlačítko Tisk na ToolBaru netisklo, ale kopírovalo"),
        QString(),
    };

    m_added = pane(QStringLiteral("mPridano"), added, this);
    m_fixed = pane(QStringLiteral("mOpraveno"), fixed, this);
    QLabel *addedLabel = heading(QStringLiteral("Přidáno"), Qt::red, this);
    addedLabel->setObjectName(QStringLiteral("lPridano"));
    addedLabel->setBuddy(m_added);
    QLabel *fixedLabel = heading(QStringLiteral("Opraveno"), Qt::blue, this);
    fixedLabel->setObjectName(QStringLiteral("lOpraveno"));
    fixedLabel->setBuddy(m_fixed);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("Button1"));
    QFont bold = m_ok->font();
    bold.setBold(true);
    m_ok->setFont(bold);
    m_ok->setDefault(true);
    m_ok->setMinimumWidth(240);
    // Esc rejects the dialog, which closes it just as the button does.
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *grid = new QGridLayout(this);
    grid->addWidget(addedLabel, 0, 0);
    grid->addWidget(fixedLabel, 0, 1);
    grid->addWidget(m_added, 1, 0);
    grid->addWidget(m_fixed, 1, 1);
    grid->addWidget(m_ok, 2, 0, 1, 2, Qt::AlignHCenter);
    grid->setRowStretch(1, 1);

    setFixedSize(603, 376);
}

} // namespace kora
