#include "app/DroppedContentBar.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace kora {

DroppedContentBar::DroppedContentBar(QWidget *parent)
    : QFrame(parent)
    , m_label(new QLabel(this))
{
    setObjectName(QStringLiteral("DroppedContentBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0xFF, 0xF4, 0xCE));
    p.setColor(QPalette::WindowText, QColor(0x40, 0x30, 0x00));
    setPalette(p);

    m_label->setWordWrap(true);
    m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *saveAs = new QPushButton(QStringLiteral("&Uložit jako..."), this);
    saveAs->setObjectName(QStringLiteral("bUlozitJako"));
    auto *readOnly = new QPushButton(QStringLiteral("&Jen pro čtení"), this);
    readOnly->setObjectName(QStringLiteral("bJenProCteni"));
    auto *close = new QToolButton(this);
    close->setObjectName(QStringLiteral("bZavrit"));
    close->setAutoRaise(true);
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setToolTip(QStringLiteral("Zavřít upozornění"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 4, 4);
    layout->addWidget(m_label, 1);
    layout->addWidget(saveAs);
    layout->addWidget(readOnly);
    layout->addWidget(close);

    connect(saveAs, &QPushButton::clicked, this, [this] {
        hide();
        emit saveAsRequested();
    });
    connect(readOnly, &QPushButton::clicked, this, [this] {
        hide();
        emit readOnlyRequested();
    });
    connect(close, &QToolButton::clicked, this, &QWidget::hide);
    hide();
}

void DroppedContentBar::showFor(const QString &fileName, const QStringList &lostContent)
{
    if (lostContent.isEmpty()) {
        hide();
        return;
    }
    m_label->setText(QStringLiteral("Dokument „%1“ obsahuje části, které KORA Editor neumí zachovat: %2. "
                                    "Uložením do tohoto souboru se ztratí.")
                         .arg(QFileInfo(fileName).fileName(), lostContent.join(QStringLiteral(", "))));
    show();
}

QString DroppedContentBar::text() const
{
    return m_label->text();
}

} // namespace kora
