#include "editing/controls/TColPickDlg.h"

#include "editing/controls/TColorPicker.h"

#include <QKeyEvent>

namespace kora {

TColPickDlg::TColPickDlg(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
    , m_picker(new TColorPicker(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    m_picker->move(0, 0);
    setFixedSize(m_picker->size());
}

bool TColPickDlg::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        event->accept();
        return true;
    case QEvent::KeyPress: {
        if (m_closing)
            return true;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Escape) {
            close();
        } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const QColor color = m_picker->chosenColor();
            close();
            emit colorChosen(color);
        }
        return true;
    }
    case QEvent::KeyRelease:
        return true;
    case QEvent::WindowDeactivate:
        if (!m_closing && !m_picker->inColorDialog())
            close();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TColPickDlg::showEvent(QShowEvent *event)
{
    setFixedSize(m_picker->size());
    m_picker->selectColor(m_currentColor);
    QWidget::showEvent(event);
    activateWindow();
    setFocus();
}

void TColPickDlg::closeEvent(QCloseEvent *event)
{
    m_closing = true;
    QWidget::closeEvent(event);
}

} // namespace kora
