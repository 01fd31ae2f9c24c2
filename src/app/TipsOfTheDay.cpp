#include "app/TipsOfTheDay.h"

#include "platform/Prompter.h"

#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

namespace kora {

TipsOfTheDay::TipsOfTheDay(Prompter &prompter, QObject *parent)
    : QObject(parent)
    , m_prompter(prompter)
    , m_tips{
          QStringLiteral("Pomocí pravítka si můžete libovolně volit okraje stránky. "),
          QStringLiteral("Na kontrolu pravopisu nepotřebujete MS-Word"),
          QStringLiteral("Registrace přípon -  Pomocí tohoto si můžete volit, které přípony programů se budou "
                         "otevírat pomocí KORA Editoru"),
          QStringLiteral("Pro rychlejší práci s textem používejte klávesové zkratky."),
          QStringLiteral("Text, který napíšete můžete poslat svým kamarádům a známým pomocí E-mailu. "),
          QStringLiteral("Editor si pamatuje, tak jak byl naposledy ukončen. Všechny tyto informace se ukládají do "
                         "registrů"),
          QStringLiteral("KORA Editor si můžete nastavit,  jak Vám vyhovuje. Více v Nástroje/Možnosti"),
          QStringLiteral("Jestli máte nějaké soubory na internetu a přejete si je otevřít, tak od toho je tu nová "
                         "funkce \"Otevřít z internetu\""),
          QStringLiteral("Máte důležitý dokument a bojíte se, že si ho přepíšete, zkusit využít funkci \"Otevřít jen "
                         "pro čtení\"."),
          QStringLiteral("Zkuste využít funkci \"Vložit/Objekt\". Tím do KORA Editoru můžete vložit různé obrázky, "
                         "tabulky, zvuky.   "),
          QStringLiteral("Přizpůsobuje se motivům z Win XO"),
          QStringLiteral("Při najetí na určité menu se zobrazí ve Stavovém řádku nápověda"),
          QStringLiteral("Jestli si napíšete dokument a pak si ho uložíte do formátu *.TXT. Tak počítejte s tím, že "
                         "při otevření dokumentu bude bez formátování"),
          QStringLiteral("KORA Editor umí text uložit i do html"),
      }
    , m_random([](int bound) { return int(QRandomGenerator::global()->bounded(bound)); })
{
    setObjectName(QStringLiteral("tipdne"));
}

void TipsOfTheDay::execute()
{
    if (m_tips.isEmpty())
        return;

    QDialog window(qobject_cast<QWidget *>(parent()));
    window.setObjectName(QStringLiteral("tipsWindow"));
    window.setWindowTitle(QStringLiteral("Tipy a triky"));

    // The tip sits on a white panel under its heading, as on a card.
    auto *panel = new QFrame(&window);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    QPalette panelPalette = panel->palette();
    panelPalette.setColor(QPalette::Window, Qt::white);
    panelPalette.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(panelPalette);

    auto *heading = new QLabel(QStringLiteral("Víte, že"), panel);
    heading->setObjectName(QStringLiteral("lHeading"));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    heading->setFont(headingFont);

    auto *tip = new QLabel(panel);
    tip->setObjectName(QStringLiteral("lTip"));
    tip->setWordWrap(true);
    tip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    tip->setTextFormat(Qt::PlainText);

    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(heading);
    panelLayout->addWidget(tip, 1);

    auto *showAtStartup = new QCheckBox(m_startupBoxText, &window);
    showAtStartup->setObjectName(QStringLiteral("cbShowAtStartup"));
    showAtStartup->setChecked(true);
    auto *next = new QPushButton(QStringLiteral("Další typ"), &window);
    next->setObjectName(QStringLiteral("bNext"));
    auto *close = new QPushButton(QStringLiteral("Zavřít"), &window);
    close->setObjectName(QStringLiteral("bClose"));
    close->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(showAtStartup);
    buttons->addStretch(1);
    buttons->addWidget(next);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(panel, 1);
    layout->addLayout(buttons);

    int current = m_random(int(m_tips.size()));
    if (current < 0 || current >= m_tips.size() || m_tips.at(current).isEmpty())
        current = 0;
    tip->setText(m_tips.at(current));

    connect(next, &QPushButton::clicked, &window, [&] {
        current = (current + 1) % int(m_tips.size());
        tip->setText(m_tips.at(current));
    });
    connect(close, &QPushButton::clicked, &window, &QDialog::accept);

    window.setFixedSize(420, 240);
    m_prompter.execDialog(&window);
    m_showAtStartup = showAtStartup->isChecked();
}

} // namespace kora
