#pragma once

#include <QString>
#include <QStringList>

namespace kora {

// The desktop's services: starting a program and opening an address with its default
// application; tests replace it.
class Shell
{
public:
    virtual ~Shell() = default;
    virtual bool startDetached(const QString &program, const QStringList &arguments) = 0;
    // False when no program could open the address.
    virtual bool openUrl(const QString &address) = 0;
};

} // namespace kora
