#include "editing/insertion/Tsymbol.h"

#include "richedit/RichEdit.h"
#include "text/CodePage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kora {

namespace {

constexpr int kSide = 16;
constexpr int kCellWidth = 33;
constexpr int kCellHeight = 20;

} // namespace

Tsymbol::Tsymbol(RichEdit &editor, QWidget *parent)
    : QDialog(parent)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("symbol"));
    setWindowTitle(tr(" Vložit symbol"));

    m_paleta = new QTableWidget(kSide, kSide, this);
    m_paleta->setObjectName(QStringLiteral("paleta"));
    m_paleta->horizontalHeader()->hide();
    m_paleta->verticalHeader()->hide();
    m_paleta->horizontalHeader()->setMinimumSectionSize(1);
    m_paleta->verticalHeader()->setMinimumSectionSize(1);
    m_paleta->horizontalHeader()->setDefaultSectionSize(kCellWidth);
    m_paleta->verticalHeader()->setDefaultSectionSize(kCellHeight);
    m_paleta->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_paleta->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_paleta->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_paleta->setSelectionMode(QAbstractItemView::SingleSelection);
    m_paleta->setShowGrid(true);
    m_paleta->setTabKeyNavigation(false);
    const int frame = 2 * m_paleta->frameWidth();
    m_paleta->setFixedSize(kSide * kCellWidth + frame, kSide * kCellHeight + frame);

    m_vlozBut = new QPushButton(tr("Vložit"), this);
    m_vlozBut->setObjectName(QStringLiteral("VlozBut"));
    m_vlozBut->setDefault(true);
    m_zavBut = new QPushButton(tr("Zavřít"), this);
    m_zavBut->setObjectName(QStringLiteral("ZavBut"));
    m_zavBut->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_vlozBut);
    buttons->addWidget(m_zavBut);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_paleta);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_vlozBut, &QPushButton::clicked, this, &Tsymbol::insertsymbol);
    connect(m_zavBut, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
}

QString Tsymbol::symbolText(int code)
{
    if (code <= 0 || code > 0xFF || code == 0x7F)
        return {};
    const char16_t ch = codepage::fromWindows1250(static_cast<unsigned char>(code));
    // The table passes the codes it leaves undefined through as C1 control characters.
    if (ch == u'\uFFFD' || (ch >= 0x80 && ch <= 0x9F))
        return {};
    return QString(QChar(ch));
}

void Tsymbol::FormCreate()
{
    for (int r = 0; r < kSide; ++r) {
        for (int c = 0; c < kSide; ++c) {
            const QString text = symbolText(kSide * r + c);
            // Tabs and line breaks are inserted but have nothing to show.
            auto *cell = new QTableWidgetItem(text.size() == 1 && text[0].isPrint() ? text : QString());
            cell->setTextAlignment(Qt::AlignCenter);
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            m_paleta->setItem(r, c, cell);
        }
    }
    m_paleta->setCurrentCell(0, 0);
}

void Tsymbol::insertsymbol()
{
    const int row = m_paleta->currentRow();
    const int column = m_paleta->currentColumn();
    if (row < 0 || column < 0)
        return;
    m_editor.setSelText(symbolText(kSide * row + column));
}

} // namespace kora
