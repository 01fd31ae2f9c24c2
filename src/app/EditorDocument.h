#pragma once

#include "app/DocumentController.h"

namespace kora {

class RichEdit;

// The editing control as the document life cycle sees it.
class EditorDocument : public DocumentEditor
{
public:
    explicit EditorDocument(RichEdit &editor)
        : m_editor(editor)
    {
    }

    bool isModified() const override;
    void setModified(bool modified) override;
    bool isReadOnly() const override;
    void setReadOnly(bool readOnly) override;
    bool loadFromFile(const QString &path, QString *error) override;
    bool saveToFile(const QString &path, QString *error) override;
    bool saveSelectionToFile(const QString &path, QString *error) override;
    void clearAll() override;
    FileStamp fileStamp() const override;
    QByteArray documentRtf() const override;
    QString formatName() const override;
    void restoreDocument(const QByteArray &rtf, const QString &format, const FileStamp &file) override;

private:
    RichEdit &m_editor;
};

} // namespace kora
