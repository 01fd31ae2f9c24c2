#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QListWidget;
class QMimeData;
class QPushButton;

namespace kora {

// The forms in which the clipboard's contents can be pasted.
enum class PasteForm { Rtf, RtfWithoutObjects, PlainText, Picture, EmbeddedFiles, LinkedFiles };

// The forms the clipboard offers now, in the order the dialog lists them.
QList<PasteForm> pasteForms(const QMimeData *data);

// "Vložit speciál": the user picks one of the forms the clipboard offers.
class PasteSpecialDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PasteSpecialDialog(QWidget *parent = nullptr);

    static QString caption(PasteForm form);
    static QString description(PasteForm form);

    // Lists these forms, the first one chosen.
    void setForms(const QList<PasteForm> &forms);
    PasteForm chosen() const;

    QListWidget *lbJako() const { return m_lbJako; }
    QLabel *lVysledek() const { return m_lVysledek; }
    QPushButton *bOK() const { return m_bOK; }
    QPushButton *bStorno() const { return m_bStorno; }

private:
    QList<PasteForm> m_forms;
    QListWidget *m_lbJako;
    QLabel *m_lVysledek;
    QPushButton *m_bOK;
    QPushButton *m_bStorno;
};

} // namespace kora
