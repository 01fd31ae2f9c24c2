#pragma once

#include <QDialog>

class QPushButton;

namespace kora {

class Prompter;
class RichEdit;

// "Text souboru": a file shown in an editable preview; "Vložit" puts the preview's plain text,
// with the user's edits, in place of the selection.
class TTextSouboru : public QDialog
{
    Q_OBJECT
public:
    TTextSouboru(RichEdit &editor, Prompter &prompter, QWidget *parent = nullptr);

    static const QString kFilter;

    QPushButton *bOtevrit() const { return m_bOtevrit; }
    QPushButton *bVlozit() const { return m_bVlozit; }
    QPushButton *Button3() const { return m_button3; }
    RichEdit *RichEdit1() const { return m_preview; }

public slots:
    void bOtevritClick();
    void bVlozitClick();
    void Button3Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    RichEdit &m_editor;
    Prompter &m_prompter;
    RichEdit *m_preview;
    QPushButton *m_bOtevrit;
    QPushButton *m_bVlozit;
    QPushButton *m_button3;
    QString m_fileName;
    int m_filterIndex = 0;
};

} // namespace kora
