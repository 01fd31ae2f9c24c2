#include "editing/controls/ColorPicker.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QStyleOptionToolButton>
#include <QStylePainter>

#include <algorithm>

namespace kora {

namespace {

const QColor kGrey(0x80, 0x80, 0x80);

// Colours are equal when both are "no colour" or both have the same RGB value.
bool sameColor(const QColor &a, const QColor &b)
{
    if (!a.isValid() || !b.isValid())
        return a.isValid() == b.isValid();
    return a.rgb() == b.rgb();
}

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

// A rectangle of the colour in a grey outline; "no colour" is an empty outline crossed by a
// diagonal.
void paintColorBox(QPainter &painter, const QRect &box, const QColor &color)
{
    painter.setPen(kGrey);
    painter.setBrush(color.isValid() ? QBrush(color) : QBrush(Qt::NoBrush));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (!color.isValid())
        painter.drawLine(box.bottomLeft(), box.topRight());
}

// The built-in 16 x 16 pictures of the main swatch. They leave the bottom rows free, where the
// swatch draws the bar of its colour.
QPixmap builtInGlyph(TGlyphType type)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (type) {
    case gtForeground: {
        // A bold letter "A" over rows 0 to 11.
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(20);
        QPainterPath letter;
        letter.addText(0, 0, font, QStringLiteral("A"));
        const QRectF from = letter.boundingRect();
        const QRectF to(2, 0, 12, 12);
        QTransform transform;
        transform.translate(to.left(), to.top());
        transform.scale(to.width() / from.width(), to.height() / from.height());
        transform.translate(-from.left(), -from.top());
        painter.fillPath(transform.map(letter), Qt::black);
        break;
    }
    case gtBackground: {
        // A tilted paint bucket pouring a drop from its left rim.
        QPainterPath bucket;
        bucket.moveTo(7, 1);
        bucket.lineTo(13, 6);
        bucket.lineTo(8, 11);
        bucket.lineTo(3, 6);
        bucket.closeSubpath();
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(QColor(0xD0, 0xD0, 0xD0));
        painter.drawPath(bucket);
        painter.drawLine(QPointF(7, 1), QPointF(7, 6));
        painter.setBrush(Qt::black);
        painter.drawEllipse(QRectF(1.5, 7, 2.5, 3.5));
        break;
    }
    case gtLines: {
        // A pencil from the top right down to its point at the bottom left.
        painter.translate(8, 6);
        painter.rotate(-45);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(QColor(0xE0, 0xB0, 0x40));
        painter.drawRect(QRectF(-3, -2, 9, 4));
        painter.setBrush(QColor(0xF0, 0xD0, 0xA0));
        QPainterPath point;
        point.moveTo(-3, -2);
        point.lineTo(-7, 0);
        point.lineTo(-3, 2);
        point.closeSubpath();
        painter.drawPath(point);
        painter.setBrush(Qt::black);
        painter.drawEllipse(QPointF(-6.5, 0), 0.8, 0.8);
        break;
    }
    case gtCustom:
        break;
    }
    return pixmap;
}

// The drop-down arrow: a small downward triangle.
QPixmap arrowPicture()
{
    QPixmap pixmap(5, 3);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    for (int row = 0; row < 3; ++row)
        painter.fillRect(row, row, 5 - 2 * row, 1, Qt::black);
    return pixmap;
}

} // namespace

std::optional<QString> MemoryUserColorStore::read(const QString &key, const QString &name)
{
    const auto found = m_keys.constFind(key.toLower());
    if (found == m_keys.constEnd())
        return std::nullopt;
    const auto value = found->constFind(name.toLower());
    if (value == found->constEnd())
        return std::nullopt;
    return *value;
}

bool MemoryUserColorStore::write(const QString &key, const QString &name, const QString &text)
{
    m_keys[key.toLower()].insert(name.toLower(), text);
    return true;
}

TColBtn::TColBtn(QWidget *parent)
    : QToolButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(true);
}

void TColBtn::setColor(const QColor &color)
{
    if (sameColor(color, m_color))
        return;
    m_color = color;
    update();
}

void TColBtn::setGlyph(const QPixmap &glyph)
{
    m_glyph = glyph;
    update();
}

void TColBtn::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit rightClicked();
        return;
    }
    QToolButton::mousePressEvent(event);
}

QPixmap TColBtn::glyphImage() const
{
    const int count = std::max(1, m_glyph.width() / std::max(1, m_glyph.height()));
    const int imageWidth = m_glyph.width() / count;
    if (isEnabled())
        return m_glyph.copy(0, 0, imageWidth, m_glyph.height());
    if (count >= 2)
        return m_glyph.copy(imageWidth, 0, imageWidth, m_glyph.height());
    QStyleOption option;
    option.initFrom(this);
    return style()->generatedIconPixmap(QIcon::Disabled, m_glyph.copy(0, 0, imageWidth, m_glyph.height()), &option);
}

void TColBtn::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);

    const QColor color = isEnabled() ? m_color : kGrey;
    const int inset = height() / 5;
    if (!m_glyph.isNull()) {
        const int shift = (isDown() || isChecked()) ? 1 : 0;
        const QPixmap image = glyphImage();
        painter.drawPixmap((width() - image.width()) / 2 + shift, (height() - image.height()) / 2 + shift, image);
        const QRect bar(width() / 2 - 9 + shift, height() / 2 + 4 + shift, 17, 4);
        if (color.isValid())
            painter.fillRect(bar, color);
        else
            paintColorBox(painter, bar, color);
    } else if (text().isEmpty()) {
        paintColorBox(painter, QRect(inset, inset, width() - 2 * inset, height() - 2 * inset), color);
    } else {
        const QRect frame(inset, inset, width() - 2 * inset, height() - 2 * inset);
        painter.setPen(kGrey);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
        const int side = frame.height() - 4;
        const QRect square(frame.left() + 2, frame.top() + 2, side, side);
        paintColorBox(painter, square, color);
        const QRect caption(square.right() + 1, 0, width() - 2 * (square.right() + 1), height());
        style()->drawItemText(&painter, caption, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(), text(),
                              QPalette::ButtonText);
    }
}

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
