#pragma once

#include <QString>

#include <optional>

namespace kora {

// The medium that stands for drive "A:".
class FloppyDrive
{
public:
    virtual ~FloppyDrive() = default;
    // The medium's folder; nothing when no medium is there.
    virtual std::optional<QString> folder() const = 0;
};

} // namespace kora
