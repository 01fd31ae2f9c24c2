#include "settings/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <optional>

namespace kora {

namespace {

constexpr int kEdgeMargin = 20;

std::optional<int> present(int value)
{
    return value == -1 ? std::nullopt : std::optional(value);
}

std::optional<int> sizeWithin(int value, int screen)
{
    if (value == -1 || value <= 0)
        return std::nullopt;
    return std::min(value, screen);
}

// The screen that holds `point`; nothing when no screen does.
std::optional<QRect> screenAt(const QList<QRect> &screens, const QPoint &point)
{
    for (const QRect &screen : screens) {
        if (screen.contains(point))
            return screen;
    }
    return std::nullopt;
}

} // namespace

QString resolutionText(const QSize &size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

WindowPlacement WindowPlacement::of(const QWidget *window, bool mainForm)
{
    WindowPlacement placement;
    QRect normal(window->pos(), window->size());
    if ((window->isMaximized() || window->isFullScreen()) && window->normalGeometry().isValid()) {
        // The normal rectangle is the inside of the window; its frame starts as far out as now.
        normal = window->normalGeometry();
        normal.translate(window->pos() - window->geometry().topLeft());
    }
    placement.left = normal.left();
    placement.top = normal.top();
    placement.width = normal.width();
    placement.height = normal.height();
    placement.state = window->isMinimized() ? 1 : window->isMaximized() ? 2 : 0;
    placement.mainForm = mainForm;
    if (const QScreen *screen = window->screen())
        placement.screenRes = resolutionText(screen->geometry().size());
    return placement;
}

QRect placedRect(const WindowPlacement &stored, const QRect &current, bool centred, const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return current;
    const QRect primary = screens.first();
    const bool nothingStored = stored.left == -1 && stored.top == -1 && stored.width == -1 && stored.height == -1;
    if (nothingStored) {
        const QRect screen = screenAt(screens, current.topLeft()).value_or(primary);
        QRect placed = current;
        if (centred) {
            placed.moveTo(screen.x() + (screen.width() - current.width()) / 2,
                          screen.y() + (screen.height() - current.height()) / 2);
            return placed;
        }
        int left = current.x() - screen.x();
        int top = current.y() - screen.y();
        if (left + current.width() > screen.width())
            left = screen.width() - current.width();
        if (top + current.height() > screen.height())
            top = screen.height() - current.height();
        placed.moveTo(screen.x() + std::max(left, 0), screen.y() + std::max(top, 0));
        return placed;
    }

    const QPoint anchor(stored.left == -1 ? current.x() : stored.left, stored.top == -1 ? current.y() : stored.top);
    // A window from a screen that is gone comes back on the primary screen.
    const QRect screen = screenAt(screens, anchor).value_or(primary);
    const int W = screen.width();
    const int H = screen.height();
    std::optional<int> left = present(stored.left);
    std::optional<int> top = present(stored.top);
    if (left)
        *left -= screen.x();
    if (top)
        *top -= screen.y();
    const std::optional<int> width = sizeWithin(stored.width, W);
    const std::optional<int> height = sizeWithin(stored.height, H);
    const int w = width.value_or(current.width());
    const int h = height.value_or(current.height());
    if (stored.screenRes != resolutionText(screen.size())) {
        if (left && *left + w > W)
            left = W - w;
        if (top && *top + h > H)
            top = H - h;
    } else {
        if (left && *left > W - kEdgeMargin)
            left = W - kEdgeMargin;
        if (top && *top > H - kEdgeMargin)
            top = H - kEdgeMargin;
    }
    QRect placed = current;
    placed.setSize(QSize(w, h));
    placed.moveTo(left ? screen.x() + std::max(*left, 0) : current.x(),
                  top ? screen.y() + std::max(*top, 0) : current.y());
    return placed;
}

void applyPlacement(QWidget *window, const WindowPlacement &stored, bool centred)
{
    QList<QRect> screens;
    if (const QScreen *primary = QGuiApplication::primaryScreen())
        screens << primary->geometry();
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            screens << screen->geometry();
    }
    const QRect current(window->pos(), window->size());
    const QRect placed = placedRect(stored, current, centred, screens);
    if (placed.topLeft() != current.topLeft())
        window->move(placed.topLeft());
    if (placed.size() != current.size())
        window->resize(placed.size());
    if (stored.state == 1)
        window->setWindowState(window->windowState() | Qt::WindowMinimized);
    else if (stored.state == 2)
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
}

} // namespace kora
