#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace kora {

class RichEdit;

// " Vložit symbol": the 256 characters of the Windows-1250 code page in a 16 × 16 grid, cell
// (row r, column c) holding code 16r + c. "Vložit" (or Enter) inserts the current cell's character
// and leaves the dialog open for the next one.
class Tsymbol : public QDialog
{
    Q_OBJECT
public:
    explicit Tsymbol(RichEdit &editor, QWidget *parent = nullptr);

    // The text a code inserts: nothing for code 0, for the control characters the editor does not
    // keep and for the codes Windows-1250 leaves undefined.
    static QString symbolText(int code);

    QTableWidget *paleta() const { return m_paleta; }
    QPushButton *VlozBut() const { return m_vlozBut; }
    QPushButton *ZavBut() const { return m_zavBut; }

public slots:
    void FormCreate();
    void insertsymbol();

private:
    RichEdit &m_editor;
    QTableWidget *m_paleta;
    QPushButton *m_vlozBut;
    QPushButton *m_zavBut;
};

} // namespace kora
