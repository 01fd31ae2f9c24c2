#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kora {

class Prompter;
class Shell;

// "O Aplikaci KORA Editor": the program's picture, its author, the maker's addresses (both
// open when clicked), the version and the date of release.
class Taplikace : public QDialog
{
    Q_OBJECT

public:
    static inline const QString kVersion = QStringLiteral("1.1.8");
    static inline const QString kReleaseDate = QStringLiteral("21.1.2004");
    static inline const QString kAuthor = QStringLiteral("Jan Novák");
    static inline const QString kAge = QStringLiteral("24 let");

    explicit Taplikace(Prompter &prompter, QWidget *parent = nullptr);

    // What opens the addresses; without it the links do nothing.
    void setShell(Shell *shell) { m_shell = shell; }

    QLabel *lVerze() const { return m_lVerze; }
    QLabel *Label6() const { return m_label6; }
    QLabel *Label8() const { return m_label8; }
    QPushButton *Button1() const { return m_button1; }

public slots:
    void Label6Click();
    void Label8Click();
    void Button1Click();

private:
    Prompter &m_prompter;
    Shell *m_shell = nullptr;
    QLabel *m_label6;
    QLabel *m_label8;
    QLabel *m_lVerze;
    QPushButton *m_button1;
};

} // namespace kora
