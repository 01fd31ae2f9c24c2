#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace kora {

// A file carried inside the document, or a link to a file, as an RTF object of the class
// "Package" holds it (the OLE 1.0 form of \objdata).
struct EmbeddedFile
{
    QString label;   // the name shown under its icon
    QString path;    // where the file came from; for a link, the file itself
    QByteArray data; // the file's bytes; empty for a link
    bool linked = false;

    bool operator==(const EmbeddedFile &) const = default;
};

namespace ole {

constexpr char kPackageClass[] = "Package";

// The \objdata bytes of a packaged file or link.
QByteArray encodePackage(const EmbeddedFile &file);

// The file of \objdata bytes; nothing when they are not a package this program can read.
std::optional<EmbeddedFile> decodePackage(QByteArrayView objectData);

} // namespace ole
} // namespace kora
