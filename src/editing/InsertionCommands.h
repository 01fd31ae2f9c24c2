#pragma once

#include <QObject>
#include <QString>

#include <utility>
#include <vector>

class QAction;

namespace kora {

class RichEdit;

// Commands that insert text at the selection, replacing it.
class InsertionCommands : public QObject
{
    Q_OBJECT
public:
    // Each item of "Základní znaky" inserts its fixed text, the caret after it.
    InsertionCommands(RichEdit &editor, const std::vector<std::pair<QAction *, QString>> &characters,
                      QObject *parent = nullptr);

private:
    RichEdit &m_editor;
};

} // namespace kora
