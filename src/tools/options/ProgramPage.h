#pragma once

#include <QWidget>

namespace kora {

class FileTypes;
class Prompter;
class Shortcuts;
class Treg;

// The options dialog's page "&Program": launchers on the desktop and in the applications menu,
// opening file types with the program, and the custom registration dialog. Each action says
// whether it succeeded; a failure is shown as an error, never as success.
class ProgramPage : public QWidget
{
    Q_OBJECT
public:
    ProgramPage(FileTypes &fileTypes, Shortcuts &shortcuts, Prompter &prompter, Treg &reg, QWidget *parent = nullptr);

public slots:
    void Button23Click3(); // launcher on the desktop
    void Button3Click3();  // launcher in the applications menu
    void Button14Click2(); // "Vlastní registrace přípon"

private:
    void registerType(const QString &extension, bool add, const QString &message);

    FileTypes &m_fileTypes;
    Shortcuts &m_shortcuts;
    Prompter &m_prompter;
    Treg &m_reg;
};

} // namespace kora
