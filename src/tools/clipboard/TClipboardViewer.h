#pragma once

#include <QPointer>
#include <QScrollArea>

class QMimeData;
class QPlainTextEdit;

namespace kora {

enum TClipboardViewFormat {
    cvDefault,
    cvEmpty,
    cvUnknown,
    cvText,
    cvBitmap,
    cvMetafile,
    cvPalette,
    cvOemText,
    cvPicture,
    cvComponent,
    cvIcon,
};

// The program's own clipboard formats.
inline constexpr char kPaletteMimeType[] = "application/x-kora-palette";     // see TPaletteGrid
inline constexpr char kComponentMimeType[] = "application/x-kora-component"; // UTF-8 description
inline constexpr char kPictureMimeType[] = "application/x-kora-picture";     // an image file's bytes

// Shows what the clipboard holds and follows every change of it, also while hidden: text in a
// read-only text box, pictures centred at their own size, a palette as a grid, a component as its
// description; anything else as a message in the text box. With an empty clipboard there is no
// display control and the viewer says so on its own background.
class TClipboardViewer : public QScrollArea
{
    Q_OBJECT
public:
    static const QString kEmptyText;
    static const QString kUnknownText;

    explicit TClipboardViewer(QWidget *parent = nullptr);

    TClipboardViewFormat ViewFormat() const { return m_viewFormat; }
    // Takes `format` when the clipboard holds it, else the automatic choice; shows it.
    void setViewFormat(TClipboardViewFormat format);

    TClipboardViewFormat ChooseDisplayFormat() const;
    bool IsFormatShowable(TClipboardViewFormat format) const;
    TClipboardViewFormat AutoDisplayFormat() const;
    // Replaces the display control by one for what the clipboard holds now.
    void RebuildDisplay();

    // The control showing the clipboard; none while it is empty.
    QWidget *displayControl() const { return m_display; }

signals:
    // Before every rebuild that a change of the clipboard causes.
    void OnChange();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void clipboardChanged();
    bool holds(TClipboardViewFormat format) const;
    QPlainTextEdit *showText(const QString &text, bool terminalFont);
    void showPicture(TClipboardViewFormat format);
    void showPalette();
    const QMimeData *data() const;

    TClipboardViewFormat m_viewFormat = cvDefault;
    QPointer<QWidget> m_display;
};

} // namespace kora
