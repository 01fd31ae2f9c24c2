#pragma once

#include <QColor>
#include <QWidget>

namespace kora {

class TColorPicker;

// The borderless drop-down window that carries a palette. Esc closes it without a choice,
// Enter closes it with the palette's chosen colour, and it consumes every key. It closes without
// a choice when it loses the focus, except to the colour dialog. It deletes itself on closing.
class TColPickDlg : public QWidget
{
    Q_OBJECT
public:
    explicit TColPickDlg(QWidget *parent = nullptr);

    TColorPicker *picker() const { return m_picker; }
    // The colour shown pressed when the window shows.
    QColor currentColor() const { return m_currentColor; }
    void setCurrentColor(const QColor &color) { m_currentColor = color; }

signals:
    void colorChosen(const QColor &color);

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    TColorPicker *m_picker;
    QColor m_currentColor = Qt::black;
    bool m_closing = false;
};

} // namespace kora
