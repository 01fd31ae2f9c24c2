#pragma once

#include <QDialog>

namespace kora {

class TClipboardViewer;

// "Obsah schránky": the clipboard viewer above an "OK" that closes the window.
class Tobsah : public QDialog
{
    Q_OBJECT
public:
    explicit Tobsah(QWidget *parent = nullptr);

    TClipboardViewer *ClipboardViewer1() const { return m_viewer; }

private:
    TClipboardViewer *m_viewer;
};

} // namespace kora
