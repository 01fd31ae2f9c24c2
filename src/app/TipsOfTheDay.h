#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

namespace kora {

class Prompter;

// The tips of the day: a list of tips and the "Tipy a triky" window that shows them.
class TipsOfTheDay : public QObject
{
    Q_OBJECT
    // The names under which the main window's settings keep them.
    Q_PROPERTY(bool ShowHintsOnStartUp READ showAtStartup WRITE setShowAtStartup)
    Q_PROPERTY(QString TextShowOnStartup READ startupBoxText WRITE setStartupBoxText)

public:
    // Returns a number in [0, bound).
    using RandomSource = std::function<int(int bound)>;

    explicit TipsOfTheDay(Prompter &prompter, QObject *parent = nullptr);

    QStringList tips() const { return m_tips; }
    void setTips(const QStringList &tips) { m_tips = tips; }

    bool showAtStartup() const { return m_showAtStartup; }
    void setShowAtStartup(bool show) { m_showAtStartup = show; }

    // The caption of the window's check box.
    QString startupBoxText() const { return m_startupBoxText; }
    void setStartupBoxText(const QString &text) { m_startupBoxText = text; }

    void setRandomSource(RandomSource random) { m_random = std::move(random); }

    // Shows the tips window modally, starting at a random tip; the window's check box becomes
    // the show-at-start-up flag. Does nothing without tips.
    void execute();

private:
    Prompter &m_prompter;
    QStringList m_tips;
    bool m_showAtStartup = false;
    QString m_startupBoxText = QStringLiteral("&Zobrazit při startu");
    RandomSource m_random;
};

} // namespace kora
