#include "exchange/TForm3.h"

#include "richedit/RichEdit.h"

#include <QVBoxLayout>

namespace kora {

TForm3::TForm3(QWidget *parent)
    : QDialog(parent)
    , m_richEdit(new RichEdit(this))
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Písmo"));
    m_richEdit->setObjectName(QStringLiteral("JvRichEdit1"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    font.setBold(true);
    m_richEdit->setDefaultCharFont(font);
    // Lines wrap at the control's width whether or not the window was ever laid out.
    m_richEdit->setLineWrapMode(QTextEdit::FixedPixelWidth);
    m_richEdit->setLineWrapColumnOrWidth(kClientWidth);
    m_richEdit->setReadOnly(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_richEdit);
    resize(kClientWidth, kClientHeight);
}

} // namespace kora
