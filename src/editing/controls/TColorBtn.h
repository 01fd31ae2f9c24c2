#pragma once

#include "editing/controls/ColorSwatches.h"
#include "editing/controls/TColPickDlg.h"
#include "editing/controls/UserColorStore.h"

#include <QPointer>
#include <QWidget>

class QToolButton;

namespace kora {

class TColBtn;

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
