#pragma once

#include "platform/FloppyDrive.h"

namespace kora {

// Drive "A:" is the folder $KORA_FLOPPY_DIR when that is set; otherwise the first writable
// removable medium that the desktop has mounted (under /media or /run/media).
class MediaFloppyDrive : public FloppyDrive
{
public:
    std::optional<QString> folder() const override;
};

} // namespace kora
