#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kora {

// "Co je nového": what was added and what was fixed in this version, side by side.
class Tfnovinky : public QDialog
{
    Q_OBJECT

public:
    explicit Tfnovinky(QWidget *parent = nullptr);

    QPlainTextEdit *added() const { return m_added; }
    QPlainTextEdit *fixed() const { return m_fixed; }
    QPushButton *okButton() const { return m_ok; }

private:
    QPlainTextEdit *m_added;
    QPlainTextEdit *m_fixed;
    QPushButton *m_ok;
};

} // namespace kora
