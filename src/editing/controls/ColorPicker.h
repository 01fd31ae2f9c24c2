#pragma once

#include <QColor>
#include <QFrame>
#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QToolButton>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QButtonGroup;

// The colour drop-down button and its palette.
//
// Colours: an invalid QColor is the platform's "no colour" value. The first fixed swatch of the
// palette holds it, and ActiveColor, TargetColor and AutomaticColor may hold it. A TColorBtn
// whose activeColor() is invalid after a choice asks for the automatic colour: the owner maps it
// to the automatic text colour, or to no highlight. Giving AutomaticColor an invalid colour makes
// the automatic button mean that too.
namespace kora {

// Where the colour buttons keep their 16 user colours: text values under a key of the current
// user's settings ("SoftWare\Tintora"). The program plugs in its registry.
class UserColorStore
{
public:
    virtual ~UserColorStore() = default;
    // The text of the value `name` under `key`; nothing when the key or the value is missing.
    virtual std::optional<QString> read(const QString &key, const QString &name) = 0;
    // Stores the text, creating the key when it is missing; false when it cannot.
    virtual bool write(const QString &key, const QString &name, const QString &text) = 0;
};

// A UserColorStore in memory. Key paths and value names compare without regard to case, as in
// the registry.
class MemoryUserColorStore : public UserColorStore
{
public:
    std::optional<QString> read(const QString &key, const QString &name) override;
    bool write(const QString &key, const QString &name, const QString &text) override;

    bool hasKey(const QString &key) const { return m_keys.contains(key.toLower()); }

private:
    QHash<QString, QHash<QString, QString>> m_keys;
};

// The colour dialog, starting at `initial`; nothing when the user cancels. It may be modal.
using ColorDialogFunction = std::function<std::optional<QColor>(const QColor &initial)>;

// Pictures of the main swatch of a TColorBtn.
enum TGlyphType { gtForeground, gtBackground, gtLines, gtCustom };

// A swatch: a flat, grouped speed button that paints its colour. With a glyph it draws the
// picture and a 17 x 4 bar of the colour under it; with a caption (the automatic button) a grey
// frame, a small square of the colour and the caption; with neither a rectangle of the colour
// in a grey outline. A disabled swatch paints grey in place of its colour.
class TColBtn : public QToolButton
{
    Q_OBJECT
public:
    explicit TColBtn(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);

    // Images side by side, each as wide as the strip is high: normal, then disabled.
    QPixmap glyph() const { return m_glyph; }
    void setGlyph(const QPixmap &glyph);

signals:
    void rightClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap glyphImage() const;

    QColor m_color = Qt::black;
    QPixmap m_glyph;
};

// The palette panel: the automatic button, 40 fixed swatches, 16 user swatches, the
// other-colour swatch and the colour-dialog button. A left click on any swatch chooses its
// colour and sends Enter to the panel's window.
class TColorPicker : public QFrame
{
    Q_OBJECT
public:
    static constexpr int kWidth = 170;
    static constexpr int kHeight = 210;
    // How far everything moves up, and the panel shrinks, without the automatic button.
    static constexpr int kAutomaticRowHeight = 22;
    static constexpr int kFixedCount = 40;
    static constexpr int kUserCount = 16;

    // The fixed colours row by row, eight to a row; the first is "no colour" (invalid).
    static const std::array<QColor, kFixedCount> &fixedColors();
    // The user colours, one table for every colour button of the program.
    static std::array<QColor, kUserCount> &userColors();

    explicit TColorPicker(QWidget *parent = nullptr);

    void setAutomaticColor(const QColor &color);
    // Shows or hides the automatic button and lays out the panel for it.
    void setIsAutomatic(bool automatic);
    void setDropDownFlat(bool flat);
    void setAutoBtnCaption(const QString &caption);
    void setOtherBtnCaption(const QString &caption);
    void setColorDialog(ColorDialogFunction dialog) { m_colorDialog = std::move(dialog); }

    // Presses the fixed swatch of `color`, else the last user swatch of it, else gives the
    // colour to the other-colour swatch and presses that.
    void selectColor(const QColor &color);

    // The colour of the last swatch clicked; black before any click.
    QColor chosenColor() const { return m_chosen; }
    // True while the colour dialog is open.
    bool inColorDialog() const { return m_inColorDialog; }

    TColBtn *automaticButton() const { return m_automatic; }
    TColBtn *fixedSwatch(int index) const { return m_fixed.at(index); }
    TColBtn *userSwatch(int index) const { return m_user.at(index); }
    TColBtn *otherSwatch() const { return m_other; }
    QToolButton *otherButton() const { return m_otherButton; }
    QFrame *separator() const { return m_separator; }
    // The swatch or automatic button shown pressed; none before selectColor() or a click.
    TColBtn *pressedSwatch() const;

private:
    TColBtn *addSwatch(const QColor &color);
    void layoutElements();
    void choose(const QColor &color);
    void redefineUserColor(int index);
    void chooseOtherColor();
    std::optional<QColor> runColorDialog(const QColor &initial);

    QButtonGroup *m_group;
    TColBtn *m_automatic;
    std::array<TColBtn *, kFixedCount> m_fixed{};
    std::array<TColBtn *, kUserCount> m_user{};
    TColBtn *m_other;
    QToolButton *m_otherButton;
    QFrame *m_separator;
    bool m_isAutomatic = true;
    QColor m_chosen = Qt::black;
    bool m_inColorDialog = false;
    ColorDialogFunction m_colorDialog;
};

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

// The colour drop-down button: a square swatch showing a picture over a bar of the active
// colour, and a narrow arrow button that drops down the palette. A swatch click, and a choice in
// the palette, emit clicked(); the owner then reads activeColor().
class TColorBtn : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kDefaultHeight = 22;
    static constexpr int kDefaultArrowWidth = 12;
    static constexpr int kMinArrowWidth = 7;
    static inline const QString kDefaultRegKey = QStringLiteral("Tintora");

    explicit TColorBtn(QWidget *parent = nullptr);

    // Shown by the bar on the swatch; setting it emits nothing.
    QColor activeColor() const { return m_activeColor; }
    void setActiveColor(const QColor &color);
    // Shown pressed when the palette opens.
    QColor targetColor() const { return m_targetColor; }
    void setTargetColor(const QColor &color) { m_targetColor = color; }

    bool flat() const { return m_flat; }
    void setFlat(bool flat);
    bool dropDownFlat() const { return m_dropDownFlat; }
    void setDropDownFlat(bool flat) { m_dropDownFlat = flat; }
    QColor automaticColor() const { return m_automaticColor; }
    void setAutomaticColor(const QColor &color) { m_automaticColor = color; }
    // Whether the palette shows the automatic button.
    bool isAutomatic() const { return m_isAutomatic; }
    void setIsAutomatic(bool automatic) { m_isAutomatic = automatic; }

    TGlyphType glyphType() const { return m_glyphType; }
    // Loads the built-in picture of the type; gtCustom keeps the current picture.
    void setGlyphType(TGlyphType type);
    QPixmap glyph() const;
    // Images side by side, each as wide as the strip is high (normal, disabled); makes the
    // glyph type gtCustom.
    void setGlyph(const QPixmap &glyph);

    QString autoBtnCaption() const { return m_autoBtnCaption; }
    void setAutoBtnCaption(const QString &caption) { m_autoBtnCaption = caption; }
    QString otherBtnCaption() const { return m_otherBtnCaption; }
    void setOtherBtnCaption(const QString &caption) { m_otherBtnCaption = caption; }
    // The user colours live under "SoftWare\" + regKey(); an empty key restores "Tintora".
    QString regKey() const { return m_regKey; }
    void setRegKey(const QString &key);

    int ddArrowWidth() const { return m_ddArrowWidth; }
    // Values below 7 become 7; the width follows as height + arrow width.
    void setDDArrowWidth(quint8 width);

    // Not owned; without a store every user colour reads as white and nothing is written.
    void setUserColorStore(UserColorStore *store) { m_store = store; }
    // Without a dialog the colour-dialog button and right clicks do nothing.
    void setColorDialog(ColorDialogFunction dialog) { m_colorDialog = std::move(dialog); }

    // What the arrow button does: emits beforeDropDown(), loads the user colours and shows a new
    // palette window under the button.
    void dropDown();
    // The open palette window, if any.
    TColPickDlg *dropDownWindow() const { return m_window; }

    TColBtn *swatch() const { return m_swatch; }
    QToolButton *arrowButton() const { return m_arrow; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // A swatch click, or a choice in the palette.
    void clicked();
    // An arrow click, before the palette is built.
    void beforeDropDown();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QString userColorKey() const;
    void loadUserColors();
    void saveUserColors();
    void acceptChoice(const QColor &color);

    TColBtn *m_swatch;
    QToolButton *m_arrow;
    QPointer<TColPickDlg> m_window;
    QColor m_activeColor = Qt::black;
    QColor m_targetColor = Qt::black;
    bool m_flat = false;
    bool m_dropDownFlat = true;
    QColor m_automaticColor = Qt::black;
    bool m_isAutomatic = true;
    TGlyphType m_glyphType = gtForeground;
    QString m_autoBtnCaption = QStringLiteral("Automatic");
    QString m_otherBtnCaption = QStringLiteral("&Other colors...");
    QString m_regKey = kDefaultRegKey;
    int m_ddArrowWidth = kDefaultArrowWidth;
    UserColorStore *m_store = nullptr;
    ColorDialogFunction m_colorDialog;
};

} // namespace kora
