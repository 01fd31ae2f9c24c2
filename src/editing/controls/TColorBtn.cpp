#include "editing/controls/TColorBtn.h"

#include "editing/controls/TColBtn.h"
#include "editing/controls/TColorPicker.h"

#include <QRegularExpression>
#include <QToolButton>

#include <algorithm>

namespace kora {

using namespace colorswatch;

namespace {

// The registry's text of a colour: the platform value (blue, green, red from the highest byte
// down) in upper-case hexadecimal, at least six digits.
QString registryText(const QColor &color)
{
    const uint value = (uint(color.blue()) << 16) | (uint(color.green()) << 8) | uint(color.red());
    return QString::number(value, 16).toUpper().rightJustified(6, QLatin1Char('0'));
}

// The colour of a registry text; nothing when the text is not the hexadecimal value of a colour.
std::optional<QColor> colorFromRegistryText(const QString &text)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{1,8}$"));
    if (!hex.match(text).hasMatch())
        return std::nullopt;
    const uint value = text.toUInt(nullptr, 16);
    if (value > 0xFFFFFF)
        return std::nullopt;
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QString userColorName(int index)
{
    return QStringLiteral("Color") + QChar(u'A' + index);
}

} // namespace

TColorBtn::TColorBtn(QWidget *parent)
    : QWidget(parent)
    , m_swatch(new TColBtn(this))
    , m_arrow(new QToolButton(this))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_swatch->setAutoRaise(m_flat);
    m_swatch->setColor(m_activeColor);
    m_arrow->setFocusPolicy(Qt::NoFocus);
    m_arrow->setAutoRaise(m_flat);
    const QPixmap arrow = arrowPicture();
    m_arrow->setIcon(QIcon(arrow));
    m_arrow->setIconSize(arrow.size());
    setGlyphType(m_glyphType);
    connect(m_swatch, &TColBtn::clicked, this, &TColorBtn::clicked);
    connect(m_arrow, &QToolButton::clicked, this, &TColorBtn::dropDown);
    resize(kDefaultHeight + m_ddArrowWidth, kDefaultHeight);
}

void TColorBtn::setActiveColor(const QColor &color)
{
    m_activeColor = color;
    m_swatch->setColor(color);
}

void TColorBtn::setFlat(bool flat)
{
    m_flat = flat;
    m_swatch->setAutoRaise(flat);
    m_arrow->setAutoRaise(flat);
}

void TColorBtn::setGlyphType(TGlyphType type)
{
    m_glyphType = type;
    if (type != gtCustom)
        m_swatch->setGlyph(builtInGlyph(type));
}

QPixmap TColorBtn::glyph() const
{
    return m_swatch->glyph();
}

void TColorBtn::setGlyph(const QPixmap &glyph)
{
    m_glyphType = gtCustom;
    m_swatch->setGlyph(glyph);
}

void TColorBtn::setRegKey(const QString &key)
{
    m_regKey = key.isEmpty() ? kDefaultRegKey : key;
}

void TColorBtn::setDDArrowWidth(quint8 width)
{
    m_ddArrowWidth = std::max<int>(width, kMinArrowWidth);
    updateGeometry();
    resize(height() + m_ddArrowWidth, height());
}

QSize TColorBtn::sizeHint() const
{
    return QSize(height() + m_ddArrowWidth, height());
}

void TColorBtn::resizeEvent(QResizeEvent *)
{
    const int side = height();
    if (width() != side + m_ddArrowWidth) {
        resize(side + m_ddArrowWidth, side);
        return;
    }
    m_swatch->setGeometry(0, 0, side, side);
    m_arrow->setGeometry(side, 0, m_ddArrowWidth, side);
}

QString TColorBtn::userColorKey() const
{
    return QStringLiteral("SoftWare\\") + m_regKey;
}

void TColorBtn::loadUserColors()
{
    auto &colors = TColorPicker::userColors();
    for (int i = 0; i < TColorPicker::kUserCount; ++i) {
        const std::optional<QString> text = m_store ? m_store->read(userColorKey(), userColorName(i)) : std::nullopt;
        const std::optional<QColor> color = text ? colorFromRegistryText(*text) : std::nullopt;
        colors[i] = color.value_or(QColor(Qt::white));
    }
}

void TColorBtn::saveUserColors()
{
    if (!m_store)
        return;
    const auto &colors = TColorPicker::userColors();
    for (int i = 0; i < TColorPicker::kUserCount; ++i)
        m_store->write(userColorKey(), userColorName(i), registryText(colors[i]));
}

void TColorBtn::dropDown()
{
    emit beforeDropDown();
    loadUserColors();
    if (m_window)
        m_window->close();

    auto *window = new TColPickDlg(this);
    TColorPicker *picker = window->picker();
    picker->setAutomaticColor(m_automaticColor);
    picker->setIsAutomatic(m_isAutomatic);
    picker->setDropDownFlat(m_dropDownFlat);
    picker->setAutoBtnCaption(m_autoBtnCaption);
    picker->setOtherBtnCaption(m_otherBtnCaption);
    picker->setColorDialog(m_colorDialog);
    window->setCurrentColor(m_targetColor);
    window->move(mapToGlobal(QPoint(0, height())));
    connect(window, &TColPickDlg::colorChosen, this, &TColorBtn::acceptChoice);
    m_window = window;
    window->show();
}

void TColorBtn::acceptChoice(const QColor &color)
{
    setActiveColor(color);
    m_targetColor = color;
    saveUserColors();
    emit clicked();
}

} // namespace kora
