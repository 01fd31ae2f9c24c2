#pragma once

#include <QDialog>

class QLabel;

namespace kora {

class RichEdit;

// "Počet znaků": the document's characters, lines, spaces, words and selected characters,
// counted afresh each time the dialog is shown, with the status bar's counting.
class TZnaky : public QDialog
{
    Q_OBJECT
public:
    explicit TZnaky(const RichEdit &editor, QWidget *parent = nullptr);

    // Writes the current counts into the value labels.
    void FormShow();

protected:
    void showEvent(QShowEvent *event) override;

private:
    const RichEdit &m_editor;
    QLabel *m_lZnaky;
    QLabel *m_lRadky;
    QLabel *m_lMezery;
    QLabel *m_lSlova;
    QLabel *m_lOznaceno;
};

} // namespace kora
