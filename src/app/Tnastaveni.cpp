#include "app/Tnastaveni.h"

#include <QTimer>

namespace kora {

Tnastaveni::Tnastaveni(QWidget *parent)
    : QDialog(parent)
    , m_tUkladani(new QTimer(this))
{
    setObjectName(QStringLiteral("nastaveni"));
    setWindowTitle(QStringLiteral("Možnosti"));
    m_tUkladani->setObjectName(QStringLiteral("tUkladani"));
    m_tUkladani->setInterval(kAutosaveIntervalMs);
    connect(m_tUkladani, &QTimer::timeout, this, &Tnastaveni::autosaveDue);
    m_tUkladani->start();
}

} // namespace kora
