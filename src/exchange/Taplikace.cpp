#include "exchange/Taplikace.h"

#include "exchange/MakerLinks.h"
#include "platform/Shell.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace kora {

namespace {

constexpr int kPictureWidth = 145;

// A label that acts as a link: a left click or Space/Enter while focused.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    LinkLabel(const QString &text, const QColor &color, const QString &hint, QWidget *parent)
        : QLabel(text, parent)
    {
        setTextFormat(Qt::PlainText);
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::StrongFocus);
        setToolTip(hint);
        setStatusTip(hint);
        QPalette p = palette();
        p.setColor(QPalette::WindowText, color);
        setPalette(p);
        QFont f = font();
        f.setUnderline(true);
        setFont(f);
    }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            emit clicked();
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            emit clicked();
        else
            QLabel::keyPressEvent(event);
    }
};

// The program's picture: a written page with a pen over a blue evening sky.
class AboutPicture : public QWidget
{
public:
    explicit AboutPicture(QWidget *parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("Image1"));
        setFixedWidth(kPictureWidth);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF area = rect();

        QLinearGradient sky(area.topLeft(), area.bottomLeft());
        sky.setColorAt(0, QColor(0x12, 0x2b, 0x5c));
        sky.setColorAt(1, QColor(0x1f, 0x7a, 0x8c));
        p.fillRect(area, sky);

        // The page, slightly turned, with its corner folded.
        p.save();
        p.translate(area.center() + QPointF(-4, 6));
        p.rotate(-8);
        const QRectF page(-42, -56, 84, 108);
        const qreal fold = 16;
        QPainterPath sheet;
        sheet.moveTo(page.topLeft());
        sheet.lineTo(page.right() - fold, page.top());
        sheet.lineTo(page.right(), page.top() + fold);
        sheet.lineTo(page.bottomRight());
        sheet.lineTo(page.bottomLeft());
        sheet.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawPath(sheet.translated(4, 4));
        p.setBrush(QColor(0xfb, 0xfa, 0xf4));
        p.drawPath(sheet);
        QPainterPath corner;
        corner.moveTo(page.right() - fold, page.top());
        corner.lineTo(page.right() - fold, page.top() + fold);
        corner.lineTo(page.right(), page.top() + fold);
        corner.closeSubpath();
        p.setBrush(QColor(0xd8, 0xd4, 0xc4));
        p.drawPath(corner);

        // A large initial and lines of writing.
        QFont initial(QStringLiteral("Times New Roman"));
        initial.setPixelSize(40);
        initial.setBold(true);
        p.setFont(initial);
        p.setPen(QColor(0xc0, 0x39, 0x2b));
        p.drawText(QRectF(page.left() + 6, page.top() + 4, 36, 42), Qt::AlignCenter, QStringLiteral("K"));
        p.setPen(QPen(QColor(0x7a, 0x86, 0x99), 2.2, Qt::SolidLine, Qt::RoundCap));
        const qreal widths[] = {30, 26, 66, 70, 58, 70, 64, 40};
        qreal y = page.top() + 16;
        for (int i = 0; i < int(std::size(widths)); ++i) {
            const qreal left = i < 2 ? page.left() + 44 : page.left() + 8;
            p.drawLine(QPointF(left, y), QPointF(left + widths[i], y));
            y += i < 2 ? 14 : 10;
        }
        p.restore();

        // The pen across the page's lower right.
        p.save();
        p.translate(area.center() + QPointF(28, 34));
        p.rotate(-50);
        const QRectF barrel(-6, -46, 12, 72);
        QLinearGradient metal(barrel.topLeft(), barrel.topRight());
        metal.setColorAt(0, QColor(0xe3, 0xb3, 0x4a));
        metal.setColorAt(0.5, QColor(0xff, 0xe0, 0x8a));
        metal.setColorAt(1, QColor(0xa8, 0x7a, 0x1e));
        p.setPen(Qt::NoPen);
        p.setBrush(metal);
        p.drawRoundedRect(barrel, 5, 5);
        QPainterPath nib;
        nib.moveTo(-6, 26);
        nib.lineTo(6, 26);
        nib.lineTo(0, 44);
        nib.closeSubpath();
        p.setBrush(QColor(0x33, 0x33, 0x3a));
        p.drawPath(nib);
        p.setBrush(QColor(0x8a, 0x1c, 0x12));
        p.drawRect(QRectF(-6, 14, 12, 6));
        p.restore();

        QFont name(QStringLiteral("DejaVu Sans"));
        name.setPixelSize(15);
        name.setBold(true);
        p.setFont(name);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, area.bottom() - 26, area.width(), 22), Qt::AlignCenter, QStringLiteral("KORA Editor"));
    }
};

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

} // namespace

Taplikace::Taplikace(Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_label6(
          new LinkLabel(MakerLinks::homePage(), QColor(Qt::blue), QStringLiteral("Zobrazí HTML stránky editoru"), this))
    , m_label8(
          new LinkLabel(MakerLinks::kSupportEmail, QColor(0x00, 0x80, 0x80), QStringLiteral("Vytvoří E-Mail"), this))
    , m_lVerze(new QLabel(kVersion, this))
    , m_button1(new QPushButton(QStringLiteral("&OK"), this))
{
    setObjectName(QStringLiteral("aplikace"));
    setWindowTitle(QStringLiteral("O Aplikaci KORA Editor"));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    m_label6->setObjectName(QStringLiteral("Label6"));
    m_label8->setObjectName(QStringLiteral("Label8"));
    m_lVerze->setObjectName(QStringLiteral("lVerze"));
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->setDefault(true);

    auto *values = new QGridLayout;
    values->setHorizontalSpacing(8);
    values->setVerticalSpacing(2);
    const std::pair<const char *, QWidget *> rows[] = {
        {"Autor : ", new QLabel(kAuthor, this)},
        {"Věk : ", new QLabel(kAge, this)},
        {"www   : ", m_label6},
        {"E-Mail : ", m_label8},
        {"Verze : ", m_lVerze},
        {"Datum vydání : ", new QLabel(kReleaseDate, this)},
    };
    for (int row = 0; row < int(std::size(rows)); ++row) {
        values->addWidget(caption(QString::fromUtf8(rows[row].first), this), row, 0);
        values->addWidget(rows[row].second, row, 1);
    }
    values->setColumnStretch(1, 1);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto *thanks = new QLabel(QStringLiteral("Děkuji všem uživatelům, kteří využívají Lumasoft"), this);
    QFont thanksFont(QStringLiteral("Times New Roman"));
    thanksFont.setPixelSize(13);
    thanks->setFont(thanksFont);

    auto *text = new QVBoxLayout;
    text->setContentsMargins(12, 10, 12, 10);
    text->setSpacing(6);
    text->addLayout(values);
    text->addWidget(line);
    text->addWidget(thanks);
    text->addStretch(1);
    text->addWidget(m_button1);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(new AboutPicture(this));
    layout->addLayout(text, 1);

    connect(static_cast<LinkLabel *>(m_label6), &LinkLabel::clicked, this, &Taplikace::Label6Click);
    connect(static_cast<LinkLabel *>(m_label8), &LinkLabel::clicked, this, &Taplikace::Label8Click);
    connect(m_button1, &QPushButton::clicked, this, &Taplikace::Button1Click);

    const QSize hint = sizeHint();
    setFixedSize(std::max(415, hint.width()), std::max(174, hint.height()));
}

void Taplikace::Label6Click()
{
    if (m_shell)
        MakerLinks::openWebPage(*m_shell, m_prompter, m_label6->text());
}

void Taplikace::Label8Click()
{
    if (m_shell)
        m_shell->openUrl(MakerLinks::aboutMail(m_label8->text(), m_lVerze->text()));
}

void Taplikace::Button1Click()
{
    accept();
}

} // namespace kora

#include "Taplikace.moc"
