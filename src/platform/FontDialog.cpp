#include "platform/FontDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <algorithm>

namespace kora {

namespace {

// Rows of the style list: bit 0 is italic, bit 1 bold.
const char *const kStyles[] = {"Obyčejné", "Kurzíva", "Tučné", "Tučná kurzíva"};
constexpr int kItalicBit = 1;
constexpr int kBoldBit = 2;

const int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
// The largest size the editor keeps.
constexpr int kMaxSize = 1638;

const QSize kSwatchSize(28, 14);

QIcon swatch(const QColor &color)
{
    QPixmap pixmap(kSwatchSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(color);
    painter.drawRect(QRect(QPoint(0, 0), kSwatchSize - QSize(1, 1)));
    return QIcon(pixmap);
}

QLabel *label(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

// Keys that move through a list while its edit field has the focus, as in a classic combo.
bool movesInList(int key)
{
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
}

} // namespace

const QList<FontDialog::NamedColor> &FontDialog::namedColors()
{
    static const QList<NamedColor> colors = {
        {QStringLiteral("Černá"), QColor(0x00, 0x00, 0x00)},
        {QStringLiteral("Kaštanová"), QColor(0x80, 0x00, 0x00)},
        {QStringLiteral("Zelená"), QColor(0x00, 0x80, 0x00)},
        {QStringLiteral("Olivová"), QColor(0x80, 0x80, 0x00)},
        {QStringLiteral("Námořnická modř"), QColor(0x00, 0x00, 0x80)},
        {QStringLiteral("Fialová"), QColor(0x80, 0x00, 0x80)},
        {QStringLiteral("Modrozelená"), QColor(0x00, 0x80, 0x80)},
        {QStringLiteral("Šedá"), QColor(0x80, 0x80, 0x80)},
        {QStringLiteral("Stříbrná"), QColor(0xC0, 0xC0, 0xC0)},
        {QStringLiteral("Červená"), QColor(0xFF, 0x00, 0x00)},
        {QStringLiteral("Limetková"), QColor(0x00, 0xFF, 0x00)},
        {QStringLiteral("Žlutá"), QColor(0xFF, 0xFF, 0x00)},
        {QStringLiteral("Modrá"), QColor(0x00, 0x00, 0xFF)},
        {QStringLiteral("Fuchsiová"), QColor(0xFF, 0x00, 0xFF)},
        {QStringLiteral("Azurová"), QColor(0x00, 0xFF, 0xFF)},
        {QStringLiteral("Bílá"), QColor(0xFF, 0xFF, 0xFF)},
    };
    return colors;
}

FontDialog::FontDialog(const FontChoice &initial, bool withApply, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fdPismo"));
    setWindowTitle(QStringLiteral("Písmo"));

    m_familyEdit = new QLineEdit(this);
    m_familyEdit->setObjectName(QStringLiteral("ePismo"));
    m_familyList = new QListWidget(this);
    m_familyList->setObjectName(QStringLiteral("lbPismo"));
    // A family installed by several foundries comes as "Name [foundry]"; the user picks by name.
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]$"));
    QStringList families;
    for (const QString &name : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(name))
            families << QString(name).remove(foundry);
    }
    std::sort(families.begin(), families.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    families.removeDuplicates();
    m_familyList->addItems(families);

    m_styleEdit = new QLineEdit(this);
    m_styleEdit->setObjectName(QStringLiteral("eRez"));
    m_styleEdit->setReadOnly(true);
    m_styleEdit->setFocusPolicy(Qt::NoFocus);
    m_styleList = new QListWidget(this);
    m_styleList->setObjectName(QStringLiteral("lbRez"));
    for (const char *style : kStyles)
        m_styleList->addItem(QString::fromUtf8(style));

    m_sizeEdit = new QLineEdit(this);
    m_sizeEdit->setObjectName(QStringLiteral("eVelikost"));
    m_sizeEdit->setValidator(new QIntValidator(1, kMaxSize, m_sizeEdit));
    m_sizeList = new QListWidget(this);
    m_sizeList->setObjectName(QStringLiteral("lbVelikost"));
    for (int size : kSizes)
        m_sizeList->addItem(QString::number(size));

    // The edit fields carry the focus; their lists follow them and answer the mouse.
    for (QListWidget *list : {m_familyList, m_sizeList})
        list->setFocusPolicy(Qt::NoFocus);
    m_familyEdit->installEventFilter(this);
    m_sizeEdit->installEventFilter(this);
    m_familyList->setMinimumWidth(180);
    m_styleList->setMinimumWidth(120);
    m_sizeList->setMinimumWidth(60);
    m_sizeEdit->setMaximumWidth(80);
    m_sizeList->setMaximumWidth(80);
    for (QListWidget *list : {m_familyList, m_styleList, m_sizeList})
        list->setFixedHeight(120);

    auto *effects = new QGroupBox(QStringLiteral("Efekty"), this);
    effects->setObjectName(QStringLiteral("gbEfekty"));
    m_strikeOut = new QCheckBox(QStringLiteral("Přeš&krtnuté"), effects);
    m_strikeOut->setObjectName(QStringLiteral("cbPreskrtnute"));
    m_underline = new QCheckBox(QStringLiteral("Po&dtržené"), effects);
    m_underline->setObjectName(QStringLiteral("cbPodtrzene"));
    m_color = new QComboBox(effects);
    m_color->setObjectName(QStringLiteral("cbBarvaPisma"));
    m_color->setIconSize(kSwatchSize);
    for (const NamedColor &named : namedColors())
        m_color->addItem(swatch(named.color), named.name, named.color);
    auto *effectsLayout = new QVBoxLayout(effects);
    effectsLayout->addWidget(m_strikeOut);
    effectsLayout->addWidget(m_underline);
    effectsLayout->addWidget(label(QStringLiteral("&Barva:"), m_color, effects));
    effectsLayout->addWidget(m_color);
    effectsLayout->addStretch(1);

    auto *sampleBox = new QGroupBox(QStringLiteral("Ukázka"), this);
    sampleBox->setObjectName(QStringLiteral("gbUkazka"));
    m_sample = new QLabel(QStringLiteral("AaBbYyŽž"), sampleBox);
    m_sample->setObjectName(QStringLiteral("lUkazka"));
    m_sample->setAlignment(Qt::AlignCenter);
    // A large size is cut off at the box's edges rather than growing the dialog.
    m_sample->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_sample->setMinimumSize(200, 70);
    auto *sampleLayout = new QVBoxLayout(sampleBox);
    sampleLayout->addWidget(m_sample);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("bOK"));
    m_ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Storno"), this);
    cancel->setObjectName(QStringLiteral("bStorno"));
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    if (withApply) {
        auto *apply = new QPushButton(QStringLiteral("Použít"), this);
        apply->setObjectName(QStringLiteral("bPouzit"));
        buttons->addWidget(apply);
    }
    buttons->addStretch(1);

    auto *grid = new QGridLayout(this);
    grid->addWidget(label(QStringLiteral("&Písmo:"), m_familyEdit, this), 0, 0);
    grid->addWidget(label(QStringLiteral("Ř&ez:"), m_styleList, this), 0, 1);
    grid->addWidget(label(QStringLiteral("&Velikost:"), m_sizeEdit, this), 0, 2);
    grid->addWidget(m_familyEdit, 1, 0);
    grid->addWidget(m_styleEdit, 1, 1);
    grid->addWidget(m_sizeEdit, 1, 2);
    grid->addWidget(m_familyList, 2, 0);
    grid->addWidget(m_styleList, 2, 1);
    grid->addWidget(m_sizeList, 2, 2);
    grid->addWidget(effects, 3, 0);
    grid->addWidget(sampleBox, 3, 1, 1, 2);
    grid->addLayout(buttons, 0, 3, 4, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(3, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_familyEdit, m_styleList);
    setTabOrder(m_styleList, m_sizeEdit);
    setTabOrder(m_sizeEdit, m_strikeOut);
    setTabOrder(m_strikeOut, m_underline);
    setTabOrder(m_underline, m_color);
    setTabOrder(m_color, m_ok);
    setTabOrder(m_ok, cancel);

    // Initial values.
    const QFont &font = initial.font;
    m_familyEdit->setText(font.family());
    familyEdited(font.family());
    const int style = (font.italic() ? kItalicBit : 0) | (font.weight() >= QFont::DemiBold ? kBoldBit : 0);
    m_styleList->setCurrentRow(style);
    m_styleEdit->setText(m_styleList->currentItem()->text());
    const int points = font.pointSize() > 0 ? font.pointSize() : qRound(font.pointSizeF());
    m_size = std::clamp(points > 0 ? points : 8, 1, kMaxSize);
    m_sizeEdit->setText(QString::number(m_size));
    sizeEdited(m_sizeEdit->text());
    m_strikeOut->setChecked(font.strikeOut());
    m_underline->setChecked(font.underline());
    // "No colour" is the automatic text colour, shown as black.
    const QColor color = initial.color.isValid() ? initial.color : QColor(Qt::black);
    const auto named = std::find_if(namedColors().begin(), namedColors().end(),
                                    [&color](const NamedColor &c) { return c.color.rgb() == color.rgb(); });
    if (named != namedColors().end()) {
        m_color->setCurrentIndex(int(named - namedColors().begin()));
    } else {
        // A colour of its own stays exactly as it came unless the user picks another.
        m_color->addItem(swatch(color), QStringLiteral("Vlastní"), color);
        m_color->setCurrentIndex(m_color->count() - 1);
    }

    connect(m_familyEdit, &QLineEdit::textEdited, this, &FontDialog::familyEdited);
    connect(m_familyList, &QListWidget::currentRowChanged, this, &FontDialog::familyPicked);
    connect(m_styleList, &QListWidget::currentRowChanged, this, &FontDialog::stylePicked);
    connect(m_sizeEdit, &QLineEdit::textEdited, this, &FontDialog::sizeEdited);
    connect(m_sizeList, &QListWidget::currentRowChanged, this, &FontDialog::sizePicked);
    connect(m_familyEdit, &QLineEdit::textChanged, this, &FontDialog::refresh);
    connect(m_sizeEdit, &QLineEdit::textChanged, this, &FontDialog::refresh);
    connect(m_strikeOut, &QCheckBox::toggled, this, &FontDialog::refresh);
    connect(m_underline, &QCheckBox::toggled, this, &FontDialog::refresh);
    connect(m_color, &QComboBox::currentIndexChanged, this, &FontDialog::refresh);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    refresh();
    m_familyEdit->selectAll();
    m_familyEdit->setFocus();
}

FontChoice FontDialog::choice() const
{
    QFont font(family());
    font.setPointSize(m_size);
    const int style = std::max(m_styleList->currentRow(), 0);
    font.setItalic(style & kItalicBit);
    font.setWeight(style & kBoldBit ? QFont::Bold : QFont::Normal);
    font.setUnderline(m_underline->isChecked());
    font.setStrikeOut(m_strikeOut->isChecked());
    return FontChoice{font, m_color->currentData().value<QColor>()};
}

bool FontDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == m_familyEdit || watched == m_sizeEdit)) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (movesInList(key->key()) && key->modifiers() == Qt::NoModifier) {
            QListWidget *list = watched == m_familyEdit ? m_familyList : m_sizeList;
            if (list->currentRow() < 0 && list->count() > 0)
                list->setCurrentRow(0);
            else
                QCoreApplication::sendEvent(list, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// The family the user means: the list's spelling of a name typed in any case.
QString FontDialog::family() const
{
    const QString typed = m_familyEdit->text().trimmed();
    const QList<QListWidgetItem *> items = m_familyList->findItems(typed, Qt::MatchFixedString);
    return items.isEmpty() ? typed : items.first()->text();
}

void FontDialog::familyEdited(const QString &text)
{
    // Typing moves the list to the first name that starts with the text.
    const QString typed = text.trimmed();
    QList<QListWidgetItem *> items = m_familyList->findItems(typed, Qt::MatchFixedString);
    if (items.isEmpty() && !typed.isEmpty())
        items = m_familyList->findItems(typed, Qt::MatchStartsWith);
    m_syncing = true;
    if (items.isEmpty()) {
        m_familyList->setCurrentRow(-1);
    } else {
        m_familyList->setCurrentItem(items.first());
        m_familyList->scrollToItem(items.first(), QAbstractItemView::PositionAtTop);
    }
    m_syncing = false;
}

void FontDialog::familyPicked(int row)
{
    if (m_syncing || row < 0)
        return;
    m_familyEdit->setText(m_familyList->item(row)->text());
    m_familyEdit->selectAll();
}

void FontDialog::stylePicked(int row)
{
    if (row >= 0)
        m_styleEdit->setText(m_styleList->item(row)->text());
    refresh();
}

void FontDialog::sizeEdited(const QString &text)
{
    const QList<QListWidgetItem *> items = m_sizeList->findItems(text.trimmed(), Qt::MatchExactly);
    m_syncing = true;
    m_sizeList->setCurrentRow(items.isEmpty() ? -1 : m_sizeList->row(items.first()));
    if (!items.isEmpty())
        m_sizeList->scrollToItem(items.first());
    m_syncing = false;
}

void FontDialog::sizePicked(int row)
{
    if (m_syncing || row < 0)
        return;
    m_sizeEdit->setText(m_sizeList->item(row)->text());
    m_sizeEdit->selectAll();
}

void FontDialog::refresh()
{
    const bool sizeValid = m_sizeEdit->hasAcceptableInput();
    if (sizeValid)
        m_size = m_sizeEdit->text().toInt();
    m_ok->setEnabled(sizeValid && !family().isEmpty());

    const FontChoice current = choice();
    m_sample->setFont(current.font);
    QPalette palette = m_sample->palette();
    palette.setColor(QPalette::WindowText, current.color);
    m_sample->setPalette(palette);
}

} // namespace kora
