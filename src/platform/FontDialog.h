#pragma once

#include "platform/FontChoice.h"

#include <QDialog>
#include <QList>
#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kora {

// "Písmo": the font dialog of the program (family, style, size, effects with colour, sample).
// It shows exactly the font and colour it gives back, so what the user sees is what is applied.
class FontDialog : public QDialog
{
    Q_OBJECT

public:
    struct NamedColor
    {
        QString name;
        QColor color;
    };

    // `withApply` adds the "Použít" button, which has no action of its own.
    explicit FontDialog(const FontChoice &initial, bool withApply = false, QWidget *parent = nullptr);

    // The font and colour the dialog shows now.
    FontChoice choice() const;

    // The colour box's named colours, in its order.
    static const QList<NamedColor> &namedColors();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void familyEdited(const QString &text);
    void familyPicked(int row);
    void stylePicked(int row);
    void sizeEdited(const QString &text);
    void sizePicked(int row);
    void refresh();
    QString family() const;

    QLineEdit *m_familyEdit;
    QListWidget *m_familyList;
    QLineEdit *m_styleEdit;
    QListWidget *m_styleList;
    QLineEdit *m_sizeEdit;
    QListWidget *m_sizeList;
    QCheckBox *m_strikeOut;
    QCheckBox *m_underline;
    QComboBox *m_color;
    QLabel *m_sample;
    QPushButton *m_ok;
    int m_size = 8;
    // Set while an edit and its list are brought into line, so neither echoes the other.
    bool m_syncing = false;
};

} // namespace kora
