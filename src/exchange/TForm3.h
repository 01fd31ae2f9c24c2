#pragma once

#include <QDialog>

namespace kora {

class RichEdit;

// "Písmo": the hidden window of the HTML export. Its control JvRichEdit1 receives a copy of the
// document and lays it out at 1024 pixels, its own font ("MS Sans Serif", 8 points, bold) being
// the frame of the HTML. It works without ever being shown.
class TForm3 : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidth = 1024;
    static constexpr int kClientHeight = 713;

    explicit TForm3(QWidget *parent = nullptr);

    RichEdit *JvRichEdit1() const { return m_richEdit; }

private:
    RichEdit *m_richEdit;
};

} // namespace kora
