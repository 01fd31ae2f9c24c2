#pragma once

#include "editing/controls/ColorSwatches.h"

#include <QColor>
#include <QFrame>

#include <array>

class QButtonGroup;
class QToolButton;

namespace kora {

class TColBtn;

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

} // namespace kora
