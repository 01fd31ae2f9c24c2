#include "tools/clipboard/Tobsah.h"

#include "tools/clipboard/TClipboardViewer.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kora {

Tobsah::Tobsah(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("obsah"));
    setWindowTitle(tr("Obsah schránky"));
    setSizeGripEnabled(true);

    m_viewer = new TClipboardViewer(this);

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(41);
    // Default and cancel: Enter and Esc both close the window.
    auto *ok = new QPushButton(tr("OK"), panel);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(8, 0, 8, 0);
    panelLayout->addStretch();
    panelLayout->addWidget(ok);
    panelLayout->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_viewer, 1);
    layout->addWidget(panel);
    resize(487, 438);
}

} // namespace kora
