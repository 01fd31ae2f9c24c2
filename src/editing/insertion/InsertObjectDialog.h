#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kora {

class Prompter;

// The kinds of object "Vytvořit nový" can make here: an empty file of the type, opened at once
// with the desktop's application.
struct NewObjectKind
{
    QString caption;
    QString fileName;
};

// What the user chose in "Vložit objekt".
struct ObjectChoice
{
    bool createNew = true;
    int kind = 0; // index into InsertObjectDialog::newKinds()
    QString path;
    bool link = false;
    bool asIcon = false;
};

// "Vložit objekt": a new object of a kind that can be created here, or an existing file embedded
// in the document or linked to it, shown as its content or as an icon.
class InsertObjectDialog : public QDialog
{
    Q_OBJECT
public:
    explicit InsertObjectDialog(Prompter &prompter, QWidget *parent = nullptr);

    static const QList<NewObjectKind> &newKinds();

    // Starts with "Vytvořit nový" chosen, keeping the last file and options.
    void reset();
    ObjectChoice choice() const;

    QRadioButton *rbNovy() const { return m_rbNovy; }
    QRadioButton *rbZeSouboru() const { return m_rbZeSouboru; }
    QListWidget *lbTyp() const { return m_lbTyp; }
    QLineEdit *eSoubor() const { return m_eSoubor; }
    QPushButton *bProchazet() const { return m_bProchazet; }
    QCheckBox *cbPropojit() const { return m_cbPropojit; }
    QCheckBox *cbIkona() const { return m_cbIkona; }
    QPushButton *bOK() const { return m_bOK; }
    QPushButton *bStorno() const { return m_bStorno; }

public slots:
    void bProchazetClick();
    void bOKClick();

private:
    void updateControls();

    Prompter &m_prompter;
    QRadioButton *m_rbNovy;
    QRadioButton *m_rbZeSouboru;
    QListWidget *m_lbTyp;
    QLabel *m_souborLabel;
    QLineEdit *m_eSoubor;
    QPushButton *m_bProchazet;
    QCheckBox *m_cbPropojit;
    QCheckBox *m_cbIkona;
    QLabel *m_lVysledek;
    QPushButton *m_bOK;
    QPushButton *m_bStorno;
};

} // namespace kora
