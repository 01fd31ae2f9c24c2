#pragma once

#include "text/HistoryListFile.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace kora {

class FileTypes;
class Prompter;

// "Vlastní registrace": extensions of the user's choice registered to open with the program.
// The list is kept in "Typy.INI", written only by "Ok".
class Treg : public QDialog
{
    Q_OBJECT
public:
    // `typesFile` is the full path of "Typy.INI"; its list is loaded now when it exists.
    Treg(FileTypes &fileTypes, Prompter &prompter, const QString &typesFile, QWidget *parent = nullptr);

    QStringList entries() const;

public slots:
    void bPridejClick();
    void bSmazatClick();
    void lbTypClick();
    void bOkClick();
    void bZrusitClick();

private:
    FileTypes &m_fileTypes;
    Prompter &m_prompter;
    HistoryListFile m_file;
    QListWidget *m_lbTyp;
    QLineEdit *m_eTyp;
};

} // namespace kora
