#pragma once

#include <QString>
#include <QStringList>

namespace kora::spell {

// Offers corrections for an unknown word, best first.
class Suggester
{
public:
    virtual ~Suggester() = default;
    virtual QStringList suggestions(const QString &word) = 0;
};

} // namespace kora::spell
