#pragma once

#include "platform/Shell.h"

namespace kora {

// The desktop's own launcher and default applications.
class DesktopShell : public Shell
{
public:
    bool startDetached(const QString &program, const QStringList &arguments) override;
    bool openUrl(const QString &address) override;
};

} // namespace kora
