#include "app/EditorDocument.h"

#include "richedit/DocumentCodec.h"
#include "richedit/RichEdit.h"

namespace kora {

bool EditorDocument::isModified() const
{
    return m_editor.isModified();
}

void EditorDocument::setModified(bool modified)
{
    m_editor.setModified(modified);
}

bool EditorDocument::isReadOnly() const
{
    return m_editor.isReadOnly();
}

void EditorDocument::setReadOnly(bool readOnly)
{
    m_editor.setReadOnly(readOnly);
}

bool EditorDocument::loadFromFile(const QString &path, QString *error)
{
    return m_editor.loadFromFile(path, error);
}

bool EditorDocument::saveToFile(const QString &path, QString *error)
{
    return m_editor.saveToFile(path, error);
}

bool EditorDocument::saveSelectionToFile(const QString &path, QString *error)
{
    // The selection-only streaming is switched off again whatever the save did.
    m_editor.setSelectionOnly(true);
    const bool saved = m_editor.saveToFile(path, error);
    m_editor.setSelectionOnly(false);
    return saved;
}

void EditorDocument::clearAll()
{
    m_editor.clearAll();
}

FileStamp EditorDocument::fileStamp() const
{
    return m_editor.fileStamp();
}

QByteArray EditorDocument::documentRtf() const
{
    return m_editor.documentRtf();
}

QString EditorDocument::formatName() const
{
    return documentcodec::formatName(m_editor.lastLoad());
}

void EditorDocument::restoreDocument(const QByteArray &rtf, const QString &format, const FileStamp &file)
{
    // A format this program does not know is saved as a new document would be.
    LoadInfo origin = documentcodec::formatFromName(format).value_or(LoadInfo());
    origin.file = file;
    m_editor.loadDocumentRtf(rtf, origin);
}

} // namespace kora
