#include "editing/controls/TColorPicker.h"

#include "editing/controls/TColBtn.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QToolButton>

namespace kora {

using namespace colorswatch;

const std::array<QColor, TColorPicker::kFixedCount> &TColorPicker::fixedColors()
{
    static const std::array<QColor, kFixedCount> colors = [] {
        // The first entry stands for "no colour"; its value is not used.
        static constexpr QRgb values[kFixedCount] = {
            0x000000, 0x808080, 0x400000, 0x404000, 0x004000, 0x004040, 0x000040, 0x400040, //
            0x000000, 0x909090, 0x800000, 0x808000, 0x008000, 0x008080, 0x000080, 0x800080, //
            0x202020, 0xB0B0B0, 0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x0000FF, 0xFF00FF, //
            0x404040, 0xD0D0D0, 0xFF8080, 0xFFFF80, 0x80FF80, 0x80FFFF, 0x8080FF, 0xFF80FF, //
            0x606060, 0xFFFFFF, 0xFFC0C0, 0xFFFFC0, 0xC0FFC0, 0xC0FFFF, 0xC0C0FF, 0xFFC0FF,
        };
        std::array<QColor, kFixedCount> table;
        for (int i = 1; i < kFixedCount; ++i)
            table[i] = QColor::fromRgb(values[i]);
        return table;
    }();
    return colors;
}

std::array<QColor, TColorPicker::kUserCount> &TColorPicker::userColors()
{
    static std::array<QColor, kUserCount> colors = [] {
        std::array<QColor, kUserCount> table;
        table.fill(Qt::white);
        return table;
    }();
    return colors;
}

TColorPicker::TColorPicker(QWidget *parent)
    : QFrame(parent)
    , m_group(new QButtonGroup(this))
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    setLineWidth(1);
    // The automatic button's caption has to fit inside its frame, 10 pixels between the lines.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    m_automatic = addSwatch(Qt::black);
    m_automatic->setText(QStringLiteral("Automatic"));
    for (int i = 0; i < kFixedCount; ++i)
        m_fixed[i] = addSwatch(fixedColors()[i]);
    m_separator = new QFrame(this);
    m_separator->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    for (int j = 0; j < kUserCount; ++j) {
        m_user[j] = addSwatch(userColors()[j]);
        connect(m_user[j], &TColBtn::rightClicked, this, [this, j] { redefineUserColor(j); });
    }
    m_other = addSwatch(Qt::black);
    m_otherButton = new QToolButton(this);
    m_otherButton->setFocusPolicy(Qt::NoFocus);
    m_otherButton->setAutoRaise(true);
    m_otherButton->setText(QStringLiteral("&Other colors..."));
    connect(m_otherButton, &QToolButton::clicked, this, &TColorPicker::chooseOtherColor);
    layoutElements();
}

TColBtn *TColorPicker::addSwatch(const QColor &color)
{
    auto *swatch = new TColBtn(this);
    swatch->setColor(color);
    swatch->setCheckable(true);
    m_group->addButton(swatch);
    connect(swatch, &TColBtn::clicked, this, [this, swatch] { choose(swatch->color()); });
    return swatch;
}

void TColorPicker::layoutElements()
{
    const int top = m_isAutomatic ? 0 : -kAutomaticRowHeight;
    m_automatic->setGeometry(5, 4, 160, 20);
    m_automatic->setVisible(m_isAutomatic);
    for (int i = 0; i < kFixedCount; ++i)
        m_fixed[i]->setGeometry(5 + 20 * (i % 8), 30 + top + 20 * (i / 8), 20, 20);
    m_separator->setGeometry(5, 135 + top, 160, 2);
    for (int j = 0; j < kUserCount; ++j)
        m_user[j]->setGeometry(5 + 20 * (j % 8), 140 + top + 20 * (j / 8), 20, 20);
    m_other->setGeometry(5, 185 + top, 20, 20);
    m_otherButton->setGeometry(25, 185 + top, 140, 20);
    setFixedSize(kWidth, kHeight + top);
}

void TColorPicker::setAutomaticColor(const QColor &color)
{
    m_automatic->setColor(color);
}

void TColorPicker::setIsAutomatic(bool automatic)
{
    m_isAutomatic = automatic;
    layoutElements();
}

void TColorPicker::setDropDownFlat(bool flat)
{
    for (QAbstractButton *button : m_group->buttons())
        static_cast<TColBtn *>(button)->setAutoRaise(flat);
    m_otherButton->setAutoRaise(flat);
}

void TColorPicker::setAutoBtnCaption(const QString &caption)
{
    m_automatic->setText(caption);
}

void TColorPicker::setOtherBtnCaption(const QString &caption)
{
    m_otherButton->setText(caption);
}

void TColorPicker::selectColor(const QColor &color)
{
    for (TColBtn *swatch : m_fixed) {
        if (sameColor(swatch->color(), color)) {
            swatch->setChecked(true);
            return;
        }
    }
    for (auto it = m_user.rbegin(); it != m_user.rend(); ++it) {
        if (sameColor((*it)->color(), color)) {
            (*it)->setChecked(true);
            return;
        }
    }
    m_other->setColor(color);
    m_other->setChecked(true);
}

TColBtn *TColorPicker::pressedSwatch() const
{
    return static_cast<TColBtn *>(m_group->checkedButton());
}

void TColorPicker::choose(const QColor &color)
{
    m_chosen = color;
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(window(), &enter);
}

std::optional<QColor> TColorPicker::runColorDialog(const QColor &initial)
{
    if (!m_colorDialog)
        return std::nullopt;
    const QPointer<TColorPicker> self(this);
    m_inColorDialog = true;
    std::optional<QColor> result = m_colorDialog(initial);
    if (!self)
        return std::nullopt;
    m_inColorDialog = false;
    window()->activateWindow();
    window()->setFocus();
    if (result && !result->isValid())
        return std::nullopt;
    return result;
}

void TColorPicker::redefineUserColor(int index)
{
    if (const std::optional<QColor> color = runColorDialog(m_user[index]->color())) {
        m_user[index]->setColor(*color);
        userColors()[index] = *color;
    }
}

void TColorPicker::chooseOtherColor()
{
    if (const std::optional<QColor> color = runColorDialog(m_other->color()))
        m_other->setColor(*color);
}

} // namespace kora
