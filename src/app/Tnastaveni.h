#pragma once

#include <QDialog>

class QTimer;

namespace kora {

// "Možnosti". Its timer tUkladani paces the main window's autosave.
class Tnastaveni : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kAutosaveIntervalMs = 10 * 60 * 1000;

    explicit Tnastaveni(QWidget *parent = nullptr);

    QTimer *tUkladani() const { return m_tUkladani; }

signals:
    // Emitted on every tick of tUkladani.
    void autosaveDue();

private:
    QTimer *m_tUkladani;
};

} // namespace kora
